// The braced text form of a GUID: the report's class lines, the device
// database's ClassGUID values and class key names, described machines.
#pragma once

#include <string>
#include <string_view>

#include "wintypes/win_types.h"

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", lower case.
std::string GuidText(const win::GUID& guid);

// Exactly the braced form, digits of either case; false on anything else.
bool ParseGuidText(std::string_view text, win::GUID& guid);
