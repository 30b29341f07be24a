// Device information sets and device properties.
// Not simulated yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#include "platform/simulated/simulated_platform.h"

namespace sim {

win::HDEVINFO SimulatedPlatform::SetupDiGetClassDevsA(const win::GUID*, const char*, win::HWND,
                                                      win::DWORD) {
    if (Enter("SetupDiGetClassDevsA")) {
        return win::InvalidHandleValue();
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::InvalidHandleValue());
}

win::BOOL SimulatedPlatform::SetupDiEnumDeviceInfo(win::HDEVINFO, win::DWORD,
                                                   win::SP_DEVINFO_DATA*) {
    if (Enter("SetupDiEnumDeviceInfo")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::HDEVINFO SimulatedPlatform::SetupDiCreateDeviceInfoList(const win::GUID*, win::HWND) {
    if (Enter("SetupDiCreateDeviceInfoList")) {
        return win::InvalidHandleValue();
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::InvalidHandleValue());
}

win::BOOL SimulatedPlatform::SetupDiOpenDeviceInfoA(win::HDEVINFO, const char*, win::HWND,
                                                    win::DWORD, win::SP_DEVINFO_DATA*) {
    if (Enter("SetupDiOpenDeviceInfoA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::BOOL SimulatedPlatform::SetupDiDestroyDeviceInfoList(win::HDEVINFO) {
    if (Enter("SetupDiDestroyDeviceInfoList")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::BOOL SimulatedPlatform::SetupDiGetDeviceInstanceIdA(win::HDEVINFO, win::SP_DEVINFO_DATA*,
                                                         char*, win::DWORD, win::DWORD*) {
    if (Enter("SetupDiGetDeviceInstanceIdA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::BOOL SimulatedPlatform::SetupDiGetDeviceRegistryPropertyA(win::HDEVINFO, win::SP_DEVINFO_DATA*,
                                                               win::DWORD, win::DWORD*, win::BYTE*,
                                                               win::DWORD, win::DWORD*) {
    if (Enter("SetupDiGetDeviceRegistryPropertyA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

}  // namespace sim
