#include "report/report_title.h"

#include "report/format_string.h"

std::string ProductLine() {
    std::string line;
    FormatString(line, "%s v%u.%u.%u", kProductName, kVersionMajor, kVersionMinor, kVersionBuild);
    return line;
}

std::string ReportTitle() {
    const std::string line = ProductLine();
    return line + "\r\n" + std::string(line.size(), '-');
}
