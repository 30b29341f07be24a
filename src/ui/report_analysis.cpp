#include "ui/report_analysis.h"

#include <optional>

#include "analysis/html_report.h"
#include "analysis/report_check.h"
#include "analysis/report_reader.h"
#include "cli/system_code_page.h"
#include "text/joined.h"

namespace {

constexpr const char* kSource = "this computer";

bool Read(const std::string& text, analysis::ReportData& report,
          std::optional<analysis::CodePage>& codePage, std::string& error) {
    codePage = SystemCodePage(0);
    if (!codePage) {
        error = "The system's code page is not known.";
        return false;
    }
    analysis::ReadFailure failure;
    if (!analysis::ReadReport(text, *codePage, report, failure)) {
        error = failure.Format("the report in view");
        return false;
    }
    return true;
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

bool EndsWith(const std::string& text, const char* end) {
    const std::string tail(end);
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool ReportPageOfText(const std::string& reportText, std::string& page, std::string& error) {
    analysis::ReportData report;
    std::optional<analysis::CodePage> codePage;
    if (!Read(reportText, report, codePage, error)) {
        return false;
    }
    page = analysis::ReportToHtml(report, *codePage, kSource);
    return true;
}

std::string FindingsTextOfReport(const std::string& reportText) {
    analysis::ReportData report;
    std::optional<analysis::CodePage> codePage;
    std::string error;
    if (!Read(reportText, report, codePage, error)) {
        return Joined({"The report could not be checked: ", error});
    }
    const std::vector<analysis::Finding> findings = analysis::CheckReport(report);
    if (findings.empty()) {
        return "No findings: nothing in this report needs attention.\r\n";
    }
    static constexpr const char* kSeverity[] = {"Error", "Warning", "Note"};
    std::size_t errors = 0;
    std::string text;
    for (const analysis::Finding& f : findings) {
        errors += f.severity == analysis::Severity::Error ? 1 : 0;
        text += Joined({kSeverity[static_cast<std::size_t>(f.severity)], ": ", f.subject,
                        "\r\n    ", f.message, "\r\n    What to do: ", f.action, "\r\n\r\n"});
    }
    return Joined({std::to_string(findings.size()),
                   findings.size() == 1 ? " finding, " : " findings, ", std::to_string(errors),
                   errors == 1 ? " error.\r\n\r\n" : " errors.\r\n\r\n", text});
}

bool SavesWebPage(const std::string& path, unsigned filterIndex) {
    const std::string name = Lowered(path.substr(path.find_last_of("\\/:") + 1));
    if (EndsWith(name, ".html") || EndsWith(name, ".htm")) {
        return true;
    }
    return filterIndex == 2 && !EndsWith(name, ".txt");
}
