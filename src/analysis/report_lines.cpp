#include "analysis/report_lines.h"

#include "text/print_format.h"

namespace analysis {

namespace {

std::string CodePoint(char32_t c) {
    char text[16];
    FormatPrint(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// Reports start with their title: "M" and a zero byte is UTF-16LE text whose
// byte order mark was lost.
bool LooksLikeUtf16(std::string_view bytes) {
    return bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0';
}

}  // namespace

bool ReportLines::FromUnicode(std::string_view bytes, bool utf16, const CodePage& codePage,
                              ReadFailure& failure) {
    std::size_t line = 1;
    auto fail = [&](std::string expected, std::string found) {
        failure = {line, std::move(expected), std::move(found)};
        return false;
    };
    if (utf16 && bytes.size() % 2 != 0) {
        line = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            line += bytes[i] == '\n' && bytes[i + 1] == '\0';
        }
        ++line;
        return fail("UTF-16 text of whole characters", "an odd number of bytes");
    }
    decoded_.reserve(utf16 ? bytes.size() / 2 : bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t c = 0;
        if (utf16) {
            auto unit = [&](std::size_t at) {
                return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                             static_cast<unsigned char>(bytes[at + 1]) << 8);
            };
            c = unit(i);
            i += 2;
            if (c >= 0xD800 && c < 0xDC00 && i < bytes.size() && unit(i) >= 0xDC00 &&
                unit(i) < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (unit(i) - 0xDC00);
                i += 2;
            } else if (c >= 0xD800 && c < 0xE000) {
                return fail("UTF-16 text", "an unpaired surrogate " + CodePoint(c));
            }
        } else {
            const std::size_t n = DecodeUtf8(bytes.substr(i), c);
            if (n == 0) {
                return fail("UTF-8 text", "a malformed byte sequence");
            }
            i += n;
        }
        if (c == 0) {
            return fail("text", "a NUL character");
        }
        if (!codePage.AppendNarrow(decoded_, c)) {
            return fail("characters of code page " + std::to_string(codePage.Number()),
                        CodePoint(c));
        }
        line += c == '\n';
    }
    return true;
}

bool ReportLines::Load(std::string_view bytes, const CodePage& codePage, ReadFailure& failure) {
    decoded_.clear();
    lines_.clear();
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        if (!FromUnicode(bytes.substr(3), false, codePage, failure)) {
            return false;
        }
        text_ = decoded_;
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || LooksLikeUtf16(bytes)) {
        if (!FromUnicode(bytes.substr(bytes[0] == '\xFF' ? 2 : 0), true, codePage, failure)) {
            return false;
        }
        text_ = decoded_;
    } else {
        text_ = bytes;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text_.find('\n', start);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        const std::size_t length =
            stop > start && end != std::string_view::npos && text_[stop - 1] == '\r'
                ? stop - start - 1
                : stop - start;
        if (text_.substr(start, stop - start).find('\0') != std::string_view::npos) {
            failure = {lines_.size() + 1, "text", "a NUL byte"};
            return false;
        }
        lines_.emplace_back(start, length);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace analysis
