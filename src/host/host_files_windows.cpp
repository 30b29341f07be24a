// The host's files on Windows: the ANSI functions of the Windows 2000 kernel.
#include <windows.h>

#include "host/host_files.h"
#include "host/native_files.h"
#include "host/system_error_text.h"

namespace host {

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
    reason = SystemErrorText(::GetLastError());
    return false;
}

void RemoveFile(const std::string& path) {
    ::DeleteFileA(path.c_str());
}

}  // namespace host
