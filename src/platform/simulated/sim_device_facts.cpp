// What Windows keeps about a device beyond its registry properties: the
// status of its device node and its driver (software) key.
#include <algorithm>
#include <string>

#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// Not in the seam's constants: the core never tests for them.
constexpr win::DWORD ERROR_INVALID_FLAGS = 1004;
constexpr win::DWORD DICS_FLAG_CONFIGSPECIFIC = 0x02;

// The Driver value as SetupAPI reads it: the text up to its first NUL.
std::string DriverValue(const machine::Device& device) {
    const auto property = device.properties.find(win::SPDRP_DRIVER);
    if (property == device.properties.end()) {
        return {};
    }
    const std::vector<std::uint8_t>& data = property->second.data;
    return std::string(data.begin(), std::find(data.begin(), data.end(), std::uint8_t{0}));
}

}  // namespace

win::HKEY SimulatedPlatform::SetupDiOpenDevRegKey(win::HDEVINFO hDevInfo,
                                                  win::SP_DEVINFO_DATA* DeviceInfoData,
                                                  win::DWORD Scope, win::DWORD, win::DWORD KeyType,
                                                  win::REGSAM) {
    const auto invalid = static_cast<win::HKEY>(win::InvalidHandleValue());
    win::DWORD error = 0;
    const machine::Device* device = FindElement(hDevInfo, DeviceInfoData, error);
    if (EnterWith("SetupDiOpenDevRegKey",
                  [&] { return device != nullptr ? device->instanceId : std::string(); })) {
        return invalid;
    }
    if (device == nullptr) {
        return Fail(error, invalid);
    }
    if ((Scope != win::DICS_FLAG_GLOBAL && Scope != DICS_FLAG_CONFIGSPECIFIC) ||
        (KeyType != win::DIREG_DEV && KeyType != win::DIREG_DRV)) {
        return Fail(ERROR_INVALID_FLAGS, invalid);
    }
    // Hardware keys (Device Parameters) are not described. A driver key is
    // the one the Driver value names; without the value or its key there is
    // none, and SetupAPI answers as for a key that does not exist.
    const std::string name = KeyType == win::DIREG_DRV ? DriverValue(*device) : std::string();
    const auto key = name.empty() ? machine_.driverKeys.end() : machine_.driverKeys.find(name);
    if (key == machine_.driverKeys.end()) {
        return Fail(win::ERROR_KEY_DOES_NOT_EXIST, invalid);
    }
    const std::uintptr_t handle = NewHandle();
    keys_[handle] = ClassKey{0, &key->second};
    return reinterpret_cast<win::HKEY>(handle);
}

win::CONFIGRET SimulatedPlatform::CM_Get_DevNode_Status(win::ULONG* pulStatus,
                                                        win::ULONG* pulProblemNumber,
                                                        win::DEVINST dnDevInst,
                                                        win::ULONG ulFlags) {
    // Device nodes are numbered from 1 in description order (see FillRecord).
    const bool known = dnDevInst != 0 && dnDevInst <= machine_.devices.size();
    const machine::Device* device = known ? &machine_.devices[dnDevInst - 1] : nullptr;
    if (Enter("CM_Get_DevNode_Status",
              device != nullptr ? device->instanceId : std::to_string(dnDevInst))) {
        return lastError_;
    }
    if (pulStatus == nullptr || pulProblemNumber == nullptr) {
        return win::CR_INVALID_POINTER;
    }
    if (ulFlags != 0) {
        return win::CR_INVALID_FLAG;
    }
    if (device == nullptr) {
        return win::CR_INVALID_DEVNODE;
    }
    if (!device->present) {
        return win::CR_NO_SUCH_DEVNODE;
    }
    *pulStatus = device->devNodeStatus;
    *pulProblemNumber = device->problem;
    return win::CR_SUCCESS;
}

}  // namespace sim
