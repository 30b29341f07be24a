// A described Windows machine: the facts the simulated provider answers from.
// Descriptions are loaded from JSON (examples/machines/, the golden reports,
// the Wine prefixes) or built by tests.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "wintypes/win_types.h"

namespace machine {

// Windows compares these names without regard to case (ASCII folding).
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

// A registry value exactly as stored: its type code and raw bytes, so that
// malformed data (a multi-string without terminators, size 0) can be described.
struct RegValue {
    win::DWORD type = win::REG_NONE;
    std::vector<std::uint8_t> data;

    static RegValue String(const std::string& text, win::DWORD type = win::REG_SZ);
    static RegValue MultiString(const std::vector<std::string>& items);
    static RegValue Dword(win::DWORD value);
};

struct OsFacts {
    win::DWORD platformId = win::VER_PLATFORM_WIN32_NT;
    win::DWORD major = 6;
    win::DWORD minor = 1;
    win::DWORD build = 7601;
    win::WORD servicePackMajor = 1;
    win::WORD servicePackMinor = 0;
    std::string csdVersion = "Service Pack 1";
    win::BYTE productType = win::VER_NT_WORKSTATION;
    win::WORD suiteMask = 0;
    bool is64BitWindows = false;
    // The program's own bitness: the product is a 32-bit program, which runs
    // under WOW64 on 64-bit Windows; the 64-bit build is a native process.
    bool is64BitProcess = false;
    bool hasIsWow64Process = true;
    win::DWORD processorCount = 1;
};

struct SetupClass {
    win::GUID guid{};
    std::string name;
    // Values of the class registry key (UpperFilters, LowerFilters, ...).
    std::map<std::string, RegValue, CaseInsensitiveLess> values;
};

// What CM_Get_DevNode_Status answers for a started device (driver loaded,
// started, disableable, NT enumerator and driver), and for one with a problem.
inline constexpr win::ULONG kStartedDevNode = 0x0180200A;
inline constexpr win::ULONG kProblemDevNode = 0x01802400;

struct Device {
    std::string instanceId;
    bool present = true;
    // Registry properties by SPDRP_ code. The device's setup class is the one
    // its SPDRP_CLASSGUID property names, as in the Enum key.
    std::map<win::DWORD, RegValue> properties;
    // The device node's status bits (DN_*) and, with DN_HAS_PROBLEM, its
    // problem code (CM_PROB_*), as the Plug and Play manager holds them.
    win::ULONG devNodeStatus = kStartedDevNode;
    win::ULONG problem = 0;
};

// A registry key's values by name (names ignore case).
using RegValues = std::map<std::string, RegValue, CaseInsensitiveLess>;

struct Service {
    std::string name;
    std::optional<std::string> binaryPath;  // absent: QueryServiceConfig gives an empty path
    win::DWORD serviceType = win::SERVICE_KERNEL_DRIVER;
    win::DWORD startType = win::SERVICE_DEMAND_START;
    win::DWORD errorControl = win::SERVICE_ERROR_NORMAL;
    std::string displayName;
};

// The version resource of a file, as fields from which the provider builds
// a genuine VS_VERSIONINFO block.
struct VersionFields {
    win::WORD fileVersion[4] = {0, 0, 0, 0};
    win::WORD productVersion[4] = {0, 0, 0, 0};
    // Translation entries: language in the low 16 bits, code page in the high.
    std::vector<win::DWORD> translations;
    // Version strings by translation entry ("040904b0") and name.
    std::map<std::string, std::map<std::string, std::string>> strings;
    bool hasFixedInfo = true;
    bool hasTranslationValue = true;
};

struct DriverFile {
    std::string path;  // the full Windows path, e.g. C:\WINDOWS\system32\drivers\usbhub.sys
    std::optional<VersionFields> version;  // from fields
    std::optional<std::string> peFile;     // or the RT_VERSION resource of a real PE file
    std::optional<std::vector<std::uint8_t>> rawBlock;  // or a block as given, byte for byte
    // None of the three: the file exists without a version resource.
    // The PE file's bytes, read by AttachPeFile; absent: the file could not be read.
    std::optional<std::vector<std::uint8_t>> peImage{};
};

// Make function `function` fail with `error`: always, on its `callNumber`-th
// call (1-based), or when the argument that identifies the call is `argument`.
struct Fault {
    std::string function;
    std::optional<std::string> argument;
    std::optional<std::uint32_t> callNumber;
    win::DWORD error = win::ERROR_GEN_FAILURE;
};

struct Machine {
    OsFacts os;
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::vector<SetupClass> classes;
    std::vector<Device> devices;  // in enumeration order
    std::map<std::string, Service, CaseInsensitiveLess> services;
    std::map<std::string, DriverFile, CaseInsensitiveLess> files;  // by full path
    // Folders that exist beyond those that hold a described file (full paths,
    // no trailing backslash): GetFileAttributesA tells a missing file in an
    // existing folder from a missing folder.
    std::set<std::string, CaseInsensitiveLess> folders;
    // Driver (software) keys under Control\Class, by the name a device's
    // Driver value gives them: "{4d36e972-e325-11ce-bfc1-08002be10318}\0001".
    std::map<std::string, RegValues, CaseInsensitiveLess> driverKeys;
    std::vector<Fault> faults;
    // The program's own path (GetModuleFileNameA with no module); empty: the
    // program's usual place. A front end hands in the real one.
    std::string moduleFileName;
};

// Names the host file `hostPath` as the PE file of `file` and reads its bytes
// now, so that the provider never reads the host's files; a file that cannot
// be read is left without bytes and answers as a missing file.
void AttachPeFile(DriverFile& file, const std::string& hostPath);

}  // namespace machine
