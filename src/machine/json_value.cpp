#include "machine/json_value.h"

namespace machine {

JsonValue JsonValue::MakeBool(bool value) {
    JsonValue v;
    v.type_ = Type::Bool;
    v.bool_ = value;
    return v;
}

JsonValue JsonValue::MakeNumber(double value, bool integral) {
    JsonValue v;
    v.type_ = Type::Number;
    v.number_ = value;
    v.integral_ = integral;
    return v;
}

JsonValue JsonValue::MakeString(std::string value) {
    JsonValue v;
    v.type_ = Type::String;
    v.string_ = std::move(value);
    return v;
}

JsonValue JsonValue::MakeArray(std::vector<JsonValue> items) {
    JsonValue v;
    v.type_ = Type::Array;
    v.items_ = std::move(items);
    return v;
}

JsonValue JsonValue::MakeObject(std::vector<Member> members) {
    JsonValue v;
    v.type_ = Type::Object;
    v.members_ = std::move(members);
    return v;
}

const JsonValue* JsonValue::Find(const std::string& name) const {
    for (const Member& member : members_) {
        if (member.first == name) {
            return &member.second;
        }
    }
    return nullptr;
}

const char* DescribeJsonType(JsonValue::Type type) {
    switch (type) {
        case JsonValue::Type::Null:
            return "null";
        case JsonValue::Type::Bool:
            return "a Boolean";
        case JsonValue::Type::Number:
            return "a number";
        case JsonValue::Type::String:
            return "a string";
        case JsonValue::Type::Array:
            return "an array";
        case JsonValue::Type::Object:
            return "an object";
    }
    return "a value";
}

}  // namespace machine
