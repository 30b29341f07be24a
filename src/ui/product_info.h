// The product's name, version and the texts built from them: the report
// title and the About box's paragraphs.
#pragma once

#include <string>

#include "report/report_title.h"

extern const char kMakerNotice[];
extern const char kLegalNotice[];
extern const char kWebAddress[];

// The About box's centred text: name and version, release date, an empty
// line and the maker's notice, separated by "\n".
std::string AboutVersionText();
