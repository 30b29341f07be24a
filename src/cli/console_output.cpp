#include "cli/console_output.h"

#include <climits>
#include <vector>

#include "cli/report_output.h"

namespace {

// Older consoles refuse large single writes (their buffer is 64 KB).
constexpr std::size_t kConsoleChunk = 8192;

std::string Failed(const char* function, win::DWORD code) {
    return std::string(function) + " failed with error " + std::to_string(code);
}

}  // namespace

bool IsConsole(win::Platform& system, std::FILE* out) {
    if (out != stdout) {
        return false;
    }
    const win::HANDLE handle = system.GetStdHandle(win::STD_OUTPUT_HANDLE);
    win::DWORD mode = 0;
    return handle != nullptr && handle != win::InvalidHandleValue() &&
           system.GetConsoleMode(handle, &mode) != win::FALSE;
}

bool WriteStandardOutput(win::Platform& system, std::FILE* out, const std::string& text,
                         std::string& error) {
    if (!IsConsole(system, out)) {
        return WriteAll(out, text, error);
    }
    if (text.empty()) {
        return true;
    }
    if (text.size() > INT_MAX) {
        error = "the report is too large for the console";
        return false;
    }
    // The whole text at once: a double-byte code page's character must not
    // be split between two conversions.
    const int size = static_cast<int>(text.size());
    const int needed = system.MultiByteToWideChar(win::CP_ACP, 0, text.data(), size, nullptr, 0);
    std::vector<win::OLECHAR> wide(static_cast<std::size_t>(needed > 0 ? needed : 1));
    if (needed <= 0 || system.MultiByteToWideChar(win::CP_ACP, 0, text.data(), size, wide.data(),
                                                  needed) != needed) {
        error = Failed("MultiByteToWideChar", system.GetLastError());
        return false;
    }
    const win::HANDLE console = system.GetStdHandle(win::STD_OUTPUT_HANDLE);
    std::size_t done = 0;
    while (done < wide.size()) {
        const std::size_t part =
            wide.size() - done < kConsoleChunk ? wide.size() - done : kConsoleChunk;
        win::DWORD written = 0;
        if (system.WriteConsoleW(console, wide.data() + done, static_cast<win::DWORD>(part),
                                 &written, nullptr) == win::FALSE) {
            error = Failed("WriteConsoleW", system.GetLastError());
            return false;
        }
        if (written == 0) {
            error = "the console took no characters";
            return false;
        }
        done += written;
    }
    return true;
}
