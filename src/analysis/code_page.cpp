#include "analysis/code_page.h"

#include <array>
#include <utility>

#include "machine/ansi_code_page.h"

namespace analysis {

namespace {

const std::array<char16_t, 256>& Windows1252() {
    static const std::array<char16_t, 256> table = [] {
        std::string all(256, '\0');
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = static_cast<char>(i);
        }
        const std::u16string wide = machine::AnsiToWide(all);
        std::array<char16_t, 256> result{};
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i] = wide[i];
        }
        return result;
    }();
    return table;
}

// Length of the UTF-8 sequence that starts at `s`, 0 when it is not one.
std::size_t Utf8Length(std::string_view s, char32_t& c) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t n = b0 < 0x80         ? 1
                    : (b0 >> 5) == 6  ? 2
                    : (b0 >> 4) == 14 ? 3
                    : (b0 >> 3) == 30 ? 4
                                      : 0;
    if (n == 0 || n > s.size()) {
        return 0;
    }
    c = n == 1 ? b0 : b0 & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMin[n] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) {
        return 0;
    }
    return n;
}

}  // namespace

std::optional<CodePage> CodePage::Find(unsigned number) {
    if (number == 1252 || number == 28591 || number == 20127 || number == 65001) {
        return CodePage(number);
    }
    return std::nullopt;
}

CodePage CodePage::Through(unsigned number, std::shared_ptr<const CodePageConverter> converter) {
    CodePage page(number);
    page.converter_ = std::move(converter);
    return page;
}

char32_t CodePage::ToUnicode(unsigned char c) const {
    switch (number_) {
        case 1252:
            return Windows1252()[c];
        case 20127:
            return c < 0x80 ? c : 0xFFFD;
        default:
            return c;
    }
}

void CodePage::AppendUtf8(std::string& out, std::string_view narrow) const {
    if (converter_) {
        AppendUtf8Converted(out, narrow);
        return;
    }
    if (number_ != 65001) {
        for (const char c : narrow) {
            AppendUtf8Char(out, ToUnicode(static_cast<unsigned char>(c)));
        }
        return;
    }
    while (!narrow.empty()) {
        char32_t c = 0;
        const std::size_t n = Utf8Length(narrow, c);
        AppendUtf8Char(out, n == 0 ? 0xFFFD : c);
        narrow.remove_prefix(n == 0 ? 1 : n);
    }
}

bool CodePage::AppendNarrow(std::string& out, char32_t c) const {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
        return true;
    }
    if (converter_) {
        return AppendNarrowConverted(out, c);
    }
    switch (number_) {
        case 65001:
            AppendUtf8Char(out, c);
            return true;
        case 28591:
            if (c < 0x100) {
                out.push_back(static_cast<char>(c));
                return true;
            }
            return false;
        case 1252:
            for (std::size_t i = 0x80; i < 0x100; ++i) {
                if (Windows1252()[i] == c) {
                    out.push_back(static_cast<char>(i));
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

// The whole text at once: a double-byte code page's character must not be
// split between two conversions.
void CodePage::AppendUtf8Converted(std::string& out, std::string_view narrow) const {
    std::u16string wide;
    if (!narrow.empty() && !converter_->ToUtf16(narrow, wide)) {
        for (const char c : narrow) {
            AppendUtf8Char(out, static_cast<unsigned char>(c) < 0x80 ? c : 0xFFFD);
        }
        return;
    }
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // half of a pair
        }
        AppendUtf8Char(out, c);
    }
}

bool CodePage::AppendNarrowConverted(std::string& out, char32_t c) const {
    std::u16string wide;
    if (c >= 0x10000) {
        wide.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        wide.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        wide.push_back(static_cast<char16_t>(c));
    }
    return converter_->FromUtf16(wide, out);
}

void AppendUtf8Char(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::size_t DecodeUtf8(std::string_view s, char32_t& c) {
    return s.empty() ? 0 : Utf8Length(s, c);
}

}  // namespace analysis
