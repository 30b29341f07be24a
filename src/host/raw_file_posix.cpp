#include "host/raw_file.h"

#include "host/host_files.h"

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit for a path

}  // namespace

int CreateExclusive(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int OpenExisting(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
}

long WriteSome(int fd, const char* data, std::size_t size) {
    return static_cast<long>(::write(fd, data, size));
}

int SyncFile(int fd) {
    return ::fsync(fd);
}

int CloseFile(int fd) {
    return ::close(fd);
}

int ProcessId() {
    return static_cast<int>(::getpid());
}

bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof link) {
            return true;  // unreadable: the path is used as it stands
        }
        const std::string next(link, static_cast<std::size_t>(length));
        target = IsRooted(next) ? next : JoinPath(ParentFolder(target), next);
    }
    errno = ELOOP;
    return false;
}

void CopyPermissions(const std::string& from, const std::string& to) {
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0) {
        return;
    }
    // Owner first: changing it may clear the set-ID bits that the mode then restores.
    [[maybe_unused]] const int owned = ::chown(to.c_str(), info.st_uid, info.st_gid);
    ::chmod(to.c_str(), info.st_mode & 07777);
}

}  // namespace host
