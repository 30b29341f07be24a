// Folders and paths on POSIX systems: the regular files of a folder, which
// paths are rooted, the program's own, and finding one as Windows would,
// without regard to case. Apart from host_files_posix.cpp,
// which the window program needs for writing its files.
#include <cerrno>
#include <climits>

#include <dirent.h>
#include <unistd.h>

#include "host/host_files.h"
#include "host/native_files.h"

namespace host {

bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
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

std::string ExecutablePath() {
#if defined(__linux__)
    char path[PATH_MAX + 1];
    const ssize_t length = ::readlink("/proc/self/exe", path, PATH_MAX);
    if (length > 0) {
        return std::string(path, static_cast<std::size_t>(length));
    }
#endif
    return {};
}

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The entry of `folder` named `name` in some case; an exact match first.
std::string Entry(const std::string& folder, const std::string& name) {
    const std::string exact = JoinPath(folder, name);
    if (KindOf(exact) != FileKind::Missing) {
        return exact;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return std::string();
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        if (SameIgnoringCase(entry->d_name, name)) {
            found = JoinPath(folder, entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace

std::string FindIgnoringCase(const std::string& folder, const std::string& relative) {
    std::string path = folder;
    std::size_t at = 0;
    while (at <= relative.size() && !path.empty()) {
        std::size_t end = relative.find_first_of("\\/", at);
        end = end == std::string::npos ? relative.size() : end;
        const std::string part = relative.substr(at, end - at);
        if (part == "..") {
            return std::string();  // stays inside the folder
        }
        if (!part.empty() && part != ".") {
            path = Entry(path, part);
        }
        at = end + 1;
    }
    return path;
}

}  // namespace host
