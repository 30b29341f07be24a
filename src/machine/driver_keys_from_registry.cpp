#include "machine/driver_keys_from_registry.h"

#include <utility>

#include "text/guid_text.h"

namespace machine {

void AddDriverKeys(RegKey* controlSet, Machine& machine) {
    RegKey* root = controlSet != nullptr ? controlSet->Find("Control\\Class") : nullptr;
    if (root == nullptr) {
        return;
    }
    for (RegKey* classKey : root->Subkeys()) {
        win::GUID guid{};
        if (!ParseGuidText(classKey->Name(), guid)) {
            continue;
        }
        for (RegKey* key : classKey->Subkeys()) {
            // Hives list subkeys in order, so the end is nearly always the place.
            RegValues& values =
                machine.driverKeys
                    .try_emplace(machine.driverKeys.end(), classKey->Name() + "\\" + key->Name())
                    ->second;
            for (auto& [valueName, value] : key->TakeValues()) {
                values.insert_or_assign(std::move(valueName), std::move(value));
            }
        }
    }
}

}  // namespace machine
