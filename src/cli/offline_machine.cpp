#include "cli/offline_machine.h"

#include <utility>

#include "machine/driver_folder.h"
#include "machine/hive_file_loader.h"
#include "machine/windows_folder.h"
#include "host/host_files.h"
#include "machine/machine_from_registry.h"
#include "services/driver_file_name.h"

namespace {

bool LoadHives(const std::vector<std::string>& files, machine::RegistryTree& tree,
               std::vector<std::string>& notes, std::string& error) {
    bool seen[2] = {false, false};
    for (const std::string& file : files) {
        machine::HiveKind kind = machine::HiveKind::System;
        std::string note;
        if (!machine::LoadHiveFile(file, tree, kind, note, error)) {
            return false;
        }
        bool& again = seen[kind == machine::HiveKind::System ? 0 : 1];
        if (again) {
            error = file + ": a second " +
                    (kind == machine::HiveKind::System ? "SYSTEM" : "SOFTWARE") + " hive";
            return false;
        }
        again = true;
        if (!note.empty()) {
            notes.push_back(note);
        }
    }
    return true;
}

// The INF files the driver keys name that the Windows folder holds, and the
// INF folder itself: the report then tells a missing INF file from one that
// cannot be looked for.
void AddInfFiles(const machine::WindowsFolder& windows, const std::string& systemRoot,
                 machine::Machine& machine) {
    const std::string infFolder = host::FindIgnoringCase(windows.Folder(), "inf");
    if (infFolder.empty() || host::KindOf(infFolder) != host::FileKind::Directory) {
        return;
    }
    machine.folders.insert(systemRoot + "\\inf");
    for (const auto& [key, values] : machine.driverKeys) {
        const auto inf = values.find("InfPath");
        if (inf == values.end()) {
            continue;
        }
        const std::vector<std::uint8_t>& data = inf->second.data;
        std::string name(data.begin(), data.end());
        name = name.substr(0, name.find('\0'));
        if (name.empty() || name.find_first_of("\\/:") != std::string::npos) {
            continue;
        }
        const std::string path = systemRoot + "\\inf\\" + name;
        if (!windows.HostPath(path, systemRoot).empty()) {
            machine.files[path].path = path;
        }
    }
}

}  // namespace

bool MachineFromExports(const std::vector<std::string>& files, const std::string& drivers,
                        machine::Machine& machine, std::string& error) {
    machine::RegistryTree tree;
    for (const std::string& file : files) {
        if (!machine::LoadRegFile(file, tree, error)) {
            return false;
        }
    }
    return machine::MachineFromRegistry(std::move(tree), machine, error) &&
           (drivers.empty() || machine::AddDriverFolder(drivers, machine, error));
}

bool MachineFromHives(const std::vector<std::string>& hives, const std::string& drivers,
                      machine::Machine& machine, std::vector<std::string>& notes,
                      std::string& error) {
    machine::RegistryTree tree;
    return LoadHives(hives, tree, notes, error) &&
           machine::MachineFromRegistry(std::move(tree), machine, error) &&
           (drivers.empty() || machine::AddDriverFolder(drivers, machine, error));
}

bool MachineFromWindowsFolder(const std::string& folder, const std::map<char, std::string>& drives,
                              machine::Machine& machine, std::vector<std::string>& notes,
                              std::string& error) {
    if (host::KindOf(folder) != host::FileKind::Directory) {
        error = folder + ": no such folder";
        return false;
    }
    const machine::WindowsFolder windows(folder, drives);
    std::vector<std::string> hives;
    for (const char* name : {"SYSTEM", "SOFTWARE"}) {
        hives.push_back(windows.Hive(name));
        if (hives.back().empty()) {
            error = folder + ": no System32\\config\\" + name + ": not a Windows folder";
            return false;
        }
    }
    machine::RegistryTree tree;
    if (!LoadHives(hives, tree, notes, error) ||
        !machine::MachineFromRegistry(std::move(tree), machine, error)) {
        return false;
    }
    if (machine.systemDirectory.empty()) {
        return true;  // the report shows why no driver file can be read
    }
    const std::string systemRoot =
        machine.systemDirectory.substr(0, machine.systemDirectory.size() - 9);  // "\system32"
    AddInfFiles(windows, systemRoot, machine);
    for (const auto& [name, service] : machine.services) {
        std::string fileName;
        if (!DriverFileName(service.binaryPath.value_or(""), name, fileName)) {
            continue;
        }
        const std::string path = machine.systemDirectory + "\\drivers\\" + fileName;
        const std::string found = windows.HostPath(path, systemRoot);
        if (!found.empty()) {
            machine::DriverFile file;
            file.path = path;
            machine::AttachPeFile(file, found);
            machine.files[path] = std::move(file);
        }
    }
    return true;
}
