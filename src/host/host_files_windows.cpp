// The host's files on Windows: the ANSI functions of the Windows 2000 kernel.
#include <cstring>

#include <windows.h>

#include "host/host_files.h"
#include "host/native_files.h"

namespace host {

namespace {

// The system's text for an error code, worded as std::system_category()
// words it, whose error categories would pull the standard library's
// exception classes into the release programs. A message with inserts (%1)
// fails without arguments, as it does there.
std::string ErrorText(DWORD error) {
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                         error, LANG_USER_DEFAULT, reinterpret_cast<char*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) {
        return "Unknown error code";
    }
    const bool sentence = length > 3 && std::memcmp(text + length - 3, ".\r\n", 3) == 0;
    std::string message(text, sentence ? length - 3 : length);
    ::LocalFree(text);
    return message;
}

std::string LastErrorText() {
    return ErrorText(::GetLastError());
}

}  // namespace

const char* PathSeparators() {
    return "\\/";
}

FileKind KindOf(const std::string& path) {
    // The device namespace holds nothing but devices and pipes; opening a pipe
    // to look at it would take one of its server's instances.
    if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("//./", 0) == 0) {
        return FileKind::Other;
    }
    // Devices (NUL, CON, COM1) answer GetFileType on an open handle; attributes alone
    // don't tell them from files.
    const HANDLE handle =
        ::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        const DWORD type = ::GetFileType(handle);
        ::CloseHandle(handle);
        if (type != FILE_TYPE_DISK) {
            return FileKind::Other;
        }
    }
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return FileKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory : FileKind::Regular;
}

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
    if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
        return true;
    }
    reason = LastErrorText();
    return false;
}

void RemoveFile(const std::string& path) {
    ::DeleteFileA(path.c_str());
}

bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
                         std::string& reason) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA(JoinPath(folder, "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND && KindOf(folder) == FileKind::Directory) {
            return true;
        }
        reason = LastErrorText();
        return false;
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(entry.cFileName);
        }
    } while (::FindNextFileA(find, &entry) != 0);
    const DWORD error = ::GetLastError();
    ::FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
        reason = ErrorText(error);
        return false;
    }
    return true;
}

bool IsRooted(const std::string& path) {
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) {
        return true;
    }
    return path.size() >= 2 && path[1] == ':';
}

std::string ExecutablePath() {
    char path[MAX_PATH + 1];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return {};  // failed, or a cut name that would point elsewhere
    }
    return std::string(path, length);
}

std::string FindIgnoringCase(const std::string& folder, const std::string& relative) {
    std::string inside = relative;
    for (char& c : inside) {
        c = c == '/' ? '\\' : c;
    }
    // Stays inside the folder.
    if (("\\" + inside + "\\").find("\\..\\") != std::string::npos) {
        return std::string();
    }
    const std::string path = JoinPath(folder, inside);
    return KindOf(path) == FileKind::Missing ? std::string() : path;
}

}  // namespace host
