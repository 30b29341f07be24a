#include "machine/json_parser.h"

#include "machine/hex_digit.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sim {

namespace {

constexpr double kLargestExact = 9007199254740992.0;  // 2^53: beyond it integers lose digits

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

// The names of one object's members so far. A few are compared one by one;
// past that a hash index keeps an object of n members at O(n) (a scan per
// member was O(n^2): 40,000 members took seconds).
class MemberNames {
  public:
    // False when `name` is among `members` already. `members` is the
    // object's list, to which the caller appends `name` next.
    bool Insert(const std::vector<JsonValue::Member>& members, const std::string& name) {
        if (members.size() < kScanned) {
            for (const JsonValue::Member& member : members) {
                if (member.first == name) {
                    return false;
                }
            }
            return true;
        }
        if (index_.empty()) {
            for (std::size_t i = 0; i < members.size(); ++i) {
                index_.emplace(std::hash<std::string>{}(members[i].first), i);
            }
        }
        const std::size_t hash = std::hash<std::string>{}(name);
        const auto [first, last] = index_.equal_range(hash);
        for (auto it = first; it != last; ++it) {
            if (members[it->second].first == name) {
                return false;
            }
        }
        index_.emplace(hash, members.size());
        return true;
    }

  private:
    static constexpr std::size_t kScanned = 16;
    // Hash of a name -> its index in the member list (indices stay valid as
    // the list grows; the names may move).
    std::unordered_multimap<std::size_t, std::size_t> index_;
};

std::string Describe(char c) {
    const auto byte = static_cast<unsigned char>(c);
    char text[32];
    if (byte >= 0x21 && byte < 0x7F) {
        std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        std::snprintf(text, sizeof text, "byte 0x%02X", byte);
    }
    return text;
}

}  // namespace

bool JsonParser::Parse(std::string_view text, JsonValue& value, JsonError& error) {
    JsonParser parser(text);
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") {
        parser.Fail(0, "a byte order mark is not allowed");
        error = parser.error_;
        return false;
    }
    parser.SkipWhitespace();
    JsonValue result;
    if (!parser.ParseValue(result, 0)) {
        error = parser.error_;
        return false;
    }
    parser.SkipWhitespace();
    if (!parser.AtEnd()) {
        parser.Fail(parser.pos_, "unexpected " + Describe(parser.Peek()) + " after the document");
        error = parser.error_;
        return false;
    }
    value = std::move(result);
    return true;
}

bool JsonParser::Fail(std::size_t at, std::string message) {
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < at && i < text_.size(); ++i) {
        if (text_[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    error_.line = line;
    error_.column = at - lineStart + 1;
    error_.message = std::move(message);
    return false;
}

void JsonParser::SkipWhitespace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
        ++pos_;
    }
}

bool JsonParser::ParseValue(JsonValue& value, std::size_t depth) {
    if (AtEnd()) {
        return Fail(pos_, "expected a value, found the end of the text");
    }
    switch (Peek()) {
        case '{':
            return ParseObject(value, depth + 1);
        case '[':
            return ParseArray(value, depth + 1);
        case '"': {
            std::string s;
            if (!ParseString(s)) {
                return false;
            }
            value = JsonValue::MakeString(std::move(s));
            return true;
        }
        case 't':
            return ParseLiteral("true", JsonValue::MakeBool(true), value);
        case 'f':
            return ParseLiteral("false", JsonValue::MakeBool(false), value);
        case 'n':
            return ParseLiteral("null", JsonValue(), value);
        default:
            if (Peek() == '-' || IsDigit(Peek())) {
                return ParseNumber(value);
            }
            return Fail(pos_, "expected a value, found " + Describe(Peek()));
    }
}

bool JsonParser::ParseLiteral(const char* word, JsonValue literal, JsonValue& out) {
    const std::string_view w(word);
    if (text_.substr(pos_, w.size()) != w) {
        return Fail(pos_, "expected a value, found " + Describe(Peek()));
    }
    pos_ += w.size();
    out = std::move(literal);
    return true;
}

bool JsonParser::ParseObject(JsonValue& value, std::size_t depth) {
    if (depth > kMaxDepth) {
        return Fail(pos_, "nesting deeper than " + std::to_string(kMaxDepth) + " levels");
    }
    ++pos_;  // '{'
    std::vector<JsonValue::Member> members;
    MemberNames names;
    SkipWhitespace();
    if (!AtEnd() && Peek() == '}') {
        ++pos_;
        value = JsonValue::MakeObject(std::move(members));
        return true;
    }
    for (;;) {
        SkipWhitespace();
        if (AtEnd() || Peek() != '"') {
            return Fail(pos_, AtEnd() ? "expected a member name, found the end of the text"
                                      : "expected a member name, found " + Describe(Peek()));
        }
        const std::size_t nameAt = pos_;
        std::string name;
        if (!ParseString(name)) {
            return false;
        }
        if (!names.Insert(members, name)) {
            return Fail(nameAt, "duplicate member \"" + name + "\"");
        }
        SkipWhitespace();
        if (AtEnd() || Peek() != ':') {
            return Fail(pos_, AtEnd() ? "expected ':', found the end of the text"
                                      : "expected ':', found " + Describe(Peek()));
        }
        ++pos_;
        SkipWhitespace();
        JsonValue item;
        if (!ParseValue(item, depth)) {
            return false;
        }
        members.emplace_back(std::move(name), std::move(item));
        SkipWhitespace();
        if (AtEnd()) {
            return Fail(pos_, "expected ',' or '}', found the end of the text");
        }
        if (Peek() == ',') {
            ++pos_;
            continue;
        }
        if (Peek() == '}') {
            ++pos_;
            value = JsonValue::MakeObject(std::move(members));
            return true;
        }
        return Fail(pos_, "expected ',' or '}', found " + Describe(Peek()));
    }
}

bool JsonParser::ParseArray(JsonValue& value, std::size_t depth) {
    if (depth > kMaxDepth) {
        return Fail(pos_, "nesting deeper than " + std::to_string(kMaxDepth) + " levels");
    }
    ++pos_;  // '['
    std::vector<JsonValue> items;
    SkipWhitespace();
    if (!AtEnd() && Peek() == ']') {
        ++pos_;
        value = JsonValue::MakeArray(std::move(items));
        return true;
    }
    for (;;) {
        SkipWhitespace();
        JsonValue item;
        if (!ParseValue(item, depth)) {
            return false;
        }
        items.push_back(std::move(item));
        SkipWhitespace();
        if (AtEnd()) {
            return Fail(pos_, "expected ',' or ']', found the end of the text");
        }
        if (Peek() == ',') {
            ++pos_;
            continue;
        }
        if (Peek() == ']') {
            ++pos_;
            value = JsonValue::MakeArray(std::move(items));
            return true;
        }
        return Fail(pos_, "expected ',' or ']', found " + Describe(Peek()));
    }
}

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
        const int digit = HexDigitValue(static_cast<unsigned char>(c));
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

bool JsonParser::ParseNumber(JsonValue& value) {
    const std::size_t start = pos_;
    bool integral = true;
    if (Peek() == '-') {
        ++pos_;
    }
    if (AtEnd() || !IsDigit(Peek())) {
        return Fail(pos_, "expected a digit in a number");
    }
    if (Peek() == '0') {
        ++pos_;
        if (!AtEnd() && IsDigit(Peek())) {
            return Fail(start, "a number must not have a leading zero");
        }
    } else {
        while (!AtEnd() && IsDigit(Peek())) {
            ++pos_;
        }
    }
    if (!AtEnd() && Peek() == '.') {
        integral = false;
        ++pos_;
        if (AtEnd() || !IsDigit(Peek())) {
            return Fail(pos_, "expected a digit after the decimal point");
        }
        while (!AtEnd() && IsDigit(Peek())) {
            ++pos_;
        }
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
        integral = false;
        ++pos_;
        if (!AtEnd() && (Peek() == '+' || Peek() == '-')) {
            ++pos_;
        }
        if (AtEnd() || !IsDigit(Peek())) {
            return Fail(pos_, "expected a digit in the exponent");
        }
        while (!AtEnd() && IsDigit(Peek())) {
            ++pos_;
        }
    }
    const std::string literal(text_.substr(start, pos_ - start));
    const double number = std::strtod(literal.c_str(), nullptr);
    if (!std::isfinite(number) || std::fabs(number) >= kLargestExact) {
        return Fail(start, "number " +
                               (literal.size() > 40 ? literal.substr(0, 40) + "..." : literal) +
                               " is too large (the magnitude must stay below 2^53)");
    }
    value = JsonValue::MakeNumber(number, integral);
    return true;
}

}  // namespace sim
