// The product's name and version, and the title block both front ends put
// above the report.
#pragma once

#include <string>

inline constexpr char kProductName[] = "Malvoret System Info";
inline constexpr unsigned kVersionMajor = 1;
inline constexpr unsigned kVersionMinor = 70;
inline constexpr unsigned kVersionBuild = 0;

// "Malvoret System Info v1.70.0".
std::string ProductLine();

// The product line, "\r\n" and as many dashes as it has characters, without
// a line break after them.
std::string ReportTitle();
