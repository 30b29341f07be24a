// Data back to the report text, byte for byte as the generator writes it:
// the same layout primitives, driven in the generator's order, with each
// trace line written at the place it was read from.
#pragma once

#include <string>

#include "analysis/report_data.h"

namespace analysis {

std::string WriteReportText(const ReportData& report);

}  // namespace analysis
