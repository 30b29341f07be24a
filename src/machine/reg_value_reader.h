// A registry value of a description: a string, a list of strings, a DWORD,
// or an object with a type and its data in one of four forms.
#pragma once

#include <string>

#include "machine/description_reader.h"
#include "machine/machine.h"

namespace machine {

bool ReadRegValue(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                  RegValue& reg);

}  // namespace machine
