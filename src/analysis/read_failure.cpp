#include "analysis/read_failure.h"

#include "text/print_format.h"
#include "text/joined.h"

namespace analysis {

std::string ReadFailure::Format(const std::string& file) const {
    return Joined({file, ":", std::to_string(line), ": expected ", expected, ", found ", found});
}

std::string QuoteLine(std::string_view line) {
    constexpr std::size_t kLimit = 60;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < line.size() && i < kLimit; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[8];
            FormatPrint(hex, sizeof hex, "\\x%02X", c);
            quoted += hex;
        } else {
            quoted.push_back(static_cast<char>(c));
        }
    }
    quoted += line.size() > kLimit ? "...\"" : "\"";
    return quoted;
}

}  // namespace analysis
