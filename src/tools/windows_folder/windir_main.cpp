// malvoret-windir MACHINE.json DIR: writes the Windows folder of a described
// machine into DIR (System32\config\SYSTEM and SOFTWARE, filled through
// hivex, and the driver files as PE files), for the Wine scenario that reads
// it with both builds.
#include <cstdio>
#include <string>

#include "machine/machine_loader.h"
#include "support/windows_folder_writer.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: malvoret-windir MACHINE.json DIR\n");
        return 2;
    }
    machine::Machine machine;
    std::string error;
    if (!machine::MachineLoader::FromFile(argv[1], machine, error) ||
        !WriteWindowsFolder(machine, argv[2], error)) {
        std::fprintf(stderr, "malvoret-windir: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
