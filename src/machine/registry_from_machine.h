// Carries a described machine's setup classes and devices into registry
// content, laid out as Windows keeps them: one Control\Class\{guid} key per
// class (its "Class" value is the class name), the driver keys below them,
// and one Enum\<instance ID> key per device, its registry properties under
// their value names.
#pragma once

#include <string>

#include "machine/machine.h"
#include "machine/registry_export.h"

namespace machine {

inline constexpr const char* kClassRoot =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class";
inline constexpr const char* kEnumRoot = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum";

// The Enum key value name of an SPDRP_ code; empty for a property that is
// not stored there.
std::string DevicePropertyValueName(win::DWORD property);

// Devices that are not present are written like the others: on Windows their
// keys stay behind, and presence is the Plug and Play manager's business.
void AddDeviceKeys(RegistryExport& reg, const Machine& machine);

}  // namespace machine
