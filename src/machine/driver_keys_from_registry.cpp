#include "machine/driver_keys_from_registry.h"

#include "text/guid_text.h"

namespace machine {

void AddDriverKeys(const RegKey* controlSet, Machine& machine) {
    const RegKey* root = controlSet != nullptr ? controlSet->Find("Control\\Class") : nullptr;
    if (root == nullptr) {
        return;
    }
    for (const RegKey* classKey : root->Subkeys()) {
        win::GUID guid{};
        if (!ParseGuidText(classKey->Name(), guid)) {
            continue;
        }
        for (const RegKey* key : classKey->Subkeys()) {
            RegValues& values = machine.driverKeys[classKey->Name() + "\\" + key->Name()];
            for (const auto& [valueName, value] : key->Values()) {
                values[valueName] = value;
            }
        }
    }
}

}  // namespace machine
