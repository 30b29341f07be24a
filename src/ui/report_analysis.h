// What the window does with the report in view beyond showing it: its web
// page for Save to file, and its findings for Tools > Check. The view holds
// the report's text, so both read it back as the command line reads a saved
// report, in the system's ANSI code page.
#pragma once

#include <string>

// The page of `reportText`; false with `error` when the text is no report.
bool ReportPageOfText(const std::string& reportText, std::string& page, std::string& error);

// The findings of `reportText` for the Check dialog, "\r\n" line breaks:
// per finding its severity, subject, what is seen and what to do; or that
// there are none.
std::string FindingsTextOfReport(const std::string& reportText);

// True when Save to file writes the page: the name ends in .htm or .html,
// or it has another ending or none and the "Web page" type (filter 2) was
// chosen.
bool SavesWebPage(const std::string& path, unsigned filterIndex);
