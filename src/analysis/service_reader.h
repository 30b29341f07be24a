// The part of a setup class after its devices: the service control manager,
// one entry per service that the driver stacks name, and what closing them
// traced.
#pragma once

#include "analysis/report_cursor.h"
#include "analysis/report_data.h"

namespace analysis {

// From the line after the blank line that ends the devices.
void ReadServices(ReportCursor& in, SetupClass& setupClass);

// The trailing traces of `from` in `slot` that closing the class wrote (the
// manager's close, the release of the device list) become the class's end.
void MoveClassEnd(TraceLines& from, TraceSlot slot, SetupClass& setupClass);

}  // namespace analysis
