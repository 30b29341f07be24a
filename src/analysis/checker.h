// Collects the findings of one check, and the trace lines they explain.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_check.h"
#include "analysis/sorted_index.h"

namespace analysis {

// Trace lines that a finding explains, by their line in the report.
using Explained = SortedSet<std::size_t>;

class Checker {
  public:
    std::vector<Finding> findings;
    Explained explained;

    // The lines in ascending order, without the 0 of a line not known.
    void Add(Severity severity, const char* rule, std::string subject,
             std::vector<std::size_t> lines, std::string message, std::string_view action);
    void Add(Severity severity, const char* rule, std::string subject,
             std::initializer_list<std::size_t> lines, std::string message,
             std::string_view action);
    void Explain(const TraceLine& trace) { explained.Insert(trace.line); }
};

}  // namespace analysis
