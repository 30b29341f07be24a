#include "cli/host_profile_store.h"

#include <cerrno>

#include "host/whole_file.h"

namespace {

// The Windows error code for the C runtime's errno; `missing` for a name
// that leads nowhere (a missing file when reading, a missing folder when
// writing).
win::DWORD FromErrno(int error, win::DWORD missing) {
    switch (error) {
        case 0:
            return win::ERROR_SUCCESS;
        case ENOENT:
            return missing;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return win::ERROR_ACCESS_DENIED;
        case ENOSPC:
            return 112;  // ERROR_DISK_FULL
        default:
            return win::ERROR_GEN_FAILURE;
    }
}

}  // namespace

win::DWORD HostProfileStore::Read(const std::string& path, std::string& text) {
    return FromErrno(host::ReadWholeFile(path, text), win::ERROR_FILE_NOT_FOUND);
}

win::DWORD HostProfileStore::Write(const std::string& path, const std::string& text) {
    return FromErrno(host::WriteWholeFile(path, text), win::ERROR_PATH_NOT_FOUND);
}
