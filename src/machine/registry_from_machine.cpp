#include "machine/registry_from_machine.h"

#include "text/guid_text.h"

namespace machine {

std::string DevicePropertyValueName(win::DWORD property) {
    switch (property) {
        case 0x00:
            return "DeviceDesc";
        case 0x01:
            return "HardwareID";
        case 0x02:
            return "CompatibleIDs";
        case 0x04:
            return "Service";
        case 0x07:
            return "Class";
        case 0x08:
            return "ClassGUID";
        case 0x09:
            return "Driver";
        case 0x0A:
            return "ConfigFlags";
        case 0x0B:
            return "Mfg";
        case 0x0C:
            return "FriendlyName";
        case 0x0D:
            return "LocationInformation";
        case 0x0F:
            return "Capabilities";
        case 0x10:
            return "UINumber";
        case 0x11:
            return "UpperFilters";
        case 0x12:
            return "LowerFilters";
        default:
            return "";
    }
}

void AddDeviceKeys(RegistryExport& reg, const Machine& machine) {
    for (const SetupClass& setupClass : machine.classes) {
        reg.Key(std::string(kClassRoot) + "\\" + GuidText(setupClass.guid));
        if (setupClass.values.find("Class") == setupClass.values.end()) {
            reg.String("Class", setupClass.name);
        }
        for (const auto& [name, value] : setupClass.values) {
            reg.Value(name, value);
        }
    }
    // A device's Driver value names its driver key by this path under Class.
    for (const auto& [name, values] : machine.driverKeys) {
        reg.Key(std::string(kClassRoot) + "\\" + name);
        for (const auto& [valueName, value] : values) {
            reg.Value(valueName, value);
        }
    }
    for (const Device& device : machine.devices) {
        reg.Key(std::string(kEnumRoot) + "\\" + device.instanceId);
        for (const auto& [property, value] : device.properties) {
            const std::string name = DevicePropertyValueName(property);
            if (!name.empty()) {
                reg.Value(name, value);
            }
        }
    }
}

}  // namespace machine
