// Profile files held in memory, named as Windows names files: without regard
// to case.
#pragma once

#include <map>
#include <string>

#include "machine/machine.h"
#include "platform/simulated/profile_store.h"

namespace sim {

class MemoryProfileStore : public ProfileStore {
  public:
    win::DWORD Read(const std::string& path, std::string& text) override;
    win::DWORD Write(const std::string& path, const std::string& text) override;

  private:
    std::map<std::string, std::string, machine::CaseInsensitiveLess> files_;
};

}  // namespace sim
