// Collects the findings of one check, and the trace lines they explain.
#pragma once

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "analysis/report_check.h"

namespace analysis {

// Trace lines that a finding explains, by their line in the report.
using Explained = std::set<std::size_t>;

class Checker {
  public:
    std::vector<Finding> findings;
    Explained explained;

    void Add(Severity severity, const char* rule, std::string subject,
             std::vector<std::size_t> lines, std::string message, std::string action) {
        std::sort(lines.begin(), lines.end());
        lines.erase(std::remove(lines.begin(), lines.end(), 0u), lines.end());
        findings.push_back({severity, rule, std::move(subject), std::move(lines),
                            std::move(message), std::move(action)});
    }
    void Explain(const TraceLine& trace) { explained.insert(trace.line); }
};

}  // namespace analysis
