// The value of one hexadecimal digit, for the simulated layer's text parsers.
#pragma once

namespace sim {

// 0 to 15, or -1 for anything that is not a hexadecimal digit.
constexpr int HexDigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') {
        return static_cast<int>(c - U'0');
    }
    if (c >= U'a' && c <= U'f') {
        return static_cast<int>(c - U'a') + 10;
    }
    if (c >= U'A' && c <= U'F') {
        return static_cast<int>(c - U'A') + 10;
    }
    return -1;
}

}  // namespace sim
