// An ordered list of narrow strings that keeps insertion order: multi-string
// values, filter driver names, service names.
#pragma once

#include <string>
#include <vector>

using StringList = std::vector<std::string>;
