#include "devices/dev_node_list.h"

#include "log/trace_log.h"
#include "platform/failure_code.h"

namespace {

// The owner of the short-lived nodes built while the temporary set is walked.
class TemporarySet final : public DevInfoSetOwner {
  public:
    explicit TemporarySet(win::HDEVINFO handle) : set(handle) {}
    win::HDEVINFO DeviceInfoSet() const override { return set; }

  private:
    win::HDEVINFO set;
};

constexpr win::DWORD kMaxEnumerationIndex = 100000;

}  // namespace

DevNodeList::DevNodeList() : deviceInfoSet(win::InvalidHandleValue()) {}

DevNodeList::~DevNodeList() {
    SetEmpty();
}

StatusCode DevNodeList::LoadDevices(const win::GUID* classGuid) {
    if (!nodes.empty()) {
        Trace(LOG_INFO, "LoadDevice: rejecting old devices...\n");
    }
    SetEmpty();
    const win::DWORD flags =
        classGuid != nullptr ? win::DIGCF_PRESENT : win::DIGCF_PRESENT | win::DIGCF_ALLCLASSES;
    const win::HDEVINFO set =
        win::Current().SetupDiGetClassDevsA(classGuid, nullptr, nullptr, flags);
    if (set == win::InvalidHandleValue()) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "LoadDevices: SetupDiGetClassDevs failed with error = 0x%08X\n", error);
        return error;
    }
    const TemporarySet temporary(set);
    for (win::DWORD index = 0; index < kMaxEnumerationIndex; ++index) {
        win::SP_DEVINFO_DATA data{};
        data.cbSize = sizeof data;
        if (!win::Current().SetupDiEnumDeviceInfo(set, index, &data)) {
            const StatusCode error = LastFailureCode();
            if (error == win::ERROR_NO_MORE_ITEMS) {
                break;
            }
            Trace(LOG_ERROR,
                  "LoadDevices: SetupDiEnumDeviceInfo failed for device index %u with error = "
                  "0x%08X\n",
                  index, error);
            continue;
        }
        std::string instanceId;
        StatusCode result = 0;
        {
            const DevNode node(temporary, data);
            result = GetDeviceInstanceID(node, instanceId);
        }
        if (result != 0) {
            Trace(LOG_ERROR,
                  "LoadDevices: GetDeviceInstanceID failed for device index %u with error = "
                  "0x%08X\n",
                  index, result);
            continue;
        }
        result = LoadDevice(instanceId);
        if (result != 0) {
            Trace(LOG_ERROR,
                  "LoadDevices: LoadAddDevice failed for device index %u with error = 0x%08X\n",
                  index, result);
        }
    }
    if (!win::Current().SetupDiDestroyDeviceInfoList(set)) {
        Trace(LOG_ERROR,
              "LoadDevices: SetupDiDestroyDeviceInfoList for temporary device set failed with "
              "error = 0x%08X\n",
              LastFailureCode());
    }
    Trace(LOG_INFO, "LoadDevices: %u device(s) found.\n", Count());
    return 0;
}

StatusCode DevNodeList::LoadDevice(const std::string& instanceId) {
    if (instanceId.empty()) {
        Trace(LOG_ERROR, "LoadDevice: invalid device instance ID \"%s\"\n", instanceId.c_str());
        return win::ERROR_INVALID_PARAMETER;
    }
    if (nodes.size() >= 0xFFFFFFFFu) {
        Trace(LOG_ERROR,
              "LoadOneDevice: The number of devices exceeds the maximum supported number %u.\n",
              Count());
        return win::ERROR_INVALID_PARAMETER;
    }
    if (deviceInfoSet == win::InvalidHandleValue()) {
        const win::HDEVINFO set = win::Current().SetupDiCreateDeviceInfoList(nullptr, nullptr);
        if (set == win::InvalidHandleValue()) {
            const StatusCode error = LastFailureCode();
            Trace(LOG_ERROR, "LoadDevice: SetupDiCreateDeviceInfoList failed with error = 0x%08X\n",
                  error);
            return error;
        }
        deviceInfoSet = set;
    }
    win::SP_DEVINFO_DATA data{};
    data.cbSize = sizeof data;
    if (!win::Current().SetupDiOpenDeviceInfoA(deviceInfoSet, instanceId.c_str(), nullptr, 0,
                                               &data)) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "LoadDevice: SetupDiOpenDeviceInfo failed with error = 0x%08X\n", error);
        return error;
    }
    nodes.push_back(std::make_unique<DevNode>(*this, data));
    return 0;
}

StatusCode DevNodeList::SetEmpty() {
    // Nodes first: the set outlives every node that belongs to it.
    nodes.clear();
    if (deviceInfoSet != win::InvalidHandleValue()) {
        if (!win::Current().SetupDiDestroyDeviceInfoList(deviceInfoSet)) {
            Trace(LOG_ERROR, "SetEmpty: SetupDiDestroyDeviceInfoList failed with error = 0x%08X\n",
                  LastFailureCode());
        }
    }
    deviceInfoSet = win::InvalidHandleValue();
    return 0;
}
