// The driver (software) keys of a description, by their name under
// Control\Class, and the folders it says exist.
#pragma once

#include <string>

#include "machine/description_reader.h"
#include "machine/machine.h"

namespace machine {

// {"{guid}\\0001": {"ProviderName": "...", ...}, ...}: each key's values are
// registry values, as for class keys.
bool ReadDriverKeys(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                    std::map<std::string, RegValues, CaseInsensitiveLess>& keys);

// ["C:\\Windows\\inf", ...]: full paths without a trailing backslash.
bool ReadFolders(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                 std::set<std::string, CaseInsensitiveLess>& folders);

}  // namespace machine
