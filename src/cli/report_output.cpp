#include "cli/report_output.h"

#include <cerrno>
#include <cstring>

#include "host/write_replacing.h"

bool WriteAll(std::FILE* stream, const std::string& bytes, std::string& error) {
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream);
    if (written != bytes.size() || std::fflush(stream) != 0) {
        error = errno != 0 ? std::strerror(errno) : "write failed";
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error) {
    const host::WriteOutcome outcome = host::WriteReplacing(path, bytes);
    if (outcome.failed != host::WriteOutcome::Done) {
        error = "cannot write '" + path + "': " + outcome.reason;
        return false;
    }
    return true;
}
