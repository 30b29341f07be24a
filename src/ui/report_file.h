// Writes the report text to the file the user chose.
#pragma once

#include <string>

struct ReportFileResult {
    enum Outcome { Saved, OpenFailed, WriteFailed };
    Outcome outcome = Saved;
    int error = 0;  // the C runtime's errno when the open failed
};

// Writes `text` byte for byte (the report's "\r\n" line breaks stay as they
// are) in place of the file at `path`, through host::WriteReplacing: an
// existing report is replaced only by a complete new one, so a failed write
// (a full disk, a removed stick) leaves it intact. A target or temporary file
// that cannot be opened is OpenFailed with the C runtime's errno; a write,
// flush or replacement that fails is WriteFailed.
ReportFileResult WriteReportFile(const std::string& path, const std::string& text);

// The text of the error box for a failed result; empty for a saved file.
std::string ReportFileErrorText(const std::string& path, const ReportFileResult& result);
