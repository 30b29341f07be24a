// The driver (software) keys of a control set: every subkey of a
// Control\Class\{guid} key, by the name a device's Driver value gives it.
#pragma once

#include "machine/machine.h"
#include "machine/registry_tree.h"

namespace machine {

// Classes without a name (not installed) have them too; nothing without
// Control\Class. The values are moved out of the driver keys.
void AddDriverKeys(RegKey* controlSet, Machine& machine);

}  // namespace machine
