// The names a described machine gives Windows' numbers, each spelt here once:
// in descriptions (JSON) and, where Windows stores a name, in the registry.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "wintypes/win_types.h"

namespace machine {

struct NamedValue {
    const char* name;
    std::uint32_t value;
};

// A product suite: its name in descriptions, and in Control\ProductOptions'
// ProductSuite (nullptr where Windows keeps the bit elsewhere).
struct SuiteName {
    const char* name;
    const char* registryName;
    win::WORD bit;
};

// A product type: its name in descriptions, and Control\ProductOptions'
// ProductType text.
struct ProductTypeName {
    const char* name;
    const char* registryName;
    win::BYTE type;
};

std::span<const SuiteName> SuiteNames();
std::span<const ProductTypeName> ProductTypeNames();
std::span<const NamedValue> RegTypeNames();         // "REG_SZ", ...
std::span<const NamedValue> DevicePropertyNames();  // "DEVICEDESC" for SPDRP_DEVICEDESC, ...

// The entry named exactly `name`, or nullptr.
const NamedValue* FindNamed(std::span<const NamedValue> table, const std::string& name);

// "a, b, c": the names of a table, for messages.
template <typename Entry>
std::string NameList(std::span<const Entry> table) {
    std::string text;
    for (const Entry& entry : table) {
        text += text.empty() ? "" : ", ";
        text += entry.name;
    }
    return text;
}

}  // namespace machine
