#include "devices/driver_key.h"

#include <algorithm>

#include "log/trace_log.h"
#include "platform/buffer.h"
#include "platform/failure_code.h"

DriverKey::~DriverKey() {
    if (key != nullptr) {
        win::Current().RegCloseKey(key);
    }
}

StatusCode DriverKey::Open(const DevNode& node) {
    Close();
    win::SP_DEVINFO_DATA data = node.DeviceInfoData();
    const win::HKEY opened = win::Current().SetupDiOpenDevRegKey(
        node.DeviceInfoSet(), &data, win::DICS_FLAG_GLOBAL, 0, win::DIREG_DRV, win::KEY_READ);
    if (opened == static_cast<win::HKEY>(win::InvalidHandleValue()) || opened == nullptr) {
        const StatusCode error = LastFailureCode();
        if (error != win::ERROR_KEY_DOES_NOT_EXIST && error != win::ERROR_FILE_NOT_FOUND) {
            Trace(LOG_ERROR, "DriverKey::Open: SetupDiOpenDevRegKey failed with error 0x%08X.\n",
                  error);
        }
        return error;
    }
    key = opened;
    return 0;
}

StatusCode DriverKey::ReadValue(const char* name, std::uint32_t& type,
                                std::vector<std::uint8_t>& data) {
    data.clear();
    win::DWORD valueType = 0;
    win::DWORD size = 0;
    auto result = static_cast<StatusCode>(
        win::Current().RegQueryValueExA(key, name, nullptr, &valueType, nullptr, &size));
    if (result == win::ERROR_FILE_NOT_FOUND) {
        return result;
    }
    if (result != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR,
              "DriverKey::ReadValue: RegQueryValueEx failed to get the size of '%s' with error "
              "0x%08X.\n",
              name, result);
        return result;
    }
    ByteBuffer buffer = AllocateBuffer(size == 0 ? 1 : size);
    if (!buffer) {
        return win::ERROR_NOT_ENOUGH_MEMORY;
    }
    win::DWORD readSize = size;
    result = static_cast<StatusCode>(
        win::Current().RegQueryValueExA(key, name, nullptr, &valueType, buffer.get(), &readSize));
    if (result != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR,
              "DriverKey::ReadValue: RegQueryValueEx failed to read '%s' with error 0x%08X.\n",
              name, result);
        return result;
    }
    // Bounded by both sizes: a value that grew in between is cut, never overrun.
    const win::DWORD got = std::min(readSize, size);
    data.assign(buffer.get(), buffer.get() + got);
    type = valueType;
    return 0;
}

StatusCode DriverKey::ReadText(const char* name, std::string& text) {
    text.clear();
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    const StatusCode result = ReadValue(name, type, data);
    if (result != 0) {
        return result;
    }
    if (type != win::REG_SZ && type != win::REG_EXPAND_SZ && type != win::REG_MULTI_SZ) {
        Trace(LOG_WARNING, "DriverKey::ReadText: value '%s' is of unexpected type %u\n", name,
              type);
    }
    text.assign(data.begin(), std::find(data.begin(), data.end(), std::uint8_t{0}));
    return 0;
}

StatusCode DriverKey::Close() {
    if (key == nullptr) {
        return 0;
    }
    const auto result = static_cast<StatusCode>(win::Current().RegCloseKey(key));
    key = nullptr;
    if (result != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "DriverKey::Close: RegCloseKey failed with error 0x%08X.\n", result);
    }
    return result;
}
