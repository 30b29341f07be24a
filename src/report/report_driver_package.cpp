// The driver package a device was installed from, as its driver key
// (Control\Class\<Driver value>) records it. The package's signer is left
// out: Windows 2000 and Wine have no read-only way to tell it.
#include <string>
#include <vector>

#include "devices/dev_node.h"
#include "devices/driver_date.h"
#include "devices/driver_key.h"
#include "log/trace_log.h"
#include "platform/failure_code.h"
#include "report/report.h"
#include "text/joined.h"
#include "services/system_dir.h"

namespace {

constexpr std::uint32_t kPackageColumn = 21;

bool Missing(StatusCode result) {
    return result == win::ERROR_KEY_DOES_NOT_EXIST || result == win::ERROR_FILE_NOT_FOUND;
}

// DriverDateData when it is a FILETIME, else the DriverDate text (shown as
// stored when it is not month-day-year). Absent: empty, success.
StatusCode ReadDriverDate(DriverKey& key, std::string& date) {
    date.clear();
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    StatusCode result = key.ReadValue("DriverDateData", type, data);
    if (result == 0 && DateFromFileTime(data.data(), data.size(), date)) {
        return 0;
    }
    if (result != 0 && result != win::ERROR_FILE_NOT_FOUND) {
        return result;
    }
    std::string text;
    result = key.ReadText("DriverDate", text);
    if (result == win::ERROR_FILE_NOT_FOUND) {
        return 0;
    }
    if (result == 0 && !DateFromDriverDate(text, date)) {
        date = text;
    }
    return result;
}

}  // namespace

// The INF folder is the Windows folder's, the parent of the system directory.
void Report::AddInfFileCheck(const std::string& infFile) {
    if (infFile.empty() || infFile.find_first_of("\\/:") != std::string::npos) {
        return;  // only plain names lie in the INF folder
    }
    std::string systemDir;
    const StatusCode result = GetSystemDir(systemDir);
    if (result != 0) {
        Trace(LOG_ERROR, "AddInfFileCheck: GetSystemDir failed with error = 0x%08X\n", result);
        return;
    }
    const std::size_t end = systemDir.find_last_not_of('\\');
    const std::size_t slash = end == std::string::npos ? end : systemDir.rfind('\\', end);
    if (slash == std::string::npos) {
        return;
    }
    const std::string folder = Joined({std::string_view(systemDir).substr(0, slash), "\\inf"});
    if (win::Current().GetFileAttributesA(Joined({folder, "\\", infFile}).c_str()) !=
        win::INVALID_FILE_ATTRIBUTES) {
        return;
    }
    const StatusCode error = LastFailureCode();
    if (error == win::ERROR_FILE_NOT_FOUND) {
        AddText(Joined({"(not in ", folder, ")"}), kPackageColumn);
        AddNewLines(1);
    } else if (error != win::ERROR_PATH_NOT_FOUND) {
        // A missing INF folder: the Windows folder is not at hand (offline).
        Trace(LOG_ERROR, "AddInfFileCheck: GetFileAttributes failed with error = 0x%08X\n", error);
    }
}

void Report::AddDriverPackageInfo(const DevNode& devNode) {
    Trace(LOG_INFO, "Report::AddDriverPackageInfo...\n");
    StringList name;
    StatusCode result = GetRegistryProperty(name, devNode, win::SPDRP_DRIVER);
    if (result != 0) {
        Trace(LOG_ERROR, "AddDriverPackageInfo: get driver key name failed with error 0x%08X.\n",
              result);
        return;
    }
    AddText("Driver Key:", 0);
    AddText(name.empty() || name.front().empty() ? "(none)" : name.front(), kPackageColumn);
    AddNewLines(1);
    if (name.empty() || name.front().empty()) {
        return;  // no driver was installed for the device
    }
    DriverKey key;
    result = key.Open(devNode);
    if (Missing(result)) {
        AddText("(the key does not exist)", kPackageColumn);
        AddNewLines(1);
        return;
    }
    if (result != 0) {
        Trace(LOG_ERROR, "AddDriverPackageInfo: open driver key failed with error 0x%08X.\n",
              result);
        return;
    }

    struct PackageValue {
        const char* name;  // nullptr: the date, from one of two values
        const char* label;
    };
    static const PackageValue kValues[] = {
        {"ProviderName", "Driver Provider:"},
        {"DriverVersion", "Driver Version:"},
        {nullptr, "Driver Date:"},
        {"InfPath", "INF File:"},
        {"InfSection", "INF Section:"},
        {"MatchingDeviceId", "Matching Device ID:"},
        {"DriverDesc", "Driver Description:"},
    };
    for (const PackageValue& value : kValues) {
        std::string read;
        result = value.name != nullptr ? key.ReadText(value.name, read) : ReadDriverDate(key, read);
        if (result == win::ERROR_FILE_NOT_FOUND ||
            (result == 0 && value.name == nullptr && read.empty())) {
            continue;  // the package does not record it
        }
        if (result != 0) {
            Trace(LOG_ERROR, "AddDriverPackageInfo: read %s failed with error 0x%08X.\n",
                  value.name != nullptr ? value.name : "DriverDate", result);
            continue;
        }
        AddText(value.label, 0);
        AddText(read, kPackageColumn);
        AddNewLines(1);
        if (value.name != nullptr && std::string(value.name) == "InfPath") {
            AddInfFileCheck(read);
        }
    }
    result = key.Close();
    if (result != 0) {
        Trace(LOG_ERROR, "AddDriverPackageInfo: close driver key failed with error 0x%08X.\n",
              result);
    }
}
