// The host's files on POSIX systems.
#include <cerrno>
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "host/host_files.h"
#include "host/native_files.h"

namespace host {

const char* PathSeparators() {
    return "/";
}

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

}  // namespace host
