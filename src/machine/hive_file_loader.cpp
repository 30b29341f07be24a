#include "machine/hive_file_loader.h"

#include <cstdint>
#include <vector>

#include "machine/hive_reader.h"
#include "host/mapped_file.h"

namespace machine {

namespace {

// Larger than any SYSTEM or SOFTWARE hive; keeps a wrong file (a disk
// image) from being read.
constexpr std::size_t kMaxHiveFile = std::size_t{1} << 30;

// Collects only the names of the root key's subkeys.
class TopKeys : public RegFileSink {
  public:
    void Key(const std::vector<std::string>& path) override {
        if (path.size() == 2) {
            names.push_back(path[1]);
        }
    }
    void DeleteKey(const std::vector<std::string>&) override {}
    void Value(const std::string&, RegValue) override {}
    void DeleteValue(const std::string&) override {}

    std::vector<std::string> names;
};

bool Named(const std::string& name, const char* wanted) {
    return !CaseInsensitiveLess{}(name, wanted) && !CaseInsensitiveLess{}(wanted, name);
}

}  // namespace

bool LoadHiveFile(const std::string& path, RegistryTree& tree, HiveKind& kind, std::string& note,
                  std::string& error) {
    note.clear();
    host::MappedFile file;
    std::string reason;
    if (!file.Open(path, kMaxHiveFile, reason)) {
        error = path + ": cannot be read: " + reason;
        return false;
    }
    HiveCells cells;
    HiveReadResult result;
    TopKeys top;
    if (!cells.Open(file.Data(), file.Size(), result.fault) ||
        !ReadHive(cells, {"HIVE"}, top, result, 1)) {
        error = HiveFaultText(path, result.fault);
        return false;
    }
    bool system = false;
    bool software = false;
    for (const std::string& name : top.names) {
        system = system || Named(name, "Select") || Named(name.substr(0, 10), "ControlSet");
        software = software || Named(name, "Microsoft");
    }
    if (system == software) {
        error = path +
                ": neither a SYSTEM hive (with Select and ControlSet keys) nor a SOFTWARE "
                "hive (with a Microsoft key)";
        return false;
    }
    kind = system ? HiveKind::System : HiveKind::Software;
    const std::vector<std::string> mount = {"HKEY_LOCAL_MACHINE", system ? "SYSTEM" : "SOFTWARE"};
    if (!ReadHive(cells, mount, tree, result)) {
        error = HiveFaultText(path, result.fault);
        return false;
    }
    if (result.sequenceNumbersDiffer) {
        note = path + ": the hive's sequence numbers differ (" + std::to_string(result.sequence1) +
               " and " + std::to_string(result.sequence2) +
               "): Windows stopped while writing it; read as it stands, without its logs";
    }
    return true;
}

}  // namespace machine
