// Why a text is not a report: the first line that is not what the layout
// expects there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace analysis {

struct ReadFailure {
    std::size_t line = 0;  // 1-based
    std::string expected;
    std::string found;

    // "FILE:LINE: expected ..., found ..."
    std::string Format(const std::string& file) const;
};

// A line quoted for a message: at most 60 characters, control characters
// and bytes beyond ASCII as \xHH.
std::string QuoteLine(std::string_view line);

}  // namespace analysis
