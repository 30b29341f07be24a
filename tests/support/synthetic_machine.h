// Described machines of any size for benchmarks and scaling tests: `devices`
// present USB devices (every tenth one in the IEEE 1394 class), about half as
// many services, each device with a function driver, one upper and one lower
// device filter, and every driver file with a version resource of one
// translation. With `packages`, each device also has a manufacturer, two
// hardware and two compatible IDs, configuration flags and a driver package
// (a driver key of eight values and its INF file), for the device details.
#pragma once

#include <cstddef>

#include "machine/machine.h"

machine::Machine SyntheticMachine(std::size_t devices, bool packages = false);
