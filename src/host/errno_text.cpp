// The C runtime's error texts, apart from the rest of host_files.cpp: the
// window program writes files and needs these, not the readers beside them.
#include <cstring>

#include "host/host_files.h"

namespace host {

std::string ErrnoText(int error) {
    return std::strerror(error);
}

}  // namespace host
