#include "machine/json_parser.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "text/print_format.h"

namespace machine {

namespace {

constexpr double kLargestExact = 9007199254740992.0;  // 2^53: beyond it integers lose digits

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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

}  // namespace

std::string JsonParser::Describe(char c) {
    const auto byte = static_cast<unsigned char>(c);
    char text[32];
    if (byte >= 0x21 && byte < 0x7F) {
        FormatPrint(text, sizeof text, "'%c'", c);
    } else {
        FormatPrint(text, sizeof text, "byte 0x%02X", byte);
    }
    return text;
}

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

}  // namespace machine
