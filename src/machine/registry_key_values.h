// Values of registry keys read as Windows' readers read them: a string only
// from REG_SZ or REG_EXPAND_SZ (up to its first NUL), a DWORD only from four
// bytes of REG_DWORD; names and texts compared without regard to case.
#pragma once

#include <optional>
#include <string>

#include "machine/registry_tree.h"

namespace machine {

std::optional<std::string> Text(const RegKey* key, const char* name);
std::optional<win::DWORD> Dword(const RegKey* key, const char* name);
bool Has(const RegKey* key, const char* name);

// Decimal digits only, fitting a DWORD.
std::optional<win::DWORD> Number(const std::string& text);

std::string Upper(std::string text);
bool Contains(const std::string& text, const char* part);

}  // namespace machine
