// The service control manager: services by name (case-insensitive), handles
// that are checked, and configuration records laid out as Windows lays them.
#include <cstring>
#include <string>

#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// Service names longer than this are refused by the manager.
constexpr std::size_t kMaxServiceNameLength = 256;

constexpr win::DWORD kRpcServerUnavailable = 1722;
constexpr win::DWORD kServiceMarkedForDelete = 1072;

bool SameText(const char* a, const char* b) {
    machine::CaseInsensitiveLess less;
    return !less(a, b) && !less(b, a);
}

}  // namespace

win::SC_HANDLE SimulatedPlatform::OpenSCManagerA(const char* lpMachineName,
                                                 const char* lpDatabaseName, win::DWORD) {
    if (Enter("OpenSCManagerA")) {
        return nullptr;
    }
    // Only the local machine and its active database are described.
    if (lpMachineName != nullptr && *lpMachineName != '\0') {
        return Fail(kRpcServerUnavailable, static_cast<win::SC_HANDLE>(nullptr));
    }
    if (lpDatabaseName != nullptr && !SameText(lpDatabaseName, "ServicesActive")) {
        return Fail(win::ERROR_INVALID_NAME, static_cast<win::SC_HANDLE>(nullptr));
    }
    const std::uintptr_t handle = NewHandle();
    serviceHandles_[handle] = ServiceHandle{true, std::string()};
    lastError_ = win::ERROR_SUCCESS;
    return reinterpret_cast<win::SC_HANDLE>(handle);
}

win::SC_HANDLE SimulatedPlatform::OpenServiceA(win::SC_HANDLE hSCManager, const char* lpServiceName,
                                               win::DWORD) {
    if (Enter("OpenServiceA", lpServiceName != nullptr ? lpServiceName : "")) {
        return nullptr;
    }
    const auto manager = serviceHandles_.find(reinterpret_cast<std::uintptr_t>(hSCManager));
    if (manager == serviceHandles_.end() || !manager->second.isManager) {
        return Fail(win::ERROR_INVALID_HANDLE, static_cast<win::SC_HANDLE>(nullptr));
    }
    if (lpServiceName == nullptr) {
        return Fail(win::ERROR_INVALID_ADDRESS, static_cast<win::SC_HANDLE>(nullptr));
    }
    if (std::strlen(lpServiceName) > kMaxServiceNameLength) {
        return Fail(win::ERROR_INVALID_NAME, static_cast<win::SC_HANDLE>(nullptr));
    }
    const auto service = machine_.services.find(lpServiceName);
    if (service == machine_.services.end()) {
        return Fail(win::ERROR_SERVICE_DOES_NOT_EXIST, static_cast<win::SC_HANDLE>(nullptr));
    }
    const std::uintptr_t handle = NewHandle();
    serviceHandles_[handle] = ServiceHandle{false, service->first};
    lastError_ = win::ERROR_SUCCESS;
    return reinterpret_cast<win::SC_HANDLE>(handle);
}

win::BOOL SimulatedPlatform::QueryServiceConfigA(win::SC_HANDLE hService,
                                                 win::QUERY_SERVICE_CONFIGA* lpServiceConfig,
                                                 win::DWORD cbBufSize, win::DWORD* pcbBytesNeeded) {
    const auto open = serviceHandles_.find(reinterpret_cast<std::uintptr_t>(hService));
    const bool isService = open != serviceHandles_.end() && !open->second.isManager;
    if (Enter("QueryServiceConfigA", isService ? open->second.serviceName : std::string())) {
        return win::FALSE;
    }
    if (!isService) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    if (pcbBytesNeeded == nullptr) {
        return Fail(win::ERROR_INVALID_ADDRESS, win::FALSE);
    }
    const auto service = machine_.services.find(open->second.serviceName);
    if (service == machine_.services.end()) {
        // Deleted from the description while open: Windows marks it for deletion.
        return Fail(kServiceMarkedForDelete, win::FALSE);
    }
    const machine::Service& config = service->second;
    const std::string binaryPath = config.binaryPath.value_or(std::string());
    // Strings follow the record: binary path, load order group, dependencies
    // (an empty multi-string), start name, display name.
    const std::string strings[] = {binaryPath, std::string(), std::string(1, '\0'), std::string(),
                                   config.displayName};
    std::size_t needed = sizeof(win::QUERY_SERVICE_CONFIGA);
    for (const std::string& text : strings) {
        needed += text.size() + 1;
    }
    if (lpServiceConfig == nullptr || cbBufSize < needed) {
        *pcbBytesNeeded = static_cast<win::DWORD>(needed);
        return Fail(win::ERROR_INSUFFICIENT_BUFFER, win::FALSE);
    }
    char* base = reinterpret_cast<char*>(lpServiceConfig);
    char* cursor = base + sizeof(win::QUERY_SERVICE_CONFIGA);
    char* pointers[5] = {};
    for (std::size_t i = 0; i < 5; ++i) {
        pointers[i] = cursor;
        std::memcpy(cursor, strings[i].c_str(), strings[i].size() + 1);
        cursor += strings[i].size() + 1;
    }
    win::QUERY_SERVICE_CONFIGA record{};
    record.dwServiceType = config.serviceType;
    record.dwStartType = config.startType;
    record.dwErrorControl = config.errorControl;
    record.lpBinaryPathName = pointers[0];
    record.lpLoadOrderGroup = pointers[1];
    record.dwTagId = 0;
    record.lpDependencies = pointers[2];
    record.lpServiceStartName = pointers[3];
    record.lpDisplayName = pointers[4];
    std::memcpy(base, &record, sizeof record);
    *pcbBytesNeeded = static_cast<win::DWORD>(needed);
    lastError_ = win::ERROR_SUCCESS;
    return win::TRUE;
}

win::BOOL SimulatedPlatform::CloseServiceHandle(win::SC_HANDLE hSCObject) {
    const auto open = serviceHandles_.find(reinterpret_cast<std::uintptr_t>(hSCObject));
    if (Enter("CloseServiceHandle")) {
        // An injected failure still releases the handle: callers forget it
        // either way, and the leak count should show real leaks only.
        if (open != serviceHandles_.end()) {
            serviceHandles_.erase(open);
        }
        return win::FALSE;
    }
    if (open == serviceHandles_.end()) {
        return Fail(win::ERROR_INVALID_HANDLE, win::FALSE);
    }
    serviceHandles_.erase(open);
    lastError_ = win::ERROR_SUCCESS;
    return win::TRUE;
}

}  // namespace sim
