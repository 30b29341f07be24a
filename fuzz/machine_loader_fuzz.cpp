// Machine descriptions of any content: the loader either succeeds or says
// what is wrong, never crashes, and a loaded machine stands up as a platform.
#include "fuzz_support.h"
#include "machine/machine_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Environment();
    machine::MachineLoader loader("fuzz.json", "/nonexistent");
    machine::Machine machine;
    const bool loaded = loader.LoadText(AsText(data, size), machine);
    FUZZ_CHECK(loaded == loader.Error().empty());
    FUZZ_CHECK(loader.Error().find('\n') == std::string::npos);
    if (loaded) {
        sim::SimulatedPlatform platform(std::move(machine));
        platform.calls().SetEnabled(false);
    }
    return 0;
}
