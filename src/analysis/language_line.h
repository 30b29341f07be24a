// The header line of a version resource's language block, read without the
// C runtime's scanf (18 KB of the command line) but taking what
// sscanf(line, "      Language 0x%4X/Code Page 0x%4X%c") with ':' at the end
// takes: a blank of the pattern matches any run of white space, and each
// number is at most four characters after white space, sign and "0x"
// included. Whatever else the line holds is the caller's to compare.
#pragma once

#include <string_view>

namespace analysis {

bool ScanLanguageLine(std::string_view line, unsigned& language, unsigned& codePage);

}  // namespace analysis
