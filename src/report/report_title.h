// The product's name and version, and the title block both front ends put
// above the report.
#pragma once

#include <string>

#include "product_version.h"

inline constexpr char kProductName[] = "Malvoret System Info";
inline constexpr unsigned kVersionMajor = MVSI_VERSION_MAJOR;
inline constexpr unsigned kVersionMinor = MVSI_VERSION_MINOR;
inline constexpr unsigned kVersionBuild = MVSI_VERSION_PATCH;

// "Malvoret System Info v1.70.0".
std::string ProductLine();

// The product line, "\r\n" and as many dashes as it has characters, without
// a line break after them.
std::string ReportTitle();
