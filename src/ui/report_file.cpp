#include "ui/report_file.h"

#include "host/write_replacing.h"
#include "report/format_string.h"

ReportFileResult WriteReportFile(const std::string& path, const std::string& text) {
    const host::WriteOutcome outcome = host::WriteReplacing(path, text);
    ReportFileResult result;
    switch (outcome.failed) {
        case host::WriteOutcome::Done:
            break;
        case host::WriteOutcome::Open:
            result.outcome = ReportFileResult::OpenFailed;
            result.error = outcome.error;
            break;
        case host::WriteOutcome::Write:
        case host::WriteOutcome::Replace:
            result.outcome = ReportFileResult::WriteFailed;
            break;
    }
    return result;
}

std::string ReportFileErrorText(const std::string& path, const ReportFileResult& result) {
    std::string text;
    switch (result.outcome) {
        case ReportFileResult::Saved:
            break;
        case ReportFileResult::OpenFailed:
            FormatString(text, "Open/create file '%s' failed with error %u.", path.c_str(),
                         static_cast<unsigned>(result.error));
            break;
        case ReportFileResult::WriteFailed:
            FormatString(text, "Writing report to file '%s' failed.", path.c_str());
            break;
    }
    return text;
}
