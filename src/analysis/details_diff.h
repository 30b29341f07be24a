// What changed in the device details between two reports: status, problem
// code, IDs, flags and every field of the driver package; and a service's
// start type. Compared only where both reports carry the details.
#pragma once

#include <string>

#include "analysis/differ.h"

namespace analysis {

void DiffDeviceDetails(Differ& d, const std::string& key, const Device& before,
                       const Device& after);
void DiffStartType(Differ& d, const Service& before, const Service& after);

}  // namespace analysis
