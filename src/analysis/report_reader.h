// A saved report back to its content. The layout is fixed to the byte, so
// the reader knows what each line must be; after reading, the text written
// back from the data must give the same lines (trailing spaces aside), so
// nothing is accepted that the data would not reproduce.
#pragma once

#include <string_view>

#include "analysis/code_page.h"
#include "analysis/read_failure.h"
#include "analysis/report_data.h"

namespace analysis {

// False with `failure` (and `report` untouched) for anything that is not a
// whole report of this program.
bool ReadReport(std::string_view bytes, const CodePage& codePage, ReportData& report,
                ReadFailure& failure);

}  // namespace analysis
