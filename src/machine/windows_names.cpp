#include "machine/windows_names.h"

namespace machine {

namespace {

constexpr SuiteName kSuites[] = {
    {"SmallBusiness", "Small Business", win::VER_SUITE_SMALLBUSINESS},
    {"Enterprise", "Enterprise", win::VER_SUITE_ENTERPRISE},
    {"BackOffice", "BackOffice", win::VER_SUITE_BACKOFFICE},
    {"Communications", "CommunicationServer", win::VER_SUITE_COMMUNICATIONS},
    {"Terminal", "Terminal Server", win::VER_SUITE_TERMINAL},
    {"SmallBusinessRestricted", "Small Business(Restricted)",
     win::VER_SUITE_SMALLBUSINESS_RESTRICTED},
    {"EmbeddedNT", "EmbeddedNT", win::VER_SUITE_EMBEDDEDNT},
    {"DataCenter", "DataCenter", win::VER_SUITE_DATACENTER},
    // Not a ProductSuite name: Terminal Server's TSAppCompat value tells it.
    {"SingleUserTS", nullptr, win::VER_SUITE_SINGLEUSERTS},
    {"Personal", "Personal", win::VER_SUITE_PERSONAL},
    {"Blade", "Blade", win::VER_SUITE_BLADE},
    {"EmbeddedRestricted", "Embedded(Restricted)", win::VER_SUITE_EMBEDDED_RESTRICTED},
    {"SecurityAppliance", "Security Appliance", win::VER_SUITE_SECURITY_APPLIANCE},
    {"StorageServer", "Storage Server", win::VER_SUITE_STORAGE_SERVER},
    {"ComputeServer", "Compute Server", win::VER_SUITE_COMPUTE_SERVER},
    {"HomeServer", "WH Server", win::VER_SUITE_WH_SERVER},
};

constexpr ProductTypeName kProductTypes[] = {
    {"workstation", "WinNT", win::VER_NT_WORKSTATION},
    {"domainController", "LanmanNT", win::VER_NT_DOMAIN_CONTROLLER},
    {"server", "ServerNT", win::VER_NT_SERVER},
};

constexpr NamedValue kRegTypes[] = {
    {"REG_NONE", win::REG_NONE},
    {"REG_SZ", win::REG_SZ},
    {"REG_EXPAND_SZ", win::REG_EXPAND_SZ},
    {"REG_BINARY", win::REG_BINARY},
    {"REG_DWORD", win::REG_DWORD},
    {"REG_DWORD_BIG_ENDIAN", win::REG_DWORD_BIG_ENDIAN},
    {"REG_LINK", win::REG_LINK},
    {"REG_MULTI_SZ", win::REG_MULTI_SZ},
    {"REG_RESOURCE_LIST", win::REG_RESOURCE_LIST},
    {"REG_QWORD", win::REG_QWORD},
};

constexpr NamedValue kDeviceProperties[] = {
    {"DEVICEDESC", win::SPDRP_DEVICEDESC},
    {"HARDWAREID", win::SPDRP_HARDWAREID},
    {"COMPATIBLEIDS", win::SPDRP_COMPATIBLEIDS},
    {"SERVICE", win::SPDRP_SERVICE},
    {"CLASS", win::SPDRP_CLASS},
    {"CLASSGUID", win::SPDRP_CLASSGUID},
    {"DRIVER", win::SPDRP_DRIVER},
    {"CONFIGFLAGS", win::SPDRP_CONFIGFLAGS},
    {"MFG", win::SPDRP_MFG},
    {"FRIENDLYNAME", win::SPDRP_FRIENDLYNAME},
    {"UPPERFILTERS", win::SPDRP_UPPERFILTERS},
    {"LOWERFILTERS", win::SPDRP_LOWERFILTERS},
};

}  // namespace

std::span<const SuiteName> SuiteNames() {
    return kSuites;
}

std::span<const ProductTypeName> ProductTypeNames() {
    return kProductTypes;
}

std::span<const NamedValue> RegTypeNames() {
    return kRegTypes;
}

std::span<const NamedValue> DevicePropertyNames() {
    return kDeviceProperties;
}

const NamedValue* FindNamed(std::span<const NamedValue> table, const std::string& name) {
    for (const NamedValue& entry : table) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace machine
