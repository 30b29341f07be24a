// Reading values of a JSON description into a machine's fields: every
// mismatch is one message naming the source, the JSON path of the value and
// what was expected there. The readers of each part of a description build
// on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "machine/json_value.h"
#include "wintypes/win_types.h"

namespace machine {

// The JSON path of member `name` of the value at `path`; names that would
// not read back plainly are quoted and escaped, so that a message stays one line.
std::string Member(const std::string& path, const std::string& name);
// The JSON path of item `i` of the array at `path`.
std::string Index(const std::string& path, std::size_t i);

class DescriptionReader;

// One row of a table of an object's members: the member's name and how its
// value is read into the target.
template <typename Target>
struct MemberRow {
    const char* name;
    bool (*read)(DescriptionReader&, const JsonValue&, const std::string&, Target&);
};

class DescriptionReader {
  public:
    explicit DescriptionReader(std::string source) : source_(std::move(source)) {}

    const std::string& Error() const { return error_; }
    const std::string& Source() const { return source_; }

    // Sets the message and returns false, so that readers can `return Fail(...)`.
    bool Fail(const std::string& path, const std::string& expected);
    void FailWith(const std::string& message) { error_ = message; }

    // An object whose member names are all in `allowed`, or all named by the
    // rows of a table of members.
    bool CheckMembers(const JsonValue& value, const std::string& path,
                      std::initializer_list<const char*> allowed) {
        return CheckNames(value, path, std::vector<const char*>(allowed));
    }
    template <typename Row, std::size_t N>
    bool CheckMembers(const JsonValue& value, const std::string& path, const Row (&table)[N]) {
        std::vector<const char*> names;
        for (const Row& row : table) {
            names.push_back(row.name);
        }
        return CheckNames(value, path, names);
    }

    bool ReadNarrow(const JsonValue& value, const std::string& path, std::string& out);
    bool ReadUnsigned(const JsonValue& value, const std::string& path, std::uint64_t maximum,
                      std::uint64_t& out);
    template <typename T>
    bool ReadInteger(const JsonValue& value, const std::string& path, T& out) {
        std::uint64_t wide = 0;
        if (!ReadUnsigned(value, path, static_cast<std::uint64_t>(static_cast<T>(~T{0})), wide)) {
            return false;
        }
        out = static_cast<T>(wide);
        return true;
    }
    bool ReadBool(const JsonValue& value, const std::string& path, bool& out);
    bool ReadGuid(const JsonValue& value, const std::string& path, win::GUID& out);
    bool ReadHex(const JsonValue& value, const std::string& path, std::vector<std::uint8_t>& out);

    // Each member of the object that a row names, in the table's order (so
    // that of two faults the same one is always told).
    template <typename Target, std::size_t N>
    bool ReadMembers(const JsonValue& value, const std::string& path,
                     const MemberRow<Target> (&table)[N], Target& target) {
        for (const MemberRow<Target>& row : table) {
            const JsonValue* member = value.Find(row.name);
            if (member != nullptr && !row.read(*this, *member, Member(path, row.name), target)) {
                return false;
            }
        }
        return true;
    }

  private:
    bool CheckNames(const JsonValue& value, const std::string& path,
                    const std::vector<const char*>& allowed);

    std::string source_;
    std::string error_;
};

// The reader of a plain field for member tables, by the field's type (text,
// flag, GUID or integer): {"name", ReadField<&Service::name>}.
template <typename Pointer>
struct FieldOwner;
template <typename Owner, typename Field>
struct FieldOwner<Field Owner::*> {
    using Type = Owner;
};

template <auto Field>
bool ReadField(DescriptionReader& reader, const JsonValue& value, const std::string& path,
               typename FieldOwner<decltype(Field)>::Type& target) {
    auto& field = target.*Field;
    using Type = std::remove_reference_t<decltype(field)>;
    if constexpr (std::is_same_v<Type, std::string>) {
        return reader.ReadNarrow(value, path, field);
    } else if constexpr (std::is_same_v<Type, bool>) {
        return reader.ReadBool(value, path, field);
    } else if constexpr (std::is_same_v<Type, win::GUID>) {
        return reader.ReadGuid(value, path, field);
    } else {
        return reader.ReadInteger(value, path, field);
    }
}

}  // namespace machine
