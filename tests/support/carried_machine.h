// What registry files and copies of driver files carry of a described
// machine, for the round trips through exports, hives and Windows folders.
#pragma once

#include <string>
#include <vector>

#include "machine/machine.h"

// The report of `machine` on the simulated platform, both classes shown and
// every other class with a present device (--all-classes): offline every
// installed class is there to ask for.
std::string ReportOf(const machine::Machine& machine);

// Devices in the order the Enum tree holds them: instances under their
// model, models under their enumerator, each where it first appears.
void TreeOrder(std::vector<machine::Device>& devices);

// What an export and a folder of driver files cannot carry, made equal on
// the described side: presence, injected faults, the program's own process,
// the device order beyond the Enum tree's, files outside system32\drivers,
// lower-case instance IDs, a single-session suite without Terminal Services
// and IsWow64Process where the release decides it.
machine::Machine Carried(machine::Machine machine);

// The driver files as copies taken from the machine: real PE files.
void WriteDriverFiles(const machine::Machine& machine, const std::string& folder);
