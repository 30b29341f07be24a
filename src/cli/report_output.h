// Writing the finished report: standard output byte for byte, or a file that
// is replaced only by a complete new one.
#pragma once

#include <cstdio>
#include <string>

// False with `error` (the system's reason) when not every byte was written.
bool WriteAll(std::FILE* stream, const std::string& bytes, std::string& error);

// Writes `bytes` into a new temporary file beside `path`, flushes it to disk
// and renames it over `path`. On any failure the temporary file is removed,
// `path` is left as it was, and `error` names the path and the reason. An
// existing target that is neither a file nor a directory (a device, a pipe)
// is written into directly.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error);
