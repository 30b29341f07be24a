// Hexadecimal digits, for every reader of hexadecimal text in the tree.
#pragma once

#include <cstdint>
#include <string_view>

// 0 to 15, or -1 for anything that is not a hexadecimal digit.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The number `digits` spell, each a hexadecimal digit of either case; false
// for no digits or anything else. Callers bound the count: digits beyond
// the 16 a value holds push the first ones out.
constexpr bool ParseHexDigits(std::string_view digits, std::uint64_t& value) {
    if (digits.empty()) {
        return false;
    }
    std::uint64_t parsed = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return false;
        }
        parsed = parsed << 4 | static_cast<std::uint64_t>(digit);
    }
    value = parsed;
    return true;
}
