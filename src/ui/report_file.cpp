#include "ui/report_file.h"

#include <cerrno>
#include <cstdio>

#include "report/format_string.h"

ReportFileResult WriteReportFile(const std::string& path, const std::string& text) {
    ReportFileResult result;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        result.outcome = ReportFileResult::OpenFailed;
        result.error = errno;
        return result;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        result.outcome = ReportFileResult::WriteFailed;
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
