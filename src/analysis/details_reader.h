// Reads the device details (--details, View > Device Details) of a saved
// report: the device's own lines after its instance ID, the driver package
// block, and a service's start type.
#pragma once

#include "analysis/report_cursor.h"
#include "analysis/report_data.h"

namespace analysis {

// After the instance ID line: the detail lines and the driver package up to
// the empty line before "Driver Stack:". False, with nothing read, when the
// device has no details.
bool ReadDeviceDetails(ReportCursor& in, Device& device);
// After the binary line.
void ReadStartType(ReportCursor& in, Service& service);

}  // namespace analysis
