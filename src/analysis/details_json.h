// The device details of the JSON twin: the "details" member of a device.
#pragma once

#include "analysis/json_writer.h"
#include "analysis/report_data.h"

namespace analysis {

// null for a device without details.
void WriteDeviceDetails(JsonWriter& json, const Device& device);

}  // namespace analysis
