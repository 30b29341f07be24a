// What the fuzz targets share: a simulated platform installed for the whole
// process, the trace log delivering ERROR, WARNING and INFO to a sink that
// checks each message, and a check that stops the run on a broken invariant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "log/custom_log.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

class CheckingSink : public TCustomLog {
  public:
    void Output(std::uint32_t type, const char* message) override {
        FUZZ_CHECK(message != nullptr);
        FUZZ_CHECK(std::strlen(message) < LOG_TEXT_SIZE);
        errors += type == LOG_ERROR ? 1 : 0;
    }
    std::size_t errors = 0;
};

class FuzzEnvironment {
  public:
    FuzzEnvironment() : scope_(platform) {
        // Millions of inputs: the call log would only grow.
        platform.calls().SetEnabled(false);
        ResetLogState();
        LogState().enabledMask = LOG_ERROR | LOG_WARNING | LOG_INFO;
        LogState().channelMask = DefaultLogConfig().channelMask;
    }

    sim::SimulatedPlatform platform;
    CheckingSink sink;

  private:
    win::ScopedPlatform scope_;
};

inline FuzzEnvironment& Environment() {
    static FuzzEnvironment environment;
    return environment;
}

inline std::string AsText(const std::uint8_t* data, std::size_t size) {
    return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}
