#include <cstdint>
#include <string>
#include <vector>

#include "log/trace_log.h"
#include "osinfo/os_identification.h"
#include "osinfo/product_suite_query.h"
#include "osinfo/version_probe.h"
#include "report/report.h"

namespace {

constexpr std::uint32_t kValueColumn = 31;

const char* ReleaseName(OperatingSystemId os) {
    using Id = OperatingSystemId;
    switch (os) {
        case Id::Windows2000:
            return "Windows 2000";
        case Id::WindowsXP:
            return "Windows XP";
        case Id::WindowsServer2003:
            return "Windows Server 2003";
        case Id::WindowsHomeServer:
            return "Windows Home Server";
        case Id::WindowsVista:
            return "Windows Vista";
        case Id::WindowsServer2008:
            return "Windows Server 2008";
        case Id::Windows7:
            return "Windows 7";
        case Id::WindowsServer2008R2:
            return "Windows Server 2008 R2";
        case Id::WindowsHomeServer2011:
            return "Windows Home Server 2011";
        case Id::Windows8:
            return "Windows 8";
        case Id::WindowsServer2012:
            return "Windows Server 2012";
        case Id::Windows81:
            return "Windows 8.1";
        case Id::WindowsServer2012R2:
            return "Windows Server 2012 R2";
        case Id::Windows10:
            return "Windows 10";
        case Id::WindowsServer2016:
            return "Windows Server 2016";
        case Id::Unknown:
            break;
    }
    return "Unknown";
}

const char* ProductTypeName(std::uint8_t productType) {
    switch (productType) {
        case 0:
            return "---";
        case win::VER_NT_WORKSTATION:
            return "Workstation";
        case win::VER_NT_DOMAIN_CONTROLLER:
            return "Domain Controller";
        case win::VER_NT_SERVER:
            return "Server";
        default:
            return "Unknown";
    }
}

struct SuiteName {
    std::uint16_t bit;
    const char* text;
};

// In the order the report lists them; small business is named separately.
constexpr SuiteName kSuitesBeforeSmallBusiness[] = {
    {win::VER_SUITE_EMBEDDEDNT, "Embedded"},
    {win::VER_SUITE_EMBEDDED_RESTRICTED, "Embedded (restricted)"},
    {win::VER_SUITE_ENTERPRISE, "Enterprise Edition"},
    {win::VER_SUITE_DATACENTER, "Datacenter Edition"},
    {win::VER_SUITE_PERSONAL, "Home Edition"},
    {win::VER_SUITE_WH_SERVER, "Home Server"},
    {win::VER_SUITE_STORAGE_SERVER, "Storage Server"},
};
constexpr SuiteName kSuitesAfterSmallBusiness[] = {
    {win::VER_SUITE_BACKOFFICE, "BackOffice"},
    {win::VER_SUITE_COMMUNICATIONS, "Office Communications Server"},
    {win::VER_SUITE_TERMINAL, "Terminal Services"},
    {win::VER_SUITE_SINGLEUSERTS, "Single Interactive Session"},
    {win::VER_SUITE_BLADE, "Web Edition"},
    {win::VER_SUITE_SECURITY_APPLIANCE, "Security Appliance Edition"},
    {win::VER_SUITE_COMPUTE_SERVER, "Compute Cluster Edition"},
};

std::vector<const char*> SuiteNames(std::uint16_t suiteMask) {
    std::vector<const char*> names;
    for (const SuiteName& suite : kSuitesBeforeSmallBusiness) {
        if ((suiteMask & suite.bit) != 0) {
            names.push_back(suite.text);
        }
    }
    if ((suiteMask & win::VER_SUITE_SMALLBUSINESS) != 0) {
        // Without the restriction bit the server was upgraded past its
        // small business licence.
        names.push_back((suiteMask & win::VER_SUITE_SMALLBUSINESS_RESTRICTED) != 0
                            ? "Small Business Server"
                            : "Small Business Server -> upgraded to Standard/Enterprise Edition");
    }
    for (const SuiteName& suite : kSuitesAfterSmallBusiness) {
        if ((suiteMask & suite.bit) != 0) {
            names.push_back(suite.text);
        }
    }
    return names;
}

// The decimal number, or "?" (traced as `what`) when it was not found.
std::string VersionPart(std::uint32_t versionType, const char* what) {
    std::uint32_t value = 0;
    const StatusCode status = GetVersionNumber(versionType, value);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "AddSystemInfo: %s failed with error 0x%08X.\n", what, status);
        return "?";
    }
    return std::to_string(value);
}

}  // namespace

void Report::AddSystemInfo() {
    Trace(LOG_INFO, "Report::AddSystemInfo...\n");

    OsIdentification identification;
    OperatingSystemId os = OperatingSystemId::Unknown;
    StatusCode status = identification.GetOperatingSystem(os);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "AddSystemInfo: GetOperatingSystem failed with error 0x%08X.\n", status);
        os = OperatingSystemId::Unknown;
    }
    std::string value = ReleaseName(os);
    value += identification.is64BitWindows ? " (64 bit)" : " (32 bit)";
    AddText("Operating System:", 0);
    AddText(value, kValueColumn);
    AddNewLines(1);

    value = VersionPart(win::VER_MAJORVERSION, "GetMajorVersion");
    value += ".";
    value += VersionPart(win::VER_MINORVERSION, "GetMinorVersion");
    AddText("Version Number:", 0);
    AddText(value, kValueColumn);
    AddNewLines(1);

    std::uint32_t servicePack = 0;
    status = GetVersionNumber(win::VER_SERVICEPACKMAJOR, servicePack);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "AddSystemInfo: GetServicePack failed with error 0x%08X.\n", status);
    }
    AddText("Service Pack:", 0);
    if (status != win::ERROR_SUCCESS) {
        AddText("???", kValueColumn);
    } else if (servicePack == 0) {
        AddText("---", kValueColumn);
    } else {
        AddDecimal(servicePack);
    }
    AddNewLines(1);

    std::uint8_t productType = 0;
    status = GetProductType(productType);
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "AddSystemInfo: GetProductType failed with error 0x%08X.\n", status);
    }
    AddText("Product Type:", 0);
    AddText(ProductTypeName(productType), kValueColumn);
    AddNewLines(1);

    ProductSuiteQuery suites;
    std::uint16_t suiteMask = 0;
    status = suites.GetProductSuites(suiteMask);
    std::uint16_t suiteCount = suites.suiteCount;
    if (status != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "AddSystemInfo: GetProductSuites failed with error 0x%08X.\n", status);
        suiteCount = 0;
    }
    AddText(suiteCount >= 2 ? "Product Suites:" : "Product Suite:", 0);
    if (suiteCount == 0) {
        AddText("---", kValueColumn);
        AddNewLines(1);
    } else {
        for (const char* name : SuiteNames(suiteMask)) {
            AddText(name, kValueColumn);
            AddNewLines(1);
        }
    }

    win::SYSTEM_INFO system{};
    win::Current().GetSystemInfo(&system);
    AddText("Number of Logical Processors:", 0);
    AddDecimal(system.dwNumberOfProcessors);
    AddNewLines(1);
}
