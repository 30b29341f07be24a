// The SYSTEM hive content of a large machine, for the offline benchmarks:
// `devices` USB devices (every tenth in the IEEE 1394 class), each under a
// device key of its own with the values Windows keeps there and a Device
// Parameters subkey, and `services` kernel driver services, the last fifty
// of them the devices' filters.
#pragma once

#include <cstddef>

#include "machine/registry_tree.h"

// The hive's root key is HKEY_LOCAL_MACHINE\SYSTEM of the tree.
machine::RegistryTree BigSystemTree(std::size_t devices, std::size_t services);
