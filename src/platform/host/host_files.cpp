#include "platform/host/host_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace host {

namespace {

#if defined(_WIN32)
constexpr char kSeparators[] = "\\/";

std::string LastErrorText() {
    return std::system_category().message(static_cast<int>(::GetLastError()));
}
#else
constexpr char kSeparators[] = "/";

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}
#endif

}  // namespace

#if defined(_WIN32)
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

static bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
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
        reason = std::system_category().message(static_cast<int>(error));
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
#else
FileKind KindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return FileKind::Missing;
    }
    if (S_ISDIR(info.st_mode)) {
        return FileKind::Directory;
    }
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::Other;
}

bool MoveOver(const std::string& from, const std::string& to, std::string& reason) {
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    reason = ErrnoText(errno);
    return false;
}

void RemoveFile(const std::string& path) {
    ::unlink(path.c_str());
}

static bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
                                std::string& reason) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        reason = ErrnoText(errno);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (KindOf(JoinPath(folder, name)) == FileKind::Regular) {
            names.push_back(name);
        }
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
        reason = ErrnoText(error);
        return false;
    }
    return true;
}

bool IsRooted(const std::string& path) {
    return !path.empty() && path[0] == '/';
}
#endif

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason) {
    bytes.clear();
    errno = 0;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) {
        reason = errno != 0 ? std::generic_category().message(errno) : "cannot open the file";
        return false;
    }
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        bytes.append(chunk, n);
    }
    const bool failed = std::ferror(in) != 0;
    if (failed) {
        reason = errno != 0 ? std::generic_category().message(errno) : "read error";
    }
    std::fclose(in);
    return !failed;
}

bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names,
                      std::string& reason) {
    names.clear();
    if (!CollectRegularFiles(folder, names, reason)) {
        return false;
    }
    std::sort(names.begin(), names.end());
    return true;
}

std::string ParentFolder(const std::string& path) {
    const std::size_t cut = path.find_last_of(kSeparators);
    if (cut == std::string::npos) {
        return {};
    }
    // The root keeps its separator: "/x" -> "/".
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char last = folder.back();
    if (std::string(kSeparators).find(last) != std::string::npos) {
        return folder + name;
    }
#if defined(_WIN32)
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

}  // namespace host
