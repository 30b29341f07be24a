// Hive files of any content: the reader either takes the file or names an
// offset inside it and what is wrong there, never reads outside the bytes,
// and a machine built from what it took gives a report.
#include "fuzz_support.h"
#include "machine/hive_reader.h"
#include "machine/machine_from_registry.h"
#include "report/final_report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    sim::RegistryTree tree;
    sim::HiveReadResult result;
    const bool read = sim::ReadHive(data, size, {"HKEY_LOCAL_MACHINE", "SYSTEM"}, tree, result);
    FUZZ_CHECK(read == result.fault.message.empty());
    FUZZ_CHECK(result.fault.message.find('\n') == std::string::npos);
    FUZZ_CHECK(result.fault.offset <= size);
    if (!read) {
        return 0;
    }
    sim::Machine machine;
    std::string why;
    if (!sim::MachineFromRegistry(tree, machine, why)) {
        FUZZ_CHECK(!why.empty());
        return 0;
    }
    // The reader is the target: a report only of a small machine, which
    // keeps the run at thousands of inputs a second.
    if (machine.devices.size() > 4 || machine.services.size() > 4) {
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
