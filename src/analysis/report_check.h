// Findings in a report: what a support engineer should look at first, each
// with its severity, what it concerns, the report lines it rests on and what
// to do. The rules are explained in docs/checks.md.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "analysis/code_page.h"
#include "analysis/json_writer.h"
#include "analysis/report_data.h"

namespace analysis {

enum class Severity : std::uint8_t { Error, Warning, Info };

struct Finding {
    Severity severity = Severity::Warning;
    std::string rule;     // e.g. "service-not-installed"
    std::string subject;  // "device USB\...", "service fltA", "class USB"
    std::vector<std::size_t> lines;
    std::string message;  // what is seen
    std::string action;   // one sentence of what to do
};

std::vector<Finding> CheckReport(const ReportData& report);
bool HasErrors(const std::vector<Finding>& findings);

std::string FindingsToText(const std::vector<Finding>& findings, const std::string& name);
std::string FindingsToJson(const std::vector<Finding>& findings, const CodePage& codePage,
                           const std::string& name);
// The array of findings alone, as FindingsToJson writes it.
void WriteFindings(JsonWriter& json, const std::vector<Finding>& findings);

}  // namespace analysis
