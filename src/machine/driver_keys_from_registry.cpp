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
            // Hives list subkeys in order, so the end is nearly always the place.
            RegValues& values =
                machine.driverKeys
                    .try_emplace(machine.driverKeys.end(), classKey->Name() + "\\" + key->Name())
                    ->second;
            for (const auto& [valueName, value] : key->Values()) {
                values.insert_or_assign(valueName, value);
            }
        }
    }
}

}  // namespace machine
