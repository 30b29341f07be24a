#include "services/svc_ctrl.h"

#include <cstring>

#include "log/trace_log.h"
#include "platform/sized_query.h"

TSvcCtrl::~TSvcCtrl() {
    if (serviceHandle != nullptr) {
        CloseService();
    }
}

StatusCode TSvcCtrl::OpenService(const std::string& name, win::SC_HANDLE managerHandle) {
    Trace(LOG_INFO, "TSvcCtrl::OpenService ...\n");
    if (serviceHandle != nullptr) {
        Trace(LOG_ERROR, "OpenService: Another service control is already open.\n");
        return win::ERROR_INVALID_PARAMETER;
    }
    win::Platform& platform = win::Current();
    serviceHandle = platform.OpenServiceA(managerHandle, name.c_str(), win::SERVICE_QUERY_CONFIG);
    if (serviceHandle != nullptr) {
        serviceName = name;
        return 0;
    }
    const StatusCode error = LastFailureCode();
    if (error == win::ERROR_SERVICE_DOES_NOT_EXIST) {
        Trace(LOG_ERROR,
              "OpenService: The specified service does not exist as an installed service.\n");
    } else {
        Trace(LOG_ERROR, "OpenService: OpenService failed with error = 0x%08X\n", error);
    }
    return error;
}

void TSvcCtrl::CloseService() {
    Trace(LOG_INFO, "TSvcCtrl::CloseService ...\n");
    if (serviceHandle == nullptr) {
        Trace(LOG_INFO, "CloseService: no open service control to close.\n");
        return;
    }
    win::Platform& platform = win::Current();
    if (!platform.CloseServiceHandle(serviceHandle)) {
        Trace(LOG_ERROR,
              "CloseService: CloseServiceHandle for service control failed with error = 0x%08X\n",
              LastFailureCode());
    }
    serviceHandle = nullptr;
    serviceName.clear();
}

StatusCode TSvcCtrl::GetBinPathNameInfo(std::string& binPath) {
    Trace(LOG_INFO, "TSvcCtrl::GetBinPathNameInfo ...\n");
    return QueryConfig("GetBinPathNameInfo", &binPath, nullptr);
}

StatusCode TSvcCtrl::GetStartType(std::uint32_t& startType) {
    Trace(LOG_INFO, "TSvcCtrl::GetStartType ...\n");
    return QueryConfig("GetStartType", nullptr, &startType);
}

StatusCode TSvcCtrl::QueryConfig(const char* caller, std::string* binPath,
                                 std::uint32_t* startType) {
    if (serviceHandle == nullptr) {
        Trace(LOG_ERROR, "%s: no open service control found.\n", caller);
        return win::ERROR_INVALID_FUNCTION;
    }
    if (binPath != nullptr) {
        binPath->clear();
    }
    win::Platform& platform = win::Current();
    // The record holds pointers: never hand the platform less than the record.
    const SizedAnswer answer = QuerySized(
        [&](std::uint8_t* buffer, win::DWORD size, win::DWORD* needed) {
            return platform.QueryServiceConfigA(
                serviceHandle, reinterpret_cast<win::QUERY_SERVICE_CONFIGA*>(buffer), size, needed);
        },
        sizeof(win::QUERY_SERVICE_CONFIGA));
    switch (answer.failedAt) {
        case SizedQueryStep::Done:
            break;
        case SizedQueryStep::Size:
            Trace(LOG_ERROR,
                  "%s: QueryServiceConfig failed to retrieve buffer size with error = 0x%08X\n",
                  caller, answer.error);
            return answer.error;
        case SizedQueryStep::Memory:
            Trace(LOG_ERROR, "%s: not enough memory for the service configuration.\n", caller);
            return answer.error;
        case SizedQueryStep::Data:
            Trace(LOG_ERROR, "%s: QueryServiceConfig failed with error = 0x%08X\n", caller,
                  answer.error);
            return answer.error;
    }
    const auto* config = reinterpret_cast<const win::QUERY_SERVICE_CONFIGA*>(answer.buffer.get());
    if (binPath != nullptr && config->lpBinaryPathName != nullptr) {
        *binPath = config->lpBinaryPathName;
    }
    if (startType != nullptr) {
        *startType = config->dwStartType;
    }
    return 0;
}
