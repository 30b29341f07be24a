#include "machine/registry_services.h"

#include <string>

namespace machine {

void AddServiceKeys(RegistryExport& out, const Machine& machine) {
    for (const auto& [name, service] : machine.services) {
        out.Key(std::string(kServicesKey) + "\\" + name);
        out.Dword("Type", service.serviceType);
        out.Dword("Start", service.startType);
        out.Dword("ErrorControl", service.errorControl);
        if (service.binaryPath) {
            out.Value("ImagePath", RegValue::String(*service.binaryPath, win::REG_EXPAND_SZ));
        }
        if (!service.displayName.empty()) {
            out.String("DisplayName", service.displayName);
        }
    }
}

}  // namespace machine
