// A read-only connection to the service control manager.
#pragma once

#include "platform/platform.h"

class TSvcCtrlManager {
  public:
    TSvcCtrlManager() = default;
    ~TSvcCtrlManager();
    TSvcCtrlManager(const TSvcCtrlManager&) = delete;
    TSvcCtrlManager& operator=(const TSvcCtrlManager&) = delete;

    StatusCode Open();
    StatusCode Close();

    win::SC_HANDLE ManagerHandle() const { return managerHandle; }

  private:
    win::SC_HANDLE managerHandle = nullptr;
};
