// Folders and paths on Windows: the regular files of a folder, which paths are
// rooted, the program's own, and finding one without regard to case. Apart from
// host_files_windows.cpp, which the window program needs for writing its files.
#include <windows.h>

#include "host/host_files.h"
#include "host/native_files.h"
#include "host/system_error_text.h"

namespace host {

bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
                         std::string& reason) {
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA(JoinPath(folder, "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND && KindOf(folder) == FileKind::Directory) {
            return true;
        }
        reason = SystemErrorText(::GetLastError());
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
        reason = SystemErrorText(error);
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
