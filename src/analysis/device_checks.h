// The findings the device details support (docs/checks.md): problem codes,
// disabled devices, install flags, devices without a driver package, package
// versions that differ from the driver file's, INF files missing from the
// Windows folder, and disabled services in a device's stack.
#pragma once

#include "analysis/checker.h"

namespace analysis {

void DeviceRules(Checker& check, const SetupClass& setupClass);

// What to do about a problem code: a sentence for the common ones, a general
// one for the others.
const char* ProblemAdvice(std::uint32_t code);

}  // namespace analysis
