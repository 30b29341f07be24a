// A strict JSON (RFC 8259) parser: one value with optional whitespace around
// it, no comments, no trailing commas, no duplicate member names, UTF-8 only.
// Numbers must stay below 2^53 in magnitude, where every integer is exact; nesting is
// limited so that a hostile document cannot exhaust the stack.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "machine/json_value.h"

namespace machine {

struct JsonError {
    std::size_t line = 0;    // 1-based
    std::size_t column = 0;  // 1-based, in bytes
    std::string message;
};

class JsonParser {
  public:
    static constexpr std::size_t kMaxDepth = 64;

    // False with `error` set when `text` is not one valid JSON document.
    static bool Parse(std::string_view text, JsonValue& value, JsonError& error);

  private:
    explicit JsonParser(std::string_view text) : text_(text) {}

    bool ParseValue(JsonValue& value, std::size_t depth);
    bool ParseObject(JsonValue& value, std::size_t depth);
    bool ParseArray(JsonValue& value, std::size_t depth);
    bool ParseString(std::string& out);
    bool ParseEscape(std::string& out);
    bool ParseUtf8(std::string& out);
    bool ParseNumber(JsonValue& value);
    bool ParseLiteral(const char* word, JsonValue value, JsonValue& out);
    bool ParseHex4(unsigned& code);
    void SkipWhitespace();
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return text_[pos_]; }
    bool Fail(std::size_t at, std::string message);
    // A character of the input as a message names it.
    static std::string Describe(char c);

    std::string_view text_;
    std::size_t pos_ = 0;
    JsonError error_;
};

}  // namespace machine
