#include "cli/stderr_log.h"

#include "log/trace_log.h"

void StderrLog::Output(std::uint32_t type, const char* message) {
    const char* name = FindLogType(type).name;
    if (name[0] != '\0') {
        std::fprintf(stream_, "%s: %s", name, message);
    } else {
        std::fprintf(stream_, "0x%08X: %s", static_cast<unsigned>(type), message);
    }
}
