// The low-level file calls that writing a file in place of another needs,
// with a POSIX and a Windows implementation (raw_file_posix.cpp,
// raw_file_windows.cpp). Failures leave the C runtime's errno set.
#pragma once

#include <cstddef>
#include <string>

namespace host {

// A new file, opened for writing; -1 when it exists or cannot be created.
int CreateExclusive(const std::string& path);

// An existing file opened for writing, neither truncated nor created: asks
// whether the file may be written as it stands.
int OpenExisting(const std::string& path);

// Bytes written (fewer than asked is no failure), or -1.
long WriteSome(int fd, const char* data, std::size_t size);

// Flushes the file's data to the device.
int SyncFile(int fd);

int CloseFile(int fd);

int ProcessId();

// The file a path names once its symbolic links are followed (the target need
// not exist); the path itself where the system has no such links. False with
// errno ELOOP for a loop of links.
bool FollowLinks(const std::string& path, std::string& target);

// Gives `to` the permissions (POSIX mode, owner and group) or the attributes
// (Windows: hidden, system, archive, not indexed) of `from`, as far as the
// system lets this process.
void CopyPermissions(const std::string& from, const std::string& to);

}  // namespace host
