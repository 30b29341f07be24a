#include "cli/stderr_log.h"

#include "log/trace_log.h"
#include "text/joined.h"
#include "text/print_format.h"

void StderrLog::Output(std::uint32_t type, const char* message) {
    const char* name = FindLogType(type).name;
    char hex[16];
    if (name[0] == '\0') {
        FormatPrint(hex, sizeof hex, "0x%08X", static_cast<unsigned>(type));
        name = hex;
    }
    std::fputs(Joined({name, ": ", message}).c_str(), stream_);
}
