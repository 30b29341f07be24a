#include "analysis/checker.h"

#include <algorithm>
#include <utility>

namespace analysis {

void Checker::Add(Severity severity, const char* rule, std::string subject,
                  std::vector<std::size_t> lines, std::string message, std::string_view action) {
    std::sort(lines.begin(), lines.end());
    lines.erase(std::remove(lines.begin(), lines.end(), 0u), lines.end());
    findings.push_back({severity, rule, std::move(subject), std::move(lines), std::move(message),
                        std::string(action)});
}

void Checker::Add(Severity severity, const char* rule, std::string subject,
                  std::initializer_list<std::size_t> lines, std::string message,
                  std::string_view action) {
    Add(severity, rule, std::move(subject), std::vector<std::size_t>(lines), std::move(message),
        action);
}

}  // namespace analysis
