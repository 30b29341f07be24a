// Writes the report text to the file the user chose.
#pragma once

#include <string>

struct ReportFileResult {
    enum Outcome { Saved, OpenFailed, WriteFailed };
    Outcome outcome = Saved;
    int error = 0;  // the C runtime's errno when the open failed
};

// Writes `text` byte for byte: the report's "\r\n" line breaks stay as they
// are, so the file is opened in binary mode. A failure to flush or close
// counts as a failed write.
ReportFileResult WriteReportFile(const std::string& path, const std::string& text);

// The text of the error box for a failed result; empty for a saved file.
std::string ReportFileErrorText(const std::string& path, const ReportFileResult& result);
