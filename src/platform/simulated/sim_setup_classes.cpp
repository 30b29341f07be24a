// Setup classes and their registry keys.
// Not simulated yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#include "platform/simulated/simulated_platform.h"

namespace sim {

win::BOOL SimulatedPlatform::SetupDiClassNameFromGuidA(const win::GUID*, char*, win::DWORD,
                                                       win::DWORD*) {
    if (Enter("SetupDiClassNameFromGuidA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::HKEY SimulatedPlatform::SetupDiOpenClassRegKey(const win::GUID*, win::REGSAM) {
    if (Enter("SetupDiOpenClassRegKey")) {
        return static_cast<win::HKEY>(win::InvalidHandleValue());
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, static_cast<win::HKEY>(win::InvalidHandleValue()));
}

win::LONG SimulatedPlatform::RegQueryValueExA(win::HKEY, const char*, win::DWORD*, win::DWORD*,
                                              win::BYTE*, win::DWORD*) {
    Enter("RegQueryValueExA");
    return static_cast<win::LONG>(win::ERROR_CALL_NOT_IMPLEMENTED);
}

win::LONG SimulatedPlatform::RegCloseKey(win::HKEY) {
    Enter("RegCloseKey");
    return static_cast<win::LONG>(win::ERROR_CALL_NOT_IMPLEMENTED);
}

}  // namespace sim
