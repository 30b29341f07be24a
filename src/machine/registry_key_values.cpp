#include "machine/registry_key_values.h"

namespace machine {

std::optional<std::string> Text(const RegKey* key, const char* name) {
    const RegValue* value = key != nullptr ? key->Value(name) : nullptr;
    if (value == nullptr || (value->type != win::REG_SZ && value->type != win::REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::string text(value->data.begin(), value->data.end());
    const std::size_t end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

std::optional<win::DWORD> Dword(const RegKey* key, const char* name) {
    const RegValue* value = key != nullptr ? key->Value(name) : nullptr;
    if (value == nullptr || value->type != win::REG_DWORD || value->data.size() != 4) {
        return std::nullopt;
    }
    win::DWORD dword = 0;
    for (int i = 3; i >= 0; --i) {
        dword = dword << 8 | value->data[static_cast<std::size_t>(i)];
    }
    return dword;
}

bool Has(const RegKey* key, const char* name) {
    return key != nullptr && key->Value(name) != nullptr;
}

std::optional<win::DWORD> Number(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<win::DWORD>(std::stoul(text));
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool Contains(const std::string& text, const char* part) {
    return Upper(text).find(Upper(part)) != std::string::npos;
}

}  // namespace machine
