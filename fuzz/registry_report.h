// What the registry readers' targets do with a tree the reader took: build a
// machine from it (or learn why not) and, for a machine of at most `most`
// devices and services, which keeps the run fast, write its report.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "fuzz_support.h"
#include "machine/machine_from_registry.h"
#include "report/final_report.h"

inline void CheckRegistryReport(machine::RegistryTree&& tree, std::size_t most) {
    machine::Machine machine;
    std::string why;
    if (!machine::MachineFromRegistry(std::move(tree), machine, why)) {
        FUZZ_CHECK(!why.empty());
        return;
    }
    if (machine.devices.size() > most || machine.services.size() > most) {
        return;
    }
    sim::SimulatedPlatform platform(std::move(machine));
    platform.calls().SetEnabled(false);
    win::ScopedPlatform scope(platform);
    FinalReport report;
    report.Generate("Fuzz\r\n----", true, true);
    FUZZ_CHECK(!report.GetText().empty());
}
