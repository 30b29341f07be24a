// A described machine as the Windows folder of an installation: its SYSTEM
// and SOFTWARE hives (our empty hive filled through hivex where the host has
// it, else written by our writer) and its driver files as real PE files.
// Used by the tests and by malvoret-windir for the Wine scenario.
#pragma once

#include <string>

#include "machine/machine.h"
#include "machine/registry_tree.h"

// The registry of the machine as its hives hold it: the REGEDIT4 content of
// the Wine harness and the release keys, the control set as ControlSet001
// named current by Select.
bool HiveContent(const machine::Machine& machine, machine::RegistryTree& tree, std::string& error);

// Each file of `machine` directly in its system32\drivers as a PE file in `folder`.
bool WriteDriverImages(const machine::Machine& machine, const std::string& folder,
                       std::string& error);

// folder/System32/config/SYSTEM and .../software (the cases Windows uses),
// folder/system32/DRIVERS/*.sys of what exports can carry, and the INF files
// in folder/INF.
bool WriteWindowsFolder(const machine::Machine& machine, const std::string& folder,
                        std::string& error);
