// Whether a file can be opened and read, through the C runtime as the trace
// log's configuration file is read.
#pragma once

#include <string>

namespace host {

// What opening a file for reading finds.
enum class ReadStart {
    CannotOpen,
    AtEnd,     // the first read meets end of file: the file is empty
    Something  // a byte was read, or the read failed
};

// Opens the file for reading and closes it again; when that worked, opens it
// once more and reads one byte.
ReadStart ProbeForReading(const std::string& path);

}  // namespace host
