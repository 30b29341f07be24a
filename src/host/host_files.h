#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The few questions the command-line tools ask of the machine's own file
// system. Written against the C runtime and the Windows 2000 kernel, because
// the standard library's file system support imports run-time functions
// that Windows 2000's msvcrt.dll lacks.
namespace host {

enum class FileKind { Missing, Regular, Directory, Other };

// Other: a device or pipe, which is written into rather than replaced.
FileKind KindOf(const std::string& path);

// Moves from over to, replacing to (a macro of windows.h holds the plainer name); reason says why
// when it fails.
bool MoveOver(const std::string& from, const std::string& to, std::string& reason);

void RemoveFile(const std::string& path);

// Names (not paths) of the regular files directly in folder, sorted.
bool ListRegularFiles(const std::string& folder, std::vector<std::string>& names,
                      std::string& reason);

// The whole file, binary; reason says why when it can't be read.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason);
// The same, refusing a file of more than maxSize bytes before holding it.
bool ReadFileBytes(const std::string& path, std::size_t maxSize, std::string& bytes,
                   std::string& reason);

// The existing file or folder `relative` ('\\' or '/' separated) under
// folder, each part matched without regard to ASCII case as Windows matches
// it; empty when there is none.
std::string FindIgnoringCase(const std::string& folder, const std::string& relative);

// "a/b/c.json" -> "a/b"; "c.json" -> "".
std::string ParentFolder(const std::string& path);

// Absolute paths (and, on Windows, rooted ones) are used as they stand.
bool IsRooted(const std::string& path);

std::string JoinPath(const std::string& folder, const std::string& name);

// The running program's own file; empty when the host cannot tell.
std::string ExecutablePath();

// The C runtime's text for an errno value (what std::generic_category()
// says, without pulling the standard library's error categories into the
// release programs).
std::string ErrnoText(int error);

}  // namespace host
