#include "machine/machine_from_registry.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "text/guid_text.h"
#include "machine/driver_keys_from_registry.h"
#include "machine/registry_from_machine.h"
#include "machine/registry_key_values.h"
#include "machine/windows_names.h"
#include "text/print_format.h"

namespace machine {

namespace {

constexpr win::DWORD kInvalidData = 13;  // ERROR_INVALID_DATA
// An unknown version field: no value holds, so the probes end in their
// "not found" message and the report shows its placeholder.
constexpr win::DWORD kNoMatch = win::ERROR_OLD_WIN_VERSION;

// Version fields as VerifyVersionInfoA's type mask names them.
constexpr const char* kMajorMinor = "0x03";
constexpr const char* kMinor = "0x01";
constexpr const char* kMajor = "0x02";
constexpr const char* kBuild = "0x04";
constexpr const char* kServicePackMinor = "0x10";
constexpr const char* kServicePackMajor = "0x20";
constexpr const char* kSuites = "0x40";
constexpr const char* kProductType = "0x80";

void FailCall(Machine& machine, const char* function, const char* argument, win::DWORD error) {
    Fault fault;
    fault.function = function;
    if (argument != nullptr) {
        fault.argument = argument;
    }
    fault.error = error;
    machine.faults.push_back(fault);
}

void FailVersion(Machine& machine, std::initializer_list<const char*> masks, win::DWORD error) {
    for (const char* mask : masks) {
        FailCall(machine, "VerifyVersionInfoA", mask, error);
    }
}

// The control set the exports describe: CurrentControlSet as named, the one
// Select\Current names, or the only ControlSetNNN there is.
bool FindControlSet(RegistryTree& tree, RegKey*& controlSet, std::string& error) {
    controlSet = nullptr;
    RegKey* system = tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM");
    if (system == nullptr) {
        return true;
    }
    if ((controlSet = system->Find("CurrentControlSet")) != nullptr) {
        return true;
    }
    std::vector<RegKey*> sets;
    for (RegKey* key : system->Subkeys()) {
        const std::string& name = key->Name();
        if (Upper(name).rfind("CONTROLSET", 0) == 0 && Number(name.substr(10))) {
            sets.push_back(key);
        }
    }
    if (const auto current = Dword(system->Find("Select"), "Current")) {
        char name[32];
        FormatPrint(name, sizeof name, "ControlSet%03u", *current);
        if ((controlSet = system->Find(name)) != nullptr) {
            return true;
        }
        if (!sets.empty()) {
            error = std::string("HKLM\\SYSTEM\\Select names ") + name +
                    " as the current control set, and the exports do not hold it";
            return false;
        }
    }
    if (sets.size() > 1) {
        error =
            "the exports hold several control sets and no HKLM\\SYSTEM\\Select\\Current value "
            "telling which one is current; export HKLM\\SYSTEM\\CurrentControlSet instead";
        return false;
    }
    controlSet = sets.empty() ? nullptr : sets.front();
    return true;
}

void AddVersion(const RegKey* version, const RegKey* controlSet, Machine& machine) {
    OsFacts& os = machine.os;
    os = OsFacts{};
    os.major = os.minor = os.build = 0;
    os.servicePackMajor = os.servicePackMinor = 0;
    os.csdVersion.clear();
    os.productType = 0;
    os.processorCount = 0;

    const auto major = Dword(version, "CurrentMajorVersionNumber");
    const auto minor = Dword(version, "CurrentMinorVersionNumber");
    const auto dotted = Text(version, "CurrentVersion");
    bool versionKnown = false;
    if (major && minor) {
        os.major = *major;
        os.minor = *minor;
        versionKnown = true;
    } else if (dotted) {
        const std::size_t dot = dotted->find('.');
        const auto a = Number(dotted->substr(0, dot));
        const auto b = dot == std::string::npos ? std::nullopt : Number(dotted->substr(dot + 1));
        if (a && b) {
            os.major = *a;
            os.minor = *b;
            versionKnown = true;
        } else {
            FailVersion(machine, {kMajorMinor, kMajor, kMinor}, kNoMatch);
        }
    } else {
        FailVersion(machine, {kMajorMinor, kMajor, kMinor}, kNoMatch);
    }

    std::optional<std::string> build = Text(version, "CurrentBuildNumber");
    if (!build) {
        build = Text(version, "CurrentBuild");
    }
    if (const auto number = build ? Number(*build) : std::nullopt) {
        os.build = *number;
    } else {
        FailVersion(machine, {kBuild}, kNoMatch);
    }

    // The service pack number is the kernel's, kept in Control\Windows; the
    // text only names it.
    os.csdVersion = Text(version, "CSDVersion").value_or("");
    if (os.csdVersion.size() > 127) {
        os.csdVersion.resize(127);
    }
    const RegKey* windows = controlSet != nullptr ? controlSet->Find("Control\\Windows") : nullptr;
    if (const auto csd = Dword(windows, "CSDVersion")) {
        os.servicePackMajor = static_cast<win::WORD>(*csd >> 8 & 0xFF);
        os.servicePackMinor = static_cast<win::WORD>(*csd & 0xFF);
    } else if (version != nullptr) {
        const std::string prefix = "Service Pack ";
        if (os.csdVersion.rfind(prefix, 0) == 0) {
            const auto number = Number(os.csdVersion.substr(prefix.size()));
            if (number && *number <= 0xFFFF) {
                os.servicePackMajor = static_cast<win::WORD>(*number);
            } else {
                FailVersion(machine, {kServicePackMajor, kServicePackMinor}, kNoMatch);
            }
        } else if (!os.csdVersion.empty()) {
            FailVersion(machine, {kServicePackMajor, kServicePackMinor}, kNoMatch);
        }
        // No text at all: Windows writes one with every service pack.
    } else {
        FailVersion(machine, {kServicePackMajor, kServicePackMinor}, kNoMatch);
    }

    // IsWow64Process came with XP SP2 and Server 2003 SP1.
    if (versionKnown) {
        const win::DWORD v = os.major << 8 | os.minor;
        os.hasIsWow64Process = v > 0x0502 || (v == 0x0502 && os.servicePackMajor >= 1) ||
                               (v == 0x0501 && os.servicePackMajor >= 2);
    }
}

void AddProduct(const RegKey* controlSet, Machine& machine) {
    OsFacts& os = machine.os;
    const RegKey* options =
        controlSet != nullptr ? controlSet->Find("Control\\ProductOptions") : nullptr;
    if (options == nullptr) {
        FailVersion(machine, {kProductType}, kNoMatch);
        FailVersion(machine, {kSuites}, win::ERROR_FILE_NOT_FOUND);
        return;
    }
    const auto type = Text(options, "ProductType");
    bool known = false;
    for (const ProductTypeName& product : ProductTypeNames()) {
        if (type && Upper(*type) == Upper(product.registryName)) {
            os.productType = product.type;
            known = true;
        }
    }
    if (!known) {
        FailVersion(machine, {kProductType}, kNoMatch);
    }

    const RegValue* suites = options->Value("ProductSuite");
    if (suites != nullptr && suites->type != win::REG_MULTI_SZ) {
        FailVersion(machine, {kSuites}, kInvalidData);
        return;
    }
    if (suites != nullptr) {
        std::string item;
        for (const std::uint8_t byte : suites->data) {
            if (byte != 0) {
                item.push_back(static_cast<char>(byte));
                continue;
            }
            for (const SuiteName& suite : SuiteNames()) {
                if (suite.registryName != nullptr && Upper(item) == Upper(suite.registryName)) {
                    os.suiteMask = static_cast<win::WORD>(os.suiteMask | suite.bit);
                }
            }
            item.clear();
        }
    }
    // Terminal Services allow one interactive session unless the machine
    // runs as an application server.
    const RegKey* terminal =
        controlSet != nullptr ? controlSet->Find("Control\\Terminal Server") : nullptr;
    if ((os.suiteMask & win::VER_SUITE_TERMINAL) != 0 &&
        Dword(terminal, "TSAppCompat").value_or(0) == 0) {
        os.suiteMask = static_cast<win::WORD>(os.suiteMask | win::VER_SUITE_SINGLEUSERTS);
    }
}

void AddBitness(const RegistryTree& tree, const RegKey* version, const RegKey* controlSet,
                Machine& machine) {
    OsFacts& os = machine.os;
    const RegKey* environment =
        controlSet != nullptr ? controlSet->Find("Control\\Session Manager\\Environment") : nullptr;
    if (const auto arch = Text(environment, "PROCESSOR_ARCHITECTURE")) {
        const std::string name = Upper(*arch);
        if (name == "X86") {
            os.is64BitWindows = false;
        } else if (name == "AMD64" || name == "IA64" || name == "ARM64") {
            os.is64BitWindows = true;
        } else {
            FailCall(machine, "IsWow64Process", nullptr, kInvalidData);
        }
        return;
    }
    const std::string lab = Text(version, "BuildLabEx").value_or("");
    if (Contains(lab, ".amd64") || Contains(lab, ".ia64") || Contains(lab, ".arm64")) {
        os.is64BitWindows = true;
    } else if (Contains(lab, ".x86")) {
        os.is64BitWindows = false;
    } else if (tree.Find("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node") != nullptr) {
        os.is64BitWindows = true;  // only 64-bit Windows keeps a 32-bit view
    } else if (os.hasIsWow64Process) {
        // Releases before WOW64 are 32-bit; for the others it is not known.
        FailCall(machine, "IsWow64Process", nullptr, win::ERROR_FILE_NOT_FOUND);
    }
}

// HARDWARE is built at every start and no hive holds it; what Session
// Manager put in the environment at the last start stands in for it.
void AddProcessors(const RegistryTree& tree, const RegKey* controlSet, Machine& machine) {
    if (const RegKey* processors = tree.Find(kProcessorsKey)) {
        machine.os.processorCount = static_cast<win::DWORD>(processors->Subkeys().size());
        return;
    }
    const RegKey* environment =
        controlSet != nullptr ? controlSet->Find("Control\\Session Manager\\Environment") : nullptr;
    if (const auto text = Text(environment, "NUMBER_OF_PROCESSORS")) {
        machine.os.processorCount = Number(*text).value_or(0);
    }
}

void AddClasses(const RegKey* controlSet, Machine& machine) {
    const RegKey* root = controlSet != nullptr ? controlSet->Find("Control\\Class") : nullptr;
    if (root == nullptr) {
        FailCall(machine, "SetupDiClassNameFromGuidA", nullptr, win::ERROR_FILE_NOT_FOUND);
        FailCall(machine, "SetupDiOpenClassRegKey", nullptr, win::ERROR_FILE_NOT_FOUND);
        FailCall(machine, "SetupDiBuildClassInfoList", nullptr, win::ERROR_FILE_NOT_FOUND);
        return;
    }
    for (const RegKey* key : root->Subkeys()) {
        SetupClass setupClass;
        const auto name = Text(key, "Class");
        // Without its name the class is not installed, for Windows too.
        if (!ParseGuidText(key->Name(), setupClass.guid) || !name) {
            continue;
        }
        setupClass.name = *name;
        for (const auto& [valueName, value] : key->Values()) {
            setupClass.values[valueName] = value;
        }
        machine.classes.push_back(std::move(setupClass));
    }
}

// An indirect string ("@usb.inf,%key%;USB Root Hub") reads as Windows shows it.
void ShowIndirectText(RegValue& property) {
    const std::vector<std::uint8_t>& data = property.data;
    if (property.type != win::REG_SZ || data.empty() || data.front() != '@') {
        return;
    }
    const std::string stored(data.begin(), std::find(data.begin(), data.end(), std::uint8_t{0}));
    const std::string shown = DisplayText(stored);
    if (shown != stored) {
        property = RegValue::String(shown);
    }
}

void AddDevices(const RegKey* controlSet, Machine& machine) {
    const RegKey* root = controlSet != nullptr ? controlSet->Find("Enum") : nullptr;
    if (root == nullptr) {
        FailCall(machine, "SetupDiGetClassDevsA", nullptr, win::ERROR_FILE_NOT_FOUND);
        return;
    }
    std::vector<std::pair<win::DWORD, std::string>> names;
    for (win::DWORD code = 0; code <= win::SPDRP_LOWERFILTERS; ++code) {
        if (std::string name = DevicePropertyValueName(code); !name.empty()) {
            names.emplace_back(code, std::move(name));
        }
    }
    for (const RegKey* enumerator : root->Subkeys()) {
        for (const RegKey* model : enumerator->Subkeys()) {
            for (const RegKey* instance : model->Subkeys()) {
                Device device;
                device.instanceId =
                    Upper(enumerator->Name() + "\\" + model->Name() + "\\" + instance->Name());
                for (const auto& [code, name] : names) {
                    const RegValue* value = instance->Value(name);
                    if (value == nullptr) {
                        continue;
                    }
                    RegValue property = *value;
                    if (code == win::SPDRP_DEVICEDESC || code == win::SPDRP_MFG ||
                        code == win::SPDRP_FRIENDLYNAME) {
                        ShowIndirectText(property);
                    }
                    device.properties.emplace_hint(device.properties.end(), code,
                                                   std::move(property));
                }
                machine.devices.push_back(std::move(device));
            }
        }
    }
}

void AddServices(const RegKey* controlSet, Machine& machine) {
    const RegKey* root = controlSet != nullptr ? controlSet->Find("Services") : nullptr;
    if (root == nullptr) {
        FailCall(machine, "OpenSCManagerA", nullptr, win::ERROR_FILE_NOT_FOUND);
        return;
    }
    for (const RegKey* key : root->Subkeys()) {
        // The service manager passes over keys without a type: they hold
        // parameters, not services.
        const auto type = Dword(key, "Type");
        if (!type) {
            continue;
        }
        Service service;
        service.name = key->Name();
        service.serviceType = *type;
        service.startType = Dword(key, "Start").value_or(service.startType);
        service.errorControl = Dword(key, "ErrorControl").value_or(service.errorControl);
        if (const auto path = Text(key, "ImagePath")) {
            service.binaryPath = *path;
        }
        service.displayName = Text(key, "DisplayName").value_or("");
        machine.services[service.name] = std::move(service);
    }
}

}  // namespace

std::string DisplayText(const std::string& stored) {
    const std::size_t semicolon = stored.find(';');
    if (stored.empty() || stored.front() != '@' || semicolon == std::string::npos) {
        return stored;
    }
    return stored.substr(semicolon + 1);
}

bool MachineFromRegistry(RegistryTree&& tree, Machine& machine, std::string& error) {
    machine = Machine{};
    RegKey* controlSet = nullptr;
    if (!FindControlSet(tree, controlSet, error)) {
        return false;
    }
    const RegKey* version = tree.Find(kCurrentVersionKey);
    AddVersion(version, controlSet, machine);
    AddProduct(controlSet, machine);
    AddBitness(tree, version, controlSet, machine);
    AddProcessors(tree, controlSet, machine);
    if (const auto root = Text(version, "SystemRoot")) {
        machine.systemDirectory = *root + "\\system32";
    } else {
        FailCall(machine, "GetSystemDirectoryA", nullptr,
                 Has(version, "SystemRoot") ? kInvalidData : win::ERROR_FILE_NOT_FOUND);
    }
    AddClasses(controlSet, machine);
    AddDriverKeys(controlSet, machine);
    AddDevices(controlSet, machine);
    AddServices(controlSet, machine);
    return true;
}

}  // namespace machine
