// Device information sets and device properties. A device's setup class is
// the one its SPDRP_CLASSGUID property names; a device without a valid one
// belongs to no class (GUID_NULL) and is listed only for all classes.
#include <algorithm>
#include <cstring>
#include <string>

#include "text/guid_text.h"
#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// Not in the seam's constants: the core never tests for them.
constexpr win::DWORD ERROR_INVALID_USER_BUFFER = 1784;
constexpr win::DWORD ERROR_CLASS_MISMATCH = 0xE0000203;
constexpr win::DWORD ERROR_INVALID_REG_PROPERTY = 0xE0000209;
constexpr win::DWORD SPDRP_MAXIMUM_PROPERTY = 0x25;

win::GUID DeviceClass(const machine::Device& device) {
    win::GUID guid{};
    const auto property = device.properties.find(win::SPDRP_CLASSGUID);
    if (property != device.properties.end()) {
        const std::vector<std::uint8_t>& data = property->second.data;
        const auto* text = reinterpret_cast<const char*>(data.data());
        if (!ParseGuidText(std::string_view(text, std::find(text, text + data.size(), '\0') - text),
                           guid)) {
            guid = win::GUID{};
        }
    }
    return guid;
}

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Instance IDs and enumerator names compare without regard to case.
bool StartsWith(const std::string& text, const std::string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Fold(text[i]) != Fold(prefix[i])) {
            return false;
        }
    }
    return true;
}

bool SameId(const std::string& a, const std::string& b) {
    return a.size() == b.size() && StartsWith(a, b);
}

}  // namespace

const machine::Device* SimulatedPlatform::FindElement(win::HDEVINFO set,
                                                      const win::SP_DEVINFO_DATA* data,
                                                      win::DWORD& error) const {
    const auto found = deviceSets_.find(reinterpret_cast<std::uintptr_t>(set));
    if (found == deviceSets_.end()) {
        error = win::ERROR_INVALID_HANDLE;
        return nullptr;
    }
    if (data == nullptr || data->cbSize != sizeof(win::SP_DEVINFO_DATA)) {
        error = ERROR_INVALID_USER_BUFFER;
        return nullptr;
    }
    // A record of another set names no element of this one.
    const auto element = found->second.devices.find(data->Reserved);
    if (element == found->second.devices.end() || element->second >= machine_.devices.size()) {
        error = win::ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    return &machine_.devices[element->second];
}

win::ULONG_PTR SimulatedPlatform::AddElement(std::uintptr_t set, std::size_t device) {
    const win::ULONG_PTR element = NewHandle();
    DeviceInfoSet& target = deviceSets_[set];
    target.members.push_back(element);
    target.devices[element] = device;
    target.elements.emplace(device, element);
    return element;
}

std::size_t SimulatedPlatform::FindDevice(const std::string& id) {
    const std::size_t none = machine_.devices.size();
    if (id.empty()) {
        return none;
    }
    std::string key(id.size(), '\0');
    std::transform(id.begin(), id.end(), key.begin(), Fold);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto hit = deviceIndex_.find(key);
        if (deviceIndexSize_ == none && hit != deviceIndex_.end() && hit->second < none &&
            SameId(machine_.devices[hit->second].instanceId, id)) {
            return hit->second;
        }
        if (attempt == 0) {
            deviceIndex_.clear();
            for (std::size_t i = 0; i < none; ++i) {
                std::string folded = machine_.devices[i].instanceId;
                std::transform(folded.begin(), folded.end(), folded.begin(), Fold);
                deviceIndex_.emplace(std::move(folded), i);  // the first one wins
            }
            deviceIndexSize_ = none;
        }
    }
    return none;
}

void SimulatedPlatform::FillRecord(win::ULONG_PTR element, std::size_t device,
                                   win::SP_DEVINFO_DATA& data) const {
    data.ClassGuid = DeviceClass(machine_.devices[device]);
    data.DevInst = static_cast<win::DWORD>(device + 1);
    data.Reserved = element;
}

win::HDEVINFO SimulatedPlatform::SetupDiGetClassDevsA(const win::GUID* ClassGuid,
                                                      const char* Enumerator, win::HWND,
                                                      win::DWORD Flags) {
    if (Enter("SetupDiGetClassDevsA", ClassGuid != nullptr ? GuidText(*ClassGuid) : "")) {
        return win::InvalidHandleValue();
    }
    // Device interfaces are not described.
    if ((Flags & win::DIGCF_DEVICEINTERFACE) != 0) {
        return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::InvalidHandleValue());
    }
    const bool allClasses = (Flags & win::DIGCF_ALLCLASSES) != 0;
    if (!allClasses && ClassGuid == nullptr) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::InvalidHandleValue());
    }
    const std::string enumerator =
        Enumerator != nullptr && *Enumerator != '\0' ? std::string(Enumerator) + "\\" : "";
    const std::uintptr_t handle = NewHandle();
    DeviceInfoSet& set = deviceSets_[handle];
    if (!allClasses) {
        set.hasClass = true;
        set.classGuid = *ClassGuid;
    }
    for (std::size_t i = 0; i < machine_.devices.size(); ++i) {
        const machine::Device& device = machine_.devices[i];
        if ((Flags & win::DIGCF_PRESENT) != 0 && !device.present) {
            continue;
        }
        if (!enumerator.empty() && !StartsWith(device.instanceId, enumerator)) {
            continue;
        }
        if (!allClasses && !(DeviceClass(device) == *ClassGuid)) {
            continue;
        }
        AddElement(handle, i);
    }
    return reinterpret_cast<win::HDEVINFO>(handle);
}

win::BOOL SimulatedPlatform::SetupDiEnumDeviceInfo(win::HDEVINFO hDevInfo, win::DWORD MemberIndex,
                                                   win::SP_DEVINFO_DATA* DeviceInfoData) {
    if (EnterWith("SetupDiEnumDeviceInfo", [&] { return std::to_string(MemberIndex); })) {
        return win::FALSE;
    }
    const auto found = deviceSets_.find(reinterpret_cast<std::uintptr_t>(hDevInfo));
    if (found == deviceSets_.end()) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    if (DeviceInfoData == nullptr || DeviceInfoData->cbSize != sizeof(win::SP_DEVINFO_DATA)) {
        return Fail(ERROR_INVALID_USER_BUFFER, win::FALSE);
    }
    const DeviceInfoSet& set = found->second;
    if (MemberIndex >= set.members.size()) {
        return Fail(win::ERROR_NO_MORE_ITEMS, win::FALSE);
    }
    const win::ULONG_PTR element = set.members[MemberIndex];
    FillRecord(element, set.devices.at(element), *DeviceInfoData);
    return win::TRUE;
}

win::HDEVINFO SimulatedPlatform::SetupDiCreateDeviceInfoList(const win::GUID* ClassGuid,
                                                             win::HWND) {
    if (Enter("SetupDiCreateDeviceInfoList", ClassGuid != nullptr ? GuidText(*ClassGuid) : "")) {
        return win::InvalidHandleValue();
    }
    const std::uintptr_t handle = NewHandle();
    DeviceInfoSet& set = deviceSets_[handle];
    if (ClassGuid != nullptr) {
        set.hasClass = true;
        set.classGuid = *ClassGuid;
    }
    return reinterpret_cast<win::HDEVINFO>(handle);
}

win::BOOL SimulatedPlatform::SetupDiOpenDeviceInfoA(win::HDEVINFO hDevInfo,
                                                    const char* DeviceInstanceId, win::HWND,
                                                    win::DWORD,
                                                    win::SP_DEVINFO_DATA* DeviceInfoData) {
    const std::string id = DeviceInstanceId != nullptr ? DeviceInstanceId : "";
    if (Enter("SetupDiOpenDeviceInfoA", id)) {
        return win::FALSE;
    }
    const auto handle = reinterpret_cast<std::uintptr_t>(hDevInfo);
    const auto found = deviceSets_.find(handle);
    if (found == deviceSets_.end()) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    // An empty ID names the root of the device tree, which is not described;
    // phantom (not present) devices open like present ones.
    const std::size_t device = FindDevice(id);
    if (device == machine_.devices.size()) {
        return Fail(win::ERROR_NO_SUCH_DEVINST, win::FALSE);
    }
    if (found->second.hasClass &&
        !(DeviceClass(machine_.devices[device]) == found->second.classGuid)) {
        return Fail(ERROR_CLASS_MISMATCH, win::FALSE);
    }
    // A device already in the set keeps its element.
    const auto known = found->second.elements.find(device);
    const win::ULONG_PTR element =
        known != found->second.elements.end() ? known->second : AddElement(handle, device);
    if (DeviceInfoData != nullptr) {
        // The element stays added even when the record is refused.
        if (DeviceInfoData->cbSize != sizeof(win::SP_DEVINFO_DATA)) {
            return Fail(ERROR_INVALID_USER_BUFFER, win::FALSE);
        }
        FillRecord(element, device, *DeviceInfoData);
    }
    return win::TRUE;
}

win::BOOL SimulatedPlatform::SetupDiDestroyDeviceInfoList(win::HDEVINFO hDevInfo) {
    if (Enter("SetupDiDestroyDeviceInfoList")) {
        deviceSets_.erase(reinterpret_cast<std::uintptr_t>(hDevInfo));  // see RegCloseKey
        return win::FALSE;
    }
    if (deviceSets_.erase(reinterpret_cast<std::uintptr_t>(hDevInfo)) == 0) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    return win::TRUE;
}

win::BOOL SimulatedPlatform::SetupDiGetDeviceInstanceIdA(win::HDEVINFO hDevInfo,
                                                         win::SP_DEVINFO_DATA* DeviceInfoData,
                                                         char* DeviceInstanceId,
                                                         win::DWORD DeviceInstanceIdSize,
                                                         win::DWORD* RequiredSize) {
    win::DWORD error = 0;
    const machine::Device* device = FindElement(hDevInfo, DeviceInfoData, error);
    if (EnterWith("SetupDiGetDeviceInstanceIdA",
                  [&] { return device != nullptr ? device->instanceId : std::string(); })) {
        return win::FALSE;
    }
    if (device == nullptr) {
        return Fail(error, win::FALSE);
    }
    if (DeviceInstanceId == nullptr && DeviceInstanceIdSize != 0) {
        return Fail(ERROR_INVALID_USER_BUFFER, win::FALSE);
    }
    // Characters, terminator included.
    const auto required = static_cast<win::DWORD>(device->instanceId.size() + 1);
    if (RequiredSize != nullptr) {
        *RequiredSize = required;
    }
    if (DeviceInstanceIdSize < required) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    std::memcpy(DeviceInstanceId, device->instanceId.c_str(), required);
    return win::TRUE;
}

win::BOOL SimulatedPlatform::SetupDiGetDeviceRegistryPropertyA(
    win::HDEVINFO hDevInfo, win::SP_DEVINFO_DATA* DeviceInfoData, win::DWORD Property,
    win::DWORD* PropertyRegDataType, win::BYTE* PropertyBuffer, win::DWORD PropertyBufferSize,
    win::DWORD* RequiredSize) {
    win::DWORD error = 0;
    const machine::Device* device = FindElement(hDevInfo, DeviceInfoData, error);
    if (EnterWith("SetupDiGetDeviceRegistryPropertyA", [&] {
            return (device != nullptr ? device->instanceId : std::string()) + "|" +
                   std::to_string(Property);
        })) {
        return win::FALSE;
    }
    if (device == nullptr) {
        return Fail(error, win::FALSE);
    }
    if (Property >= SPDRP_MAXIMUM_PROPERTY) {
        return Fail(ERROR_INVALID_REG_PROPERTY, win::FALSE);
    }
    if (PropertyBuffer == nullptr && PropertyBufferSize != 0) {
        return Fail(ERROR_INVALID_USER_BUFFER, win::FALSE);
    }
    const auto property = device->properties.find(Property);
    if (property == device->properties.end()) {
        return Fail(win::ERROR_INVALID_DATA, win::FALSE);
    }
    const machine::RegValue& value = property->second;
    const auto size = static_cast<win::DWORD>(value.data.size());
    if (PropertyRegDataType != nullptr) {
        *PropertyRegDataType = value.type;
    }
    if (RequiredSize != nullptr) {
        *RequiredSize = size;
    }
    if (PropertyBufferSize < size) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    if (size != 0) {
        std::memcpy(PropertyBuffer, value.data.data(), size);
    }
    return win::TRUE;
}

}  // namespace sim
