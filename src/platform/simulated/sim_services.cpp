// The service control manager.
// Not simulated yet: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#include "platform/simulated/simulated_platform.h"

namespace sim {

win::SC_HANDLE SimulatedPlatform::OpenSCManagerA(const char*, const char*, win::DWORD) {
    if (Enter("OpenSCManagerA")) {
        return static_cast<win::SC_HANDLE>(nullptr);
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, static_cast<win::SC_HANDLE>(nullptr));
}

win::SC_HANDLE SimulatedPlatform::OpenServiceA(win::SC_HANDLE, const char*, win::DWORD) {
    if (Enter("OpenServiceA")) {
        return static_cast<win::SC_HANDLE>(nullptr);
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, static_cast<win::SC_HANDLE>(nullptr));
}

win::BOOL SimulatedPlatform::QueryServiceConfigA(win::SC_HANDLE, win::QUERY_SERVICE_CONFIGA*,
                                                 win::DWORD, win::DWORD*) {
    if (Enter("QueryServiceConfigA")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

win::BOOL SimulatedPlatform::CloseServiceHandle(win::SC_HANDLE) {
    if (Enter("CloseServiceHandle")) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

}  // namespace sim
