// The string part of the JSON reader: escapes, UTF-16 surrogate pairs and
// the check that the text is well-formed UTF-8.
#include "machine/json_parser.h"

#include "text/hex_digit.h"

namespace machine {

namespace {

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

bool JsonParser::ParseString(std::string& out) {
    ++pos_;  // '"'
    for (;;) {
        if (AtEnd()) {
            return Fail(pos_, "unterminated string");
        }
        const auto c = static_cast<unsigned char>(Peek());
        if (c == '"') {
            ++pos_;
            return true;
        }
        if (c == '\\') {
            if (!ParseEscape(out)) {
                return false;
            }
        } else if (c < 0x20) {
            return Fail(pos_, "control character " + Describe(Peek()) +
                                  " in a string (write it as an escape)");
        } else if (c < 0x80) {
            out += static_cast<char>(c);
            ++pos_;
        } else if (!ParseUtf8(out)) {
            return false;
        }
    }
}

bool JsonParser::ParseHex4(unsigned& code) {
    code = 0;
    for (int i = 0; i < 4; ++i) {
        if (AtEnd()) {
            return Fail(pos_, "unterminated string");
        }
        const char c = Peek();
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return Fail(pos_, "expected four hexadecimal digits after \\u");
        }
        code = code * 16 + static_cast<unsigned>(digit);
        ++pos_;
    }
    return true;
}

bool JsonParser::ParseEscape(std::string& out) {
    const std::size_t at = pos_;
    ++pos_;  // '\\'
    if (AtEnd()) {
        return Fail(pos_, "unterminated string");
    }
    const char c = Peek();
    ++pos_;
    switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            return Fail(at, std::string("invalid escape \\") + (c >= 0x21 && c < 0x7F ? c : '?'));
    }
    unsigned code;
    if (!ParseHex4(code)) {
        return false;
    }
    if (code >= 0xDC00 && code <= 0xDFFF) {
        return Fail(at, "lone low surrogate in a \\u escape");
    }
    if (code >= 0xD800 && code <= 0xDBFF) {
        if (text_.substr(pos_, 2) != "\\u") {
            return Fail(at, "high surrogate without its low surrogate");
        }
        pos_ += 2;
        unsigned low;
        if (!ParseHex4(low)) {
            return false;
        }
        if (low < 0xDC00 || low > 0xDFFF) {
            return Fail(at, "high surrogate without its low surrogate");
        }
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
    AppendUtf8(out, code);
    return true;
}

bool JsonParser::ParseUtf8(std::string& out) {
    const std::size_t at = pos_;
    const auto lead = static_cast<unsigned char>(Peek());
    std::size_t length;
    unsigned code;
    unsigned minimum;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return Fail(at, "invalid UTF-8 (" + Describe(Peek()) + ")");
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text_.size()) {
            return Fail(at, "invalid UTF-8 (truncated sequence)");
        }
        const auto next = static_cast<unsigned char>(text_[at + i]);
        if ((next & 0xC0) != 0x80) {
            return Fail(at, "invalid UTF-8 (" + Describe(text_[at + i]) + " in a sequence)");
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return Fail(at, "invalid UTF-8 (overlong form or no character)");
    }
    out.append(text_.data() + at, length);
    pos_ = at + length;
    return true;
}

}  // namespace machine
