// One open service at a time, for reading its configuration.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

class TSvcCtrl {
  public:
    TSvcCtrl() = default;
    ~TSvcCtrl();
    TSvcCtrl(const TSvcCtrl&) = delete;
    TSvcCtrl& operator=(const TSvcCtrl&) = delete;

    StatusCode OpenService(const std::string& name, win::SC_HANDLE managerHandle);
    void CloseService();
    StatusCode GetBinPathNameInfo(std::string& binPath);
    // The start type of the configuration (SERVICE_BOOT_START 0 ... SERVICE_DISABLED 4).
    StatusCode GetStartType(std::uint32_t& startType);

    bool IsOpen() const { return serviceHandle != nullptr; }
    // The name of the open service; empty when closed.
    const std::string& ServiceName() const { return serviceName; }

  private:
    // QueryServiceConfigA with the two-call protocol; `caller` names the
    // operation in the trace messages.
    StatusCode QueryConfig(const char* caller, std::string* binPath, std::uint32_t* startType);

    win::SC_HANDLE serviceHandle = nullptr;
    std::string serviceName;
};
