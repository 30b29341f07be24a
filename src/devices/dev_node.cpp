#include "devices/dev_node.h"

#include <algorithm>

#include "devices/multi_string.h"
#include "log/trace_log.h"
#include "platform/sized_query.h"

StatusCode GetDeviceInstanceID(const DevNode& node, std::string& id) {
    id.clear();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    const SizedAnswer answer =
        QuerySized([&](std::uint8_t* buffer, win::DWORD size, win::DWORD* needed) {
            return win::Current().SetupDiGetDeviceInstanceIdA(
                node.DeviceInfoSet(), &data, reinterpret_cast<char*>(buffer), size, needed);
        });
    switch (answer.failedAt) {
        case SizedQueryStep::Done:
            break;
        case SizedQueryStep::Size:
            Trace(LOG_ERROR,
                  "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve required "
                  "buffer size failed with error = 0x%08X\n",
                  answer.error);
            return answer.error;
        case SizedQueryStep::Memory:
            return answer.error;
        case SizedQueryStep::Data:
            Trace(LOG_ERROR,
                  "GetDeviceInstanceID: calling SetupDiGetDeviceInstanceId to retrieve device "
                  "instance ID failed with error = 0x%08X\n",
                  answer.error);
            return answer.error;
    }
    // Bounded by the buffer: nothing beyond it is read, terminated or not.
    const char* text = reinterpret_cast<const char*>(answer.buffer.get());
    id.assign(text, std::find(text, text + answer.size, '\0'));
    return 0;
}

StatusCode GetRegistryProperty(StringList& values, const DevNode& node, std::uint32_t property) {
    values.clear();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    win::DWORD type = 0;
    const SizedAnswer answer =
        QuerySized([&](std::uint8_t* buffer, win::DWORD size, win::DWORD* needed) {
            return win::Current().SetupDiGetDeviceRegistryPropertyA(
                node.DeviceInfoSet(), &data, property, &type, buffer, size, needed);
        });
    switch (answer.failedAt) {
        case SizedQueryStep::Done:
            break;
        case SizedQueryStep::Size:
            if (answer.error == win::ERROR_INVALID_DATA) {
                return 0;  // the device does not have the property
            }
            Trace(LOG_ERROR,
                  "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve "
                  "required buffer size failed with error = 0x%08X\n",
                  answer.error);
            return answer.error;
        case SizedQueryStep::Memory:
            return answer.error;
        case SizedQueryStep::Data:
            Trace(LOG_ERROR,
                  "GetRegistryProperty: calling SetupDiGetDeviceRegistryProperty to retrieve "
                  "property value failed with error = 0x%08X\n",
                  answer.error);
            return answer.error;
    }
    if (answer.size == 0) {
        Trace(LOG_WARNING, "GetRegistryProperty: property with 0 bytes detected.\n");
        return 0;
    }
    const win::DWORD required = static_cast<win::DWORD>(answer.size);
    const ByteBuffer& buffer = answer.buffer;
    switch (property) {
        case win::SPDRP_DEVICEDESC:
        case win::SPDRP_SERVICE:
        case win::SPDRP_CLASSGUID:
        case win::SPDRP_DRIVER:
        case win::SPDRP_MFG: {
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
        case win::SPDRP_COMPATIBLEIDS:
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

StatusCode GetConfigFlags(const DevNode& node, std::optional<std::uint32_t>& flags) {
    flags.reset();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    win::DWORD type = 0;
    const SizedAnswer answer =
        QuerySized([&](std::uint8_t* buffer, win::DWORD size, win::DWORD* needed) {
            return win::Current().SetupDiGetDeviceRegistryPropertyA(
                node.DeviceInfoSet(), &data, win::SPDRP_CONFIGFLAGS, &type, buffer, size, needed);
        });
    if (answer.failedAt == SizedQueryStep::Size && answer.error == win::ERROR_INVALID_DATA) {
        return 0;  // the device has no ConfigFlags value
    }
    if (answer.failedAt != SizedQueryStep::Done) {
        if (answer.failedAt != SizedQueryStep::Memory) {
            Trace(LOG_ERROR,
                  "GetConfigFlags: calling SetupDiGetDeviceRegistryProperty failed with error = "
                  "0x%08X\n",
                  answer.error);
        }
        return answer.error;
    }
    if (type != win::REG_DWORD || answer.size != sizeof(win::DWORD)) {
        Trace(LOG_WARNING, "GetConfigFlags: value of type %u and %u bytes, expected a DWORD\n",
              type, static_cast<unsigned>(answer.size));
    }
    // Little-endian, as stored; a short value is zero-extended.
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < answer.size && i < sizeof value; ++i) {
        value |= static_cast<std::uint32_t>(answer.buffer.get()[i]) << (8 * i);
    }
    flags = value;
    return 0;
}
