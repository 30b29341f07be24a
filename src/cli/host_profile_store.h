// Profile files on the host's file system, for the simulated profile
// functions when the program's own configuration file is real.
#pragma once

#include <string>

#include "platform/simulated/profile_store.h"

class HostProfileStore : public sim::ProfileStore {
  public:
    win::DWORD Read(const std::string& path, std::string& text) override;
    win::DWORD Write(const std::string& path, const std::string& text) override;
};
