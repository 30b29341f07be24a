#include "services/svc_ctrl_manager.h"

#include "log/trace_log.h"
#include "platform/failure_code.h"

TSvcCtrlManager::~TSvcCtrlManager() {
    if (managerHandle == nullptr) {
        return;
    }
    const StatusCode status = Close();
    if (status != 0) {
        Trace(LOG_ERROR, "~TSvcCtrlManager: close failed with error = 0x%08X\n", status);
    }
}

StatusCode TSvcCtrlManager::Open() {
    Trace(LOG_INFO, "Opening service control manager...\n");
    win::Platform& platform = win::Current();
    managerHandle = platform.OpenSCManagerA(nullptr, nullptr, win::GENERIC_READ);
    if (managerHandle != nullptr) {
        return 0;
    }
    const StatusCode error = LastFailureCode();
    Trace(LOG_ERROR, "Open: OpenSCManager failed with error = 0x%08X\n", error);
    return error;
}

StatusCode TSvcCtrlManager::Close() {
    Trace(LOG_INFO, "Closing service control manager ...\n");
    if (managerHandle == nullptr) {
        Trace(LOG_ERROR, "Close: no open service control manager to close.\n");
        return 1;
    }
    StatusCode status = 0;
    win::Platform& platform = win::Current();
    if (!platform.CloseServiceHandle(managerHandle)) {
        status = LastFailureCode();
        Trace(LOG_ERROR,
              "Close: CloseServiceHandle for control manager failed with error = 0x%08X\n", status);
    }
    // A handle whose close failed is not valid any more either.
    managerHandle = nullptr;
    return status;
}
