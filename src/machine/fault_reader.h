// A fault of a description: which function fails, when, and with what code.
#pragma once

#include <string>

#include "machine/description_reader.h"
#include "machine/machine.h"

namespace machine {

bool ReadFault(DescriptionReader& reader, const JsonValue& value, const std::string& path,
               Fault& fault);

}  // namespace machine
