// One open service at a time, for reading its configuration.
#pragma once

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

    bool IsOpen() const { return serviceHandle != nullptr; }
    // The name of the open service; empty when closed.
    const std::string& ServiceName() const { return serviceName; }

  private:
    win::SC_HANDLE serviceHandle = nullptr;
    std::string serviceName;
};
