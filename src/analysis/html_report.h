// The report, its findings and the differences of two reports as web pages:
// one self-contained HTML file each, drawn from the report's data, so that
// whatever the data carries is shown and what it lacks is left out.
#pragma once

#include <string>
#include <vector>

#include "analysis/code_page.h"
#include "analysis/report_check.h"
#include "analysis/report_data.h"
#include "analysis/report_diff.h"

namespace analysis {

// `source` (UTF-8) says where the report comes from: "this computer", a
// file's name. The findings of the report stand first.
std::string ReportToHtml(const ReportData& report, const CodePage& codePage,
                         const std::string& source);
// The page of `--check`: the findings, then the report they point into.
std::string FindingsToHtml(const ReportData& report, const std::vector<Finding>& findings,
                           const CodePage& codePage, const std::string& source);
// The two sources, the count, and each change in its section.
std::string DiffToHtml(const ReportDiff& diff, const CodePage& codePage, const std::string& oldName,
                       const std::string& newName);

}  // namespace analysis
