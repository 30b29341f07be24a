// The services of a described machine as registry content: the keys under
// HKLM\SYSTEM\CurrentControlSet\Services from which a service manager serves
// them.
#pragma once

#include "machine/machine.h"
#include "machine/registry_export.h"

namespace machine {

inline constexpr const char* kServicesKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services";

// One key per service with Type, Start, ErrorControl, the ImagePath when the
// service has one (REG_EXPAND_SZ, as Windows stores it) and the DisplayName
// when it is not empty.
void AddServiceKeys(RegistryExport& out, const Machine& machine);

}  // namespace machine
