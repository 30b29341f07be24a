#include "cli/default_machine.h"

#include <cstddef>

#include "machine/machine_loader.h"

// Generated from the example file by the build.
extern const unsigned char kDefaultMachineJson[];
extern const std::size_t kDefaultMachineJsonSize;

std::string_view DefaultMachineJson() {
    return std::string_view(reinterpret_cast<const char*>(kDefaultMachineJson),
                            kDefaultMachineJsonSize);
}

bool LoadDefaultMachine(machine::Machine& machine, std::string& error) {
    machine::MachineLoader loader("built-in machine", "");
    const bool ok = loader.LoadText(DefaultMachineJson(), machine);
    error = loader.Error();
    return ok;
}
