#include "devices/device_setup_class.h"

#include <algorithm>

#include "devices/multi_string.h"
#include "log/trace_log.h"
#include "platform/buffer.h"
#include "platform/failure_code.h"

namespace {

// Closes the class key on every path; only the success path asks for the
// result of the close.
class ClassKey {
  public:
    explicit ClassKey(win::HKEY opened) : key(opened) {}
    ~ClassKey() {
        if (key != nullptr) {
            win::Current().RegCloseKey(key);
        }
    }
    ClassKey(const ClassKey&) = delete;
    ClassKey& operator=(const ClassKey&) = delete;

    win::HKEY Get() const { return key; }
    win::LONG Close() {
        const win::LONG result = win::Current().RegCloseKey(key);
        key = nullptr;
        return result;
    }

  private:
    win::HKEY key;
};

}  // namespace

StatusCode DeviceSetupClass::GetClassName(std::string& name) const {
    Trace(LOG_INFO, "DeviceSetupClass::GetClassName...\n");
    name.clear();
    char buffer[win::MAX_CLASS_NAME_LEN] = {};
    if (!win::Current().SetupDiClassNameFromGuidA(&classGuid, buffer, win::MAX_CLASS_NAME_LEN,
                                                  nullptr)) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "GetClassName: SetupDiClassNameFromGuid failed with error 0x%08X.\n",
              error);
        return error;
    }
    // Bounded: a provider that filled the whole buffer leaves no terminator.
    name.assign(buffer, std::find(buffer, buffer + sizeof buffer, '\0'));
    return 0;
}

StatusCode DeviceSetupClass::GetRegistryValue(const char* valueName, StringList* Strings,
                                              std::uint32_t* DwordValue) const {
    Trace(LOG_INFO, "DeviceSetupClass::GetRegistryValue '%s'...\n", valueName);
    if (Strings != nullptr) {
        Strings->clear();
    }
    const win::HKEY opened = win::Current().SetupDiOpenClassRegKey(&classGuid, win::KEY_READ);
    if (opened == static_cast<win::HKEY>(win::InvalidHandleValue())) {
        const StatusCode error = LastFailureCode();
        Trace(LOG_ERROR, "GetRegistryValue: SetupDiOpenClassRegKey failed with error 0x%08X.\n",
              error);
        return error;
    }
    ClassKey key(opened);

    win::DWORD type = 0;
    win::DWORD size = 0;
    auto result = static_cast<StatusCode>(
        win::Current().RegQueryValueExA(key.Get(), valueName, nullptr, &type, nullptr, &size));
    if (result == win::ERROR_FILE_NOT_FOUND) {
        Trace(LOG_INFO, "GetRegistryValue: value '%s' not found.\n", valueName);
        return win::ERROR_FILE_NOT_FOUND;
    }
    if (result != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR,
              "GetRegistryValue: RegQueryValueEx failed to get value type and size with error "
              "0x%08X.\n",
              result);
        return result;
    }

    switch (type) {
        case win::REG_SZ:
        case win::REG_EXPAND_SZ:
        case win::REG_MULTI_SZ: {
            if (Strings == nullptr) {
                Trace(LOG_ERROR,
                      "GetRegistryValue: parameter 'Strings' is NULL but required to return the "
                      "value.\n");
                return 1;
            }
            if (size == 0) {
                break;
            }
            // Two zero bytes beyond the data keep it terminated even when the
            // stored value lacks its own terminators.
            const std::size_t bufferSize = std::size_t{size} + 2;
            ByteBuffer buffer = AllocateBuffer(bufferSize);
            if (!buffer) {
                return win::ERROR_NOT_ENOUGH_MEMORY;
            }
            win::DWORD readSize = size;
            result = static_cast<StatusCode>(win::Current().RegQueryValueExA(
                key.Get(), valueName, nullptr, &type, buffer.get(), &readSize));
            if (result != win::ERROR_SUCCESS) {
                Trace(LOG_ERROR,
                      "GetRegistryValue: RegQueryValueEx failed to get string type value with "
                      "error 0x%08X.\n",
                      result);
                return result;
            }
            if (type == win::REG_MULTI_SZ) {
                if (size >= 2) {
                    ConvertMultiStringToList(*Strings, buffer.get(),
                                             static_cast<win::DWORD>(bufferSize));
                }
            } else {
                const char* text = reinterpret_cast<const char*>(buffer.get());
                Strings->emplace_back(text, std::find(text, text + bufferSize, '\0'));
            }
            break;
        }
        case win::REG_DWORD: {
            if (DwordValue == nullptr) {
                Trace(LOG_ERROR,
                      "GetRegistryValue: parameter 'DwordValue' is NULL but required to return the "
                      "value.\n");
                return 1;
            }
            // No caller asks for one; read it as stored, a short value zero-extended.
            win::DWORD value = 0;
            win::DWORD readSize = sizeof value;
            result = static_cast<StatusCode>(
                win::Current().RegQueryValueExA(key.Get(), valueName, nullptr, &type,
                                                reinterpret_cast<win::BYTE*>(&value), &readSize));
            if (result != win::ERROR_SUCCESS) {
                Trace(LOG_ERROR,
                      "GetRegistryValue: RegQueryValueEx failed to get DWORD value with error "
                      "0x%08X.\n",
                      result);
                return result;
            }
            *DwordValue = value;
            break;
        }
        default:
            Trace(LOG_ERROR,
                  "GetRegistryValue: registry value type %u is currently not supported.\n", type);
            return 1;
    }

    const auto closed = static_cast<StatusCode>(key.Close());
    if (closed != win::ERROR_SUCCESS) {
        Trace(LOG_ERROR, "GetRegistryValue: RegCloseKey failed with error 0x%08X.\n", closed);
    }
    return 0;
}

StatusCode DeviceSetupClass::GetUpperFilters(StringList& filters) const {
    Trace(LOG_INFO, "DeviceSetupClass::GetUpperFilters ...\n");
    const StatusCode result = GetRegistryValue("UpperFilters", &filters, nullptr);
    // A class without the value has no class filters.
    if (result == 0 || result == win::ERROR_FILE_NOT_FOUND) {
        return 0;
    }
    Trace(LOG_ERROR, "GetUpperFilters: GetRegistryValue failed with error 0x%08X.\n", result);
    return result;
}

StatusCode DeviceSetupClass::GetLowerFilters(StringList& filters) const {
    Trace(LOG_INFO, "DeviceSetupClass::GetLowerFilters ...\n");
    const StatusCode result = GetRegistryValue("LowerFilters", &filters, nullptr);
    if (result == 0 || result == win::ERROR_FILE_NOT_FOUND) {
        return 0;
    }
    Trace(LOG_ERROR, "GetLowerFilters: GetRegistryValue failed with error 0x%08X.\n", result);
    return result;
}
