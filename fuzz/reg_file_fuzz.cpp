// Registry exports of any content: the reader either takes the file or names
// a line and what is wrong there, never crashes, and a machine built from
// what it took gives a report.
#include "fuzz_support.h"
#include "machine/machine_from_registry.h"
#include "report/final_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    sim::RegistryTree tree;
    sim::RegFileError error;
    const bool parsed = sim::ParseRegFile(data, size, tree, error);
    FUZZ_CHECK(parsed == error.message.empty());
    FUZZ_CHECK(error.message.find('\n') == std::string::npos);
    FUZZ_CHECK(error.line <= size + 1);
    if (!parsed) {
        return 0;
    }
    sim::Machine machine;
    std::string why;
    if (!sim::MachineFromRegistry(tree, machine, why)) {
        FUZZ_CHECK(!why.empty());
        return 0;
    }
    // A small machine only: the report walks every device.
    if (machine.devices.size() > 64 || machine.services.size() > 64) {
        return 0;
    }
    sim::SimulatedPlatform platform(std::move(machine));
    platform.calls().SetEnabled(false);
    win::ScopedPlatform scope(platform);
    FinalReport report;
    report.Generate("Fuzz\r\n----", true, true);
    FUZZ_CHECK(!report.GetText().empty());
    return 0;
}
