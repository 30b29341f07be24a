// Files read and written whole through the C runtime, for callers that need
// the cause of a failure as the C runtime's errno (to turn it into a Windows
// error code) rather than as text.
#pragma once

#include <string>

namespace host {

// The whole file, binary: 0, or errno.
int ReadWholeFile(const std::string& path, std::string& bytes);

// The file's content replaced in place by bytes (created when missing; the
// file keeps its identity, links and permissions): 0, or errno.
int WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace host
