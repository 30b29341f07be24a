// File version information.
// Not simulated yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#include "platform/simulated/simulated_platform.h"

namespace sim {

win::DWORD SimulatedPlatform::GetFileVersionInfoSizeA(const char*, win::DWORD*) {
    if (Enter("GetFileVersionInfoSizeA")) {
        return win::DWORD{0};
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::DWORD{0});
}

win::BOOL SimulatedPlatform::GetFileVersionInfoA(const char*, win::DWORD, win::DWORD, void*) {
    if (Enter("GetFileVersionInfoA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::BOOL SimulatedPlatform::VerQueryValueA(const void*, const char*, void**, win::UINT*) {
    if (Enter("VerQueryValueA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

}  // namespace sim
