// The braced text form of a GUID: the report's class lines, the device
// database's ClassGUID values and class key names, described machines.
#pragma once

#include <string>

#include "wintypes/win_types.h"

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", lower case.
std::string GuidText(const win::GUID& guid);

// Exactly the braced form, digits of either case; false on anything else.
bool ParseGuidText(const std::string& text, win::GUID& guid);
