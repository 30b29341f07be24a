// Described machines of any size for benchmarks and scaling tests: `devices`
// present USB devices (every tenth one in the IEEE 1394 class), about half as
// many services, each device with a function driver, one upper and one lower
// device filter, and every driver file with a version resource of one
// translation.
#pragma once

#include <cstddef>

#include "machine/machine.h"

machine::Machine SyntheticMachine(std::size_t devices);

// The same devices spread over `classes` setup classes (USB, IEEE 1394 and
// classes named Synthetic03 onwards), in contiguous blocks so that a class
// shares almost no service with another.
machine::Machine SyntheticMachine(std::size_t devices, std::size_t classes);

// The same machine, each device also with a manufacturer, two hardware and
// two compatible IDs, configuration flags and a driver package (a driver key
// of eight values and its INF file), for the device details.
machine::Machine SyntheticMachineWithPackages(std::size_t devices);
