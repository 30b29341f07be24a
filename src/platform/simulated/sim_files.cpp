// The system directory, the program's own file name and the profile files.
#include <cstring>
#include <string>

#if defined(__linux__)
#include <climits>
#include <unistd.h>
#endif

#include "platform/simulated/simulated_platform.h"

namespace sim {

namespace {

// The running executable, for a machine that does not name one: the trace
// configuration file lies beside the real program.
std::string RunningExecutable() {
#if defined(__linux__)
    char path[PATH_MAX + 1];
    const ssize_t length = ::readlink("/proc/self/exe", path, PATH_MAX);
    if (length > 0) {
        return std::string(path, static_cast<std::size_t>(length));
    }
#endif
    return "C:\\Program Files\\Malvoret\\MalvoretSysInfo.exe";
}

}  // namespace

win::UINT SimulatedPlatform::GetSystemDirectoryA(char* buffer, win::UINT size) {
    if (Enter("GetSystemDirectoryA")) {
        return 0;
    }
    const std::string& dir = machine_.systemDirectory;
    const auto length = static_cast<win::UINT>(dir.size());
    if (buffer == nullptr || size <= length) {
        return length + 1;  // the size needed, terminator included; nothing copied
    }
    std::memcpy(buffer, dir.c_str(), dir.size() + 1);
    return length;
}

win::DWORD SimulatedPlatform::GetModuleFileNameA(win::HMODULE module, char* buffer,
                                                 win::DWORD size) {
    if (Enter("GetModuleFileNameA")) {
        return 0;
    }
    std::string path;
    if (module == nullptr) {
        path = machine_.moduleFileName.empty() ? RunningExecutable() : machine_.moduleFileName;
    } else if (reinterpret_cast<std::uintptr_t>(module) == kKernel32Module) {
        path = machine_.systemDirectory + "\\kernel32.dll";
    } else {
        return Fail<win::DWORD>(win::ERROR_MOD_NOT_FOUND, 0);
    }
    if (buffer == nullptr || size == 0) {
        return Fail<win::DWORD>(win::ERROR_INSUFFICIENT_BUFFER, 0);
    }
    const auto length = static_cast<win::DWORD>(path.size());
    if (length >= size) {
        // As Windows XP and later: cut, terminated, the size returned.
        std::memcpy(buffer, path.data(), size - 1);
        buffer[size - 1] = '\0';
        return Fail<win::DWORD>(win::ERROR_INSUFFICIENT_BUFFER, size);
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    lastError_ = win::ERROR_SUCCESS;
    return length;
}

win::DWORD SimulatedPlatform::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char*, char* buffer, win::DWORD size,
                                                       const char*) {
    std::string argument =
        std::string(section != nullptr ? section : "") + "|" + (key != nullptr ? key : "");
    if (Enter("GetPrivateProfileStringA", argument)) {
        return 0;
    }
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    return Fail<win::DWORD>(win::ERROR_CALL_NOT_IMPLEMENTED, 0);
}

win::BOOL SimulatedPlatform::WritePrivateProfileStringA(const char* section, const char* key,
                                                        const char*, const char*) {
    std::string argument =
        std::string(section != nullptr ? section : "") + "|" + (key != nullptr ? key : "");
    if (Enter("WritePrivateProfileStringA", argument)) {
        return win::FALSE;
    }
    return Fail(win::ERROR_CALL_NOT_IMPLEMENTED, win::FALSE);
}

}  // namespace sim
