#include "support/windows_folder_writer.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/wine_prefix/prefix_content.h"
#include "machine/hive_writer.h"
#include "machine/registry_system_keys.h"
#include "platform/simulated/version_block.h"
#include "services/pe_image_builder.h"
#include "support/hivex_hive.h"

namespace {

bool Write(const std::string& path, const std::string& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool WriteHiveFile(const std::string& path, const machine::RegKey& root, std::string& error) {
#if defined(MVSI_HAVE_HIVEX)
    return Write(path, machine::EmptyHive(), error) && FillHiveWithHivex(path, root, error);
#else
    return Write(path, machine::WriteHive(root), error);
#endif
}

}  // namespace

bool HiveContent(const machine::Machine& machine, machine::RegistryTree& tree, std::string& error) {
    machine::RegistryExport keys;
    machine::AddSystemKeys(keys, machine);
    std::string text = BuildPrefixContent(machine).reg + keys.Text().substr(8) +
                       "\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\Select]\r\n\"Current\"=dword:00000001\r\n";
    for (std::size_t at = 0; (at = text.find("\\CurrentControlSet", at)) != std::string::npos;) {
        text.replace(at, 18, "\\ControlSet001");
    }
    return machine::LoadRegBytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                                 "machine.reg", tree, error);
}

bool WriteDriverImages(const machine::Machine& machine, const std::string& folder,
                       std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    const std::string drivers = machine.systemDirectory + "\\drivers\\";
    for (const auto& [path, file] : machine.files) {
        if (path.size() <= drivers.size() ||
            machine::CaseInsensitiveLess{}(path.substr(0, drivers.size()), drivers) ||
            machine::CaseInsensitiveLess{}(drivers, path.substr(0, drivers.size())) ||
            path.find('\\', drivers.size()) != std::string::npos) {
            continue;
        }
        const std::string target = folder + "/" + path.substr(drivers.size());
        std::vector<std::uint8_t> image;
        if (file.version) {
            image = BuildPeImage(sim::BuildVersionBlock(*file.version)).bytes;
        } else if (file.rawBlock) {
            image = BuildPeImage(*file.rawBlock).bytes;
        } else if (file.peFile) {
            std::filesystem::copy_file(*file.peFile, target, code);
            continue;
        } else {
            PeImageOptions bare;
            bare.withResources = false;
            image = BuildPeImage({}, bare).bytes;
        }
        if (!Write(target, std::string(image.begin(), image.end()), error)) {
            return false;
        }
    }
    return true;
}

bool WriteWindowsFolder(const machine::Machine& machine, const std::string& folder,
                        std::string& error) {
    machine::RegistryTree content;
    if (!HiveContent(machine, content, error)) {
        return false;
    }
    std::error_code code;
    std::filesystem::create_directories(folder + "/System32/config", code);
    // The INF folder as Windows spells it; the packages' INF files in it.
    std::filesystem::create_directories(folder + "/INF", code);
    for (const std::string& inf : BuildPrefixContent(machine).infFiles) {
        if (!Write(folder + "/INF/" + inf, "; placeholder of a driver package\r\n", error)) {
            return false;
        }
    }
    return WriteHiveFile(folder + "/System32/config/SYSTEM",
                         *content.Find("HKEY_LOCAL_MACHINE\\SYSTEM"), error) &&
           WriteHiveFile(folder + "/System32/config/software",
                         *content.Find("HKEY_LOCAL_MACHINE\\SOFTWARE"), error) &&
           WriteDriverImages(machine, folder + "/system32/DRIVERS", error);
}
