// The JSON twin of a report: the same content, as docs/report-schema.json
// describes it (schemaVersion 2), members always in the same order.
#pragma once

#include <string>

#include "analysis/code_page.h"
#include "analysis/json_writer.h"
#include "analysis/report_check.h"
#include "analysis/report_data.h"

namespace analysis {

constexpr unsigned kReportSchemaVersion = 2;

// `source` names the file the report was read from; empty: not written.
// Pretty: indented over many lines; otherwise one line (JSON Lines). With
// `findings` (saved reports read back) they follow the report's content, so
// that a table of many reports answers what --check would.
std::string ReportToJson(const ReportData& report, const CodePage& codePage, bool pretty,
                         const std::string& source, const std::vector<Finding>* findings = nullptr);

// The trace lines as an array of {kind, message, before, line}.
void WriteTraces(JsonWriter& json, const TraceLines& traces);

}  // namespace analysis
