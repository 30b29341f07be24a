// The product's name, version and the texts built from them: the report
// title and the About box's paragraphs.
#pragma once

#include <string>

inline constexpr char kProductName[] = "Malvoret System Info";
inline constexpr unsigned kVersionMajor = 1;
inline constexpr unsigned kVersionMinor = 70;
inline constexpr unsigned kVersionBuild = 0;

extern const char kMakerNotice[];
extern const char kLegalNotice[];
extern const char kWebAddress[];

// "Malvoret System Info v1.70.0", "\r\n" and as many dashes as the first
// line has characters, without a line break after them.
std::string BuildReportTitle();

// The About box's centred text: name and version, release date, an empty
// line and the maker's notice, separated by "\n".
std::string AboutVersionText();
