// The second trace sink of --verbose: every delivered message, whatever its
// type, on standard error, after the name of its type.
#pragma once

#include <cstdint>
#include <cstdio>

#include "log/custom_log.h"

class StderrLog : public TCustomLog {
  public:
    explicit StderrLog(std::FILE* stream) : stream_(stream) {}
    void Output(std::uint32_t type, const char* message) override;

  private:
    std::FILE* stream_;
};
