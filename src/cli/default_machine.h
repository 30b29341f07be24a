// The machine malvoret-report describes when none is given on a system
// other than Windows: examples/machines/worked-example.json, embedded at
// build time.
#pragma once

#include <string>
#include <string_view>

#include "machine/machine.h"

std::string_view DefaultMachineJson();

// False with a one-line `error` if the embedded description does not load.
bool LoadDefaultMachine(machine::Machine& machine, std::string& error);
