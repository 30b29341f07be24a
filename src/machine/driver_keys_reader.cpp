#include "machine/driver_keys_reader.h"

#include <utility>

#include "machine/reg_value_reader.h"

namespace machine {

bool ReadDriverKeys(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                    std::map<std::string, RegValues, CaseInsensitiveLess>& keys) {
    if (!value.IsObject()) {
        return reader.Fail(path, "expected an object of driver keys by name (\"{guid}\\\\0000\")");
    }
    for (const JsonValue::Member& key : value.Members()) {
        const std::string at = Member(path, key.first);
        std::string name;
        if (!reader.ReadNarrow(JsonValue::MakeString(key.first), at, name)) {
            return false;
        }
        if (name.empty() || name.front() == '\\' || name.back() == '\\') {
            return reader.Fail(at,
                               "expected a key name under Control\\Class, e.g. \"{guid}\\\\0000\"");
        }
        if (!key.second.IsObject()) {
            return reader.Fail(at, "expected an object of registry values by name");
        }
        RegValues values;
        for (const JsonValue::Member& m : key.second.Members()) {
            RegValue reg;
            if (!ReadRegValue(reader, m.second, Member(at, m.first), reg)) {
                return false;
            }
            if (!values.emplace(m.first, std::move(reg)).second) {
                return reader.Fail(Member(at, m.first), "duplicate value name (names ignore case)");
            }
        }
        if (!keys.emplace(name, std::move(values)).second) {
            return reader.Fail(at, "a driver key described twice (names ignore case)");
        }
    }
    return true;
}

bool ReadFolders(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                 std::set<std::string, CaseInsensitiveLess>& folders) {
    if (!value.IsArray()) {
        return reader.Fail(path, "expected an array of folder paths");
    }
    for (std::size_t i = 0; i < value.Items().size(); ++i) {
        std::string folder;
        if (!reader.ReadNarrow(value.Items()[i], Index(path, i), folder)) {
            return false;
        }
        if (folder.empty() || folder.back() == '\\') {
            return reader.Fail(Index(path, i), "expected a full path without a trailing backslash");
        }
        folders.insert(folder);
    }
    return true;
}

}  // namespace machine
