#include "machine/registry_system_keys.h"

#include <string>
#include <vector>

#include "machine/machine_from_registry.h"
#include "machine/windows_names.h"

namespace machine {

namespace {

constexpr const char* kControl = "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control";

}  // namespace

void AddSystemKeys(RegistryExport& out, const Machine& machine) {
    const OsFacts& os = machine.os;
    out.Key(kCurrentVersionKey);
    out.String("CurrentVersion", std::to_string(os.major) + "." + std::to_string(os.minor));
    if (os.major >= 10) {
        out.Dword("CurrentMajorVersionNumber", os.major);
        out.Dword("CurrentMinorVersionNumber", os.minor);
    }
    out.String("CurrentBuildNumber", std::to_string(os.build));
    if (!os.csdVersion.empty()) {
        out.String("CSDVersion", os.csdVersion);
    }
    const std::string suffix = "\\system32";
    const std::string& dir = machine.systemDirectory;
    if (dir.size() > suffix.size()) {
        out.String("SystemRoot", dir.substr(0, dir.size() - suffix.size()));
    }

    out.Key(std::string(kControl) + "\\Windows");
    out.Dword("CSDVersion", static_cast<win::DWORD>((os.servicePackMajor & 0xFF) << 8 |
                                                    (os.servicePackMinor & 0xFF)));

    out.Key(std::string(kControl) + "\\ProductOptions");
    for (const ProductTypeName& product : ProductTypeNames()) {
        if (product.type == os.productType) {
            out.String("ProductType", product.registryName);
        }
    }
    std::vector<std::string> suites;
    for (const SuiteName& suite : SuiteNames()) {
        if (suite.registryName != nullptr && (os.suiteMask & suite.bit) != 0) {
            suites.emplace_back(suite.registryName);
        }
    }
    out.Value("ProductSuite", RegValue::MultiString(suites));

    out.Key(std::string(kControl) + "\\Terminal Server");
    out.Dword("TSAppCompat", (os.suiteMask & win::VER_SUITE_SINGLEUSERTS) != 0 ? 0 : 1);

    out.Key(std::string(kControl) + "\\Session Manager\\Environment");
    out.String("PROCESSOR_ARCHITECTURE", os.is64BitWindows ? "AMD64" : "x86");

    for (win::DWORD i = 0; i < os.processorCount; ++i) {
        out.Key(std::string(kProcessorsKey) + "\\" + std::to_string(i));
    }
}

}  // namespace machine
