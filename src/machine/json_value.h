// A parsed JSON document: null, Boolean, number, string (UTF-8), array or
// object. Objects keep their members in document order.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace machine {

class JsonValue {
  public:
    enum class Type { Null, Bool, Number, String, Array, Object };
    using Member = std::pair<std::string, JsonValue>;

    JsonValue() = default;
    static JsonValue MakeBool(bool value);
    static JsonValue MakeNumber(double value, bool integral);
    static JsonValue MakeString(std::string value);
    static JsonValue MakeArray(std::vector<JsonValue> items);
    static JsonValue MakeObject(std::vector<Member> members);

    Type type() const { return type_; }
    bool IsNull() const { return type_ == Type::Null; }
    bool IsBool() const { return type_ == Type::Bool; }
    bool IsNumber() const { return type_ == Type::Number; }
    bool IsString() const { return type_ == Type::String; }
    bool IsArray() const { return type_ == Type::Array; }
    bool IsObject() const { return type_ == Type::Object; }

    bool AsBool() const { return bool_; }
    double AsNumber() const { return number_; }
    // Written without fraction or exponent ("12", not "12.0" or "1.2e1").
    bool IsIntegerLiteral() const { return integral_; }
    const std::string& AsString() const { return string_; }
    const std::vector<JsonValue>& Items() const { return items_; }
    const std::vector<Member>& Members() const { return members_; }
    // The member named `name`, or null.
    const JsonValue* Find(const std::string& name) const;

  private:
    Type type_ = Type::Null;
    bool bool_ = false;
    bool integral_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<JsonValue> items_;
    std::vector<Member> members_;
};

// What the value is, for messages: "null", "a Boolean", "a number", ...
const char* DescribeJsonType(JsonValue::Type type);

}  // namespace machine
