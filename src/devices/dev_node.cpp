#include "devices/dev_node.h"

#include <algorithm>

#include "devices/multi_string.h"
#include "log/trace_log.h"
#include "platform/buffer.h"

StatusCode GetDeviceInstanceID(const DevNode& node, std::string& id) {
    id.clear();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    win::DWORD required = 0;
    if (!win::Current().SetupDiGetDeviceInstanceIdA(node.DeviceInfoSet(), &data, nullptr, 0,
                                                    &required)) {
        const StatusCode error = win::Current().GetLastError();
        if (error != win::ERROR_INSUFFICIENT_BUFFER) {
            Trace(LOG_ERROR,
                  "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve required "
                  "buffer size failed with error = 0x%08X\n",
                  error);
            return error;
        }
    }
    ByteBuffer buffer = AllocateBuffer(required);
    if (!buffer) {
        return win::ERROR_NOT_ENOUGH_MEMORY;
    }
    char* text = reinterpret_cast<char*>(buffer.get());
    if (!win::Current().SetupDiGetDeviceInstanceIdA(node.DeviceInfoSet(), &data, text, required,
                                                    nullptr)) {
        const StatusCode error = win::Current().GetLastError();
        Trace(LOG_ERROR,
              "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve device "
              "instance ID failed with error = 0x%08X\n",
              error);
        return error;
    }
    // Bounded by the buffer: nothing beyond it is read, terminated or not.
    id.assign(text, std::find(text, text + required, '\0'));
    return 0;
}

StatusCode GetRegistryProperty(StringList& values, const DevNode& node, std::uint32_t property) {
    values.clear();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    win::DWORD type = 0;
    win::DWORD required = 0;
    if (!win::Current().SetupDiGetDeviceRegistryPropertyA(node.DeviceInfoSet(), &data, property,
                                                          &type, nullptr, 0, &required)) {
        const StatusCode error = win::Current().GetLastError();
        if (error == win::ERROR_INVALID_DATA) {
            return 0;  // the device does not have the property
        }
        if (error != win::ERROR_INSUFFICIENT_BUFFER) {
            Trace(LOG_ERROR,
                  "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve "
                  "required buffer size failed with error = 0x%08X\n",
                  error);
            return error;
        }
    }
    if (required == 0) {
        Trace(LOG_WARNING, "GetRegistryProperty: property with 0 bytes detected.\n");
        return 0;
    }
    ByteBuffer buffer = AllocateBuffer(required);
    if (!buffer) {
        return win::ERROR_NOT_ENOUGH_MEMORY;
    }
    if (!win::Current().SetupDiGetDeviceRegistryPropertyA(node.DeviceInfoSet(), &data, property,
                                                          &type, buffer.get(), required, nullptr)) {
        const StatusCode error = win::Current().GetLastError();
        Trace(LOG_ERROR,
              "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve property "
              "value failed with error = 0x%08X\n",
              error);
        return error;
    }
    switch (property) {
        case win::SPDRP_DEVICEDESC:
        case win::SPDRP_SERVICE:
        case win::SPDRP_CLASSGUID: {
            if (type != win::REG_SZ) {
                Trace(LOG_WARNING,
                      "GetRegistryProperty: property (ID = %u) is of unexpected type %u\n",
                      property, type);
            }
            const char* text = reinterpret_cast<const char*>(buffer.get());
            values.emplace_back(text, std::find(text, text + required, '\0'));
            return 0;
        }
        case win::SPDRP_HARDWAREID:
        case win::SPDRP_UPPERFILTERS:
        case win::SPDRP_LOWERFILTERS:
            if (type != win::REG_MULTI_SZ) {
                Trace(LOG_WARNING,
                      "GetRegistryProperty: property (ID = %u) is of unexpected type %u\n",
                      property, type);
            }
            ConvertMultiStringToList(values, buffer.get(), required);
            return 0;
        default:
            Trace(LOG_ERROR,
                  "GetRegistryProperty: Unexpected property (ID = %u). Please implement the "
                  "appropriate case!\n",
                  property);
            return 1;
    }
}

StatusCode GetRegistryProperty(std::string& value, const DevNode& node, std::uint32_t property) {
    StringList values;
    const StatusCode result = GetRegistryProperty(values, node, property);
    if (result != 0) {
        Trace(LOG_ERROR, "GetRegistryProperty: GetRegistryProperty failed with error = 0x%08X\n",
              result);
        return result;
    }
    if (values.size() != 1) {
        Trace(LOG_ERROR, "GetRegistryProperty: found property values = %u, expected: 1\n",
              static_cast<unsigned>(values.size()));
        return 1;
    }
    value = values.front();
    return 0;
}

StatusCode GetDescription(const DevNode& node, std::string& value) {
    return GetRegistryProperty(value, node, win::SPDRP_DEVICEDESC);
}

StatusCode GetServiceName(const DevNode& node, std::string& value) {
    return GetRegistryProperty(value, node, win::SPDRP_SERVICE);
}

StatusCode GetClassGuid(const DevNode& node, std::string& value) {
    return GetRegistryProperty(value, node, win::SPDRP_CLASSGUID);
}
