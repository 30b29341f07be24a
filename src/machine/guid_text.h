// The braced text form of a GUID as the device database stores it (the
// ClassGUID value of a device, the class key names), for the simulated
// provider and the registry export; the core has its own conversion.
#pragma once

#include <string>

#include "platform/platform.h"

namespace sim {

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}", lower case.
std::string GuidText(const win::GUID& guid);

// Exactly the braced form, digits of either case; false on anything else.
bool ParseGuidText(const std::string& text, win::GUID& guid);

}  // namespace sim
