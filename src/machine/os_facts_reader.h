// The Windows release of a description ("os"): one table row per member.
#pragma once

#include <string>

#include "machine/description_reader.h"
#include "machine/machine.h"

namespace machine {

bool ReadOsFacts(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                 OsFacts& os);

}  // namespace machine
