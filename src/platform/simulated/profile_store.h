// Where the simulated profile functions find their files. The provider never
// opens a host file itself: the front end hands in a store that reaches the
// host's files when the program's own configuration must be real; tests keep
// files in memory.
#pragma once

#include <string>

#include "platform/platform.h"

namespace sim {

class ProfileStore {
  public:
    virtual ~ProfileStore() = default;

    // The whole file; ERROR_FILE_NOT_FOUND when there is none, another
    // Windows error code when it cannot be read.
    virtual win::DWORD Read(const std::string& path, std::string& text) = 0;
    // Replaces the file's content, creating it; a Windows error code.
    virtual win::DWORD Write(const std::string& path, const std::string& text) = 0;
};

}  // namespace sim
