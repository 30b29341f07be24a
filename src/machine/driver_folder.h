// Copies of a machine's system32\drivers, as files of the described machine.
#pragma once

#include <string>

#include "machine/machine.h"

namespace machine {

// Every regular file directly in `folder` becomes the driver file
// <system directory>\drivers\<name>, its version resource read from the copy.
bool AddDriverFolder(const std::string& folder, Machine& machine, std::string& error);

}  // namespace machine
