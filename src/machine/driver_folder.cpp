#include "machine/driver_folder.h"

#include "host/host_files.h"

namespace machine {

bool AddDriverFolder(const std::string& folder, Machine& machine, std::string& error) {
    std::vector<std::string> names;
    std::string reason;
    if (!host::ListRegularFiles(folder, names, reason)) {
        error = folder + ": cannot be listed: " + reason;
        return false;
    }
    for (const std::string& name : names) {
        DriverFile file;
        file.path = machine.systemDirectory + "\\drivers\\" + name;
        AttachPeFile(file, host::JoinPath(folder, name));
        machine.files[file.path] = std::move(file);
    }
    return true;
}

}  // namespace machine
