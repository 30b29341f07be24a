#include "machine/reg_value_reader.h"

#include <vector>

#include "machine/windows_names.h"

namespace machine {

bool ReadRegValue(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                  RegValue& reg) {
    const char* expected =
        "expected a string, an array of strings, an integer or an object with \"type\" and one "
        "of \"string\", \"multiString\", \"dword\", \"hex\"";
    std::string text;
    if (value.IsString()) {
        if (!reader.ReadNarrow(value, path, text)) {
            return false;
        }
        reg = RegValue::String(text);
        return true;
    }
    if (value.IsArray()) {
        std::vector<std::string> items;
        for (std::size_t i = 0; i < value.Items().size(); ++i) {
            if (!reader.ReadNarrow(value.Items()[i], Index(path, i), text)) {
                return false;
            }
            items.push_back(text);
        }
        reg = RegValue::MultiString(items);
        return true;
    }
    if (value.IsNumber()) {
        win::DWORD dword = 0;
        if (!reader.ReadInteger(value, path, dword)) {
            return false;
        }
        reg = RegValue::Dword(dword);
        return true;
    }
    if (!value.IsObject()) {
        return reader.Fail(path, expected);
    }
    if (!reader.CheckMembers(value, path, {"type", "string", "multiString", "dword", "hex"})) {
        return false;
    }
    const JsonValue* type = value.Find("type");
    int forms = 0;
    for (const char* form : {"string", "multiString", "dword", "hex"}) {
        forms += value.Find(form) != nullptr ? 1 : 0;
    }
    if (forms != 1) {
        return reader.Fail(
            path, "expected exactly one of \"string\", \"multiString\", \"dword\", \"hex\"");
    }
    if (const JsonValue* s = value.Find("string")) {
        if (!reader.ReadNarrow(*s, Member(path, "string"), text)) {
            return false;
        }
        reg = RegValue::String(text);
    } else if (const JsonValue* m = value.Find("multiString")) {
        if (!m->IsArray()) {
            return reader.Fail(Member(path, "multiString"), "expected an array of strings");
        }
        if (!ReadRegValue(reader, *m, Member(path, "multiString"), reg)) {
            return false;
        }
    } else if (const JsonValue* d = value.Find("dword")) {
        win::DWORD dword = 0;
        if (!reader.ReadInteger(*d, Member(path, "dword"), dword)) {
            return false;
        }
        reg = RegValue::Dword(dword);
    } else {
        if (type == nullptr) {
            return reader.Fail(Member(path, "type"), "expected a registry type with \"hex\" data");
        }
        if (!reader.ReadHex(*value.Find("hex"), Member(path, "hex"), reg.data)) {
            return false;
        }
    }
    if (type != nullptr) {
        if (type->IsString() && FindNamed(RegTypeNames(), type->AsString()) != nullptr) {
            reg.type = FindNamed(RegTypeNames(), type->AsString())->value;
        } else if (!type->IsNumber() ||
                   !reader.ReadInteger(*type, Member(path, "type"), reg.type)) {
            return reader.Fail(
                Member(path, "type"),
                "expected a registry type (" + NameList(RegTypeNames()) + ") or its number");
        }
    }
    return true;
}

}  // namespace machine
