// Writing the finished report: standard output byte for byte, or a file that
// is replaced only by a complete new one.
#pragma once

#include <cstdio>
#include <string>

// False with `error` (the system's reason) when not every byte was written.
bool WriteAll(std::FILE* stream, const std::string& bytes, std::string& error);

// Writes `bytes` in place of the file at `path` (host::WriteReplacing: whole
// or not at all, through a symbolic link, keeping the target's permissions);
// on failure `error` names the path and the reason.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error);
