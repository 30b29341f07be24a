#include "machine/ansi_code_page.h"

namespace machine {

namespace {

// 0x80..0x9F of code page 1252; 0 where the code page leaves a byte undefined.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char16_t ToWide(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        const char16_t mapped = kHighControls[c - 0x80];
        // Undefined bytes map to the control character of the same value.
        return mapped != 0 ? mapped : static_cast<char16_t>(c);
    }
    return static_cast<char16_t>(c);
}

char ToAnsi(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (unsigned i = 0; i < 32; ++i) {
        if (kHighControls[i] == c || (kHighControls[i] == 0 && c == 0x80 + i)) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

std::u16string AnsiToWide(const std::string& text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (const char c : text) {
        wide.push_back(ToWide(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string WideToAnsi(const std::u16string& text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (const char16_t c : text) {
        narrow.push_back(ToAnsi(c));
    }
    return narrow;
}

}  // namespace machine
