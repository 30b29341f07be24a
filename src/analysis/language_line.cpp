#include "analysis/language_line.h"

#include <algorithm>

#include "text/hex_digit.h"

namespace analysis {

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool ScanLiteral(std::string_view& rest, std::string_view pattern) {
    for (const char p : pattern) {
        if (p == ' ') {
            while (!rest.empty() && IsSpace(rest.front())) {
                rest.remove_prefix(1);
            }
        } else if (rest.empty() || rest.front() != p) {
            return false;
        } else {
            rest.remove_prefix(1);
        }
    }
    return true;
}

bool ScanHex4(std::string_view& rest, unsigned& value) {
    ScanLiteral(rest, " ");
    std::string_view field = rest.substr(0, 4);
    const bool negative = !field.empty() && field.front() == '-';
    if (!field.empty() && (field.front() == '+' || negative)) {
        field.remove_prefix(1);
    }
    bool digits = false;
    if (!field.empty() && field.front() == '0') {
        digits = true;
        field.remove_prefix(1);
        if (!field.empty() && (field.front() == 'x' || field.front() == 'X')) {
            field.remove_prefix(1);
        }
    }
    value = 0;
    for (; !field.empty() && HexDigitValue(field.front()) >= 0; field.remove_prefix(1)) {
        value = value * 16 + static_cast<unsigned>(HexDigitValue(field.front()));
        digits = true;
    }
    if (!digits) {
        return false;
    }
    value = negative ? 0u - value : value;
    rest.remove_prefix(std::min<std::size_t>(rest.size(), 4) - field.size());
    return true;
}

}  // namespace

bool ScanLanguageLine(std::string_view line, unsigned& language, unsigned& codePage) {
    return ScanLiteral(line, " Language 0x") && ScanHex4(line, language) &&
           ScanLiteral(line, "/Code Page 0x") && ScanHex4(line, codePage) && !line.empty() &&
           line.front() == ':';
}

}  // namespace analysis
