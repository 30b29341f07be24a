// What each host's implementation of host_files.h supplies to the shared part.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace host {

// The characters that separate folders; the first is the one to write.
const char* PathSeparators();

// Appends the names of the regular files directly in folder, in any order.
bool CollectRegularFiles(const std::string& folder, std::vector<std::string>& names,
                         std::string& reason);

// A refusal by size: "larger than N bytes".
std::string LargerThan(std::size_t maxSize);

}  // namespace host
