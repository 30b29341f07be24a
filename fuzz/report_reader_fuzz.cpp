// Saved reports come from customers: any bytes are either refused with a
// line number inside the text or read into data that writes back to a text
// the reader takes again, unchanged; the JSON, the difference, the findings
// and the page of whatever was read never fail.
#include "analysis/html_report.h"
#include "analysis/report_check.h"
#include "analysis/report_diff.h"
#include "analysis/report_json.h"
#include "analysis/report_reader.h"
#include "analysis/report_writer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const analysis::CodePage codePage = analysis::CodePage::Default();
    analysis::ReportData report;
    analysis::ReadFailure failure;
    if (!analysis::ReadReport(bytes, codePage, report, failure)) {
        FUZZ_CHECK(failure.line >= 1);
        FUZZ_CHECK(!failure.expected.empty() && !failure.found.empty());
        return 0;
    }
    const std::string text = analysis::WriteReportText(report);
    analysis::ReportData again;
    FUZZ_CHECK(analysis::ReadReport(text, codePage, again, failure));
    FUZZ_CHECK(analysis::WriteReportText(again) == text);
    FUZZ_CHECK(analysis::DiffReports(report, again).Empty());
    FUZZ_CHECK(!analysis::ReportToJson(report, codePage, false, "").empty());
    analysis::CheckReport(report);
    // Whatever the report's names hold, its page opens no element of theirs.
    FUZZ_CHECK(analysis::ReportToHtml(report, codePage, "fuzz").find("<script") ==
               std::string::npos);
    return 0;
}
