#include "host/raw_file.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

namespace host {

int CreateExclusive(const std::string& path) {
    return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int OpenExisting(const std::string& path) {
    return ::_open(path.c_str(), _O_WRONLY | _O_BINARY);
}

long WriteSome(int fd, const char* data, std::size_t size) {
    const unsigned chunk = size > 0x10000000 ? 0x10000000u : static_cast<unsigned>(size);
    return ::_write(fd, data, chunk);
}

int SyncFile(int fd) {
    return ::_commit(fd);
}

int CloseFile(int fd) {
    return ::_close(fd);
}

int ProcessId() {
    return ::_getpid();
}

// Not followed: naming a link's target takes GetFinalPathNameByHandleA
// (Vista), which Windows 2000 lacks, so the move replaces an NTFS link itself.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    return true;
}

void CopyPermissions(const std::string& from, const std::string& to) {
    const DWORD attributes = ::GetFileAttributesA(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    ::SetFileAttributesA(to.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
}

}  // namespace host
