// The version resource of a described file, as fields: versions "a.b.c.d",
// translations, string tables and the two switches.
#pragma once

#include <string>

#include "machine/description_reader.h"
#include "machine/machine.h"

namespace machine {

bool ReadVersionFields(DescriptionReader& reader, const JsonValue& value, const std::string& path,
                       VersionFields& version);

}  // namespace machine
