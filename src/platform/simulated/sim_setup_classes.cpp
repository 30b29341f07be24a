// Setup classes and their registry keys (Control\Class\{guid}).
#include <cstring>

#include "text/guid_text.h"
#include "platform/simulated/simulated_platform.h"
#include "text/print_format.h"

namespace sim {

namespace {

const machine::SetupClass* FindClass(const machine::Machine& machine, const win::GUID& guid,
                                     std::size_t* index) {
    for (std::size_t i = 0; i < machine.classes.size(); ++i) {
        if (machine.classes[i].guid == guid) {
            if (index != nullptr) {
                *index = i;
            }
            return &machine.classes[i];
        }
    }
    return nullptr;
}

bool SameName(const std::string& a, const std::string& b) {
    return !machine::CaseInsensitiveLess{}(a, b) && !machine::CaseInsensitiveLess{}(b, a);
}

}  // namespace

win::BOOL SimulatedPlatform::SetupDiClassNameFromGuidA(const win::GUID* ClassGuid, char* ClassName,
                                                       win::DWORD ClassNameSize,
                                                       win::DWORD* RequiredSize) {
    if (EnterWith("SetupDiClassNameFromGuidA",
                  [&] { return ClassGuid != nullptr ? GuidText(*ClassGuid) : std::string(); })) {
        return win::FALSE;
    }
    if (ClassGuid == nullptr) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    const machine::SetupClass* setupClass = FindClass(machine_, *ClassGuid, nullptr);
    if (setupClass == nullptr) {
        return Fail(win::ERROR_INVALID_CLASS, win::FALSE);
    }
    // Characters, terminator included; reported even beyond MAX_CLASS_NAME_LEN.
    const auto required = static_cast<win::DWORD>(setupClass->name.size() + 1);
    if (RequiredSize != nullptr) {
        *RequiredSize = required;
    }
    if (ClassName == nullptr || ClassNameSize < required) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    std::memcpy(ClassName, setupClass->name.c_str(), required);
    return win::TRUE;
}

win::BOOL SimulatedPlatform::SetupDiBuildClassInfoList(win::DWORD Flags, win::GUID* ClassGuidList,
                                                       win::DWORD ClassGuidListSize,
                                                       win::DWORD* RequiredSize) {
    char flags[16];
    FormatPrint(flags, sizeof flags, "0x%X", static_cast<unsigned>(Flags));
    if (Enter("SetupDiBuildClassInfoList", flags)) {
        return win::FALSE;
    }
    if (RequiredSize == nullptr || (ClassGuidList == nullptr && ClassGuidListSize != 0)) {
        return Fail(win::ERROR_INVALID_PARAMETER, win::FALSE);
    }
    // Classes marked NoUseClass are never listed; the flags leave out more.
    const auto marked = [](const machine::SetupClass& c, const char* value) {
        return c.values.find(value) != c.values.end();
    };
    win::DWORD count = 0;
    for (const machine::SetupClass& setupClass : machine_.classes) {
        if (marked(setupClass, "NoUseClass") ||
            ((Flags & win::DIBCI_NOINSTALLCLASS) != 0 && marked(setupClass, "NoInstallClass")) ||
            ((Flags & win::DIBCI_NODISPLAYCLASS) != 0 && marked(setupClass, "NoDisplayClass"))) {
            continue;
        }
        if (count < ClassGuidListSize) {
            ClassGuidList[count] = setupClass.guid;
        }
        ++count;
    }
    *RequiredSize = count;
    if (count > ClassGuidListSize) {
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    return win::TRUE;
}

win::HKEY SimulatedPlatform::SetupDiOpenClassRegKey(const win::GUID* ClassGuid, win::REGSAM) {
    const auto invalid = static_cast<win::HKEY>(win::InvalidHandleValue());
    if (EnterWith("SetupDiOpenClassRegKey",
                  [&] { return ClassGuid != nullptr ? GuidText(*ClassGuid) : std::string(); })) {
        return invalid;
    }
    // A null GUID opens the Class root on Windows, which is not described.
    if (ClassGuid == nullptr) {
        return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, invalid);
    }
    std::size_t index = 0;
    if (FindClass(machine_, *ClassGuid, &index) == nullptr) {
        return Fail(win::ERROR_INVALID_CLASS, invalid);
    }
    const std::uintptr_t handle = NewHandle();
    keys_[handle] = ClassKey{index, nullptr};
    return reinterpret_cast<win::HKEY>(handle);
}

win::LONG SimulatedPlatform::RegQueryValueExA(win::HKEY hKey, const char* lpValueName,
                                              win::DWORD* lpReserved, win::DWORD* lpType,
                                              win::BYTE* lpData, win::DWORD* lpcbData) {
    const std::string name = lpValueName != nullptr ? lpValueName : "";
    if (Enter("RegQueryValueExA", name)) {
        return static_cast<win::LONG>(lastError_);
    }
    const auto key = keys_.find(reinterpret_cast<std::uintptr_t>(hKey));
    if (key == keys_.end()) {
        return static_cast<win::LONG>(win::ERROR_INVALID_HANDLE);
    }
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) {
        return static_cast<win::LONG>(win::ERROR_INVALID_PARAMETER);
    }
    machine::RegValue classValue;
    const machine::RegValue* value = nullptr;
    if (key->second.driverValues != nullptr) {
        const machine::RegValues& values = *key->second.driverValues;
        const auto found = values.find(name);
        if (found == values.end()) {
            return static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND);
        }
        value = &found->second;
    } else {
        const machine::SetupClass& setupClass = machine_.classes[key->second.classIndex];
        // The class name is the key's "Class" value unless the values list one.
        const auto found = setupClass.values.find(name);
        if (found != setupClass.values.end()) {
            value = &found->second;
        } else if (SameName(name, "Class")) {
            classValue = machine::RegValue::String(setupClass.name);
            value = &classValue;
        } else {
            return static_cast<win::LONG>(win::ERROR_FILE_NOT_FOUND);
        }
    }
    if (lpType != nullptr) {
        *lpType = value->type;
    }
    const auto size = static_cast<win::DWORD>(value->data.size());
    if (lpData == nullptr) {
        if (lpcbData != nullptr) {
            *lpcbData = size;
        }
        return static_cast<win::LONG>(win::ERROR_SUCCESS);
    }
    if (*lpcbData < size) {
        *lpcbData = size;
        return static_cast<win::LONG>(win::ERROR_MORE_DATA);
    }
    if (size != 0) {
        std::memcpy(lpData, value->data.data(), size);
    }
    *lpcbData = size;
    return static_cast<win::LONG>(win::ERROR_SUCCESS);
}

win::LONG SimulatedPlatform::RegCloseKey(win::HKEY hKey) {
    if (Enter("RegCloseKey")) {
        // As with the other closes, an injected failure still releases the
        // key, so that the open-key count shows real leaks only.
        keys_.erase(reinterpret_cast<std::uintptr_t>(hKey));
        return static_cast<win::LONG>(lastError_);
    }
    if (keys_.erase(reinterpret_cast<std::uintptr_t>(hKey)) == 0) {
        return static_cast<win::LONG>(win::ERROR_INVALID_HANDLE);
    }
    return static_cast<win::LONG>(win::ERROR_SUCCESS);
}

}  // namespace sim
