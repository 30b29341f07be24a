// The Windows release of a described machine as registry content, laid out
// where an export of a real machine holds it: CurrentVersion, the control
// set's ProductOptions, Windows, Terminal Server and Session Manager keys,
// and one CentralProcessor key per logical processor.
#pragma once

#include "machine/machine.h"
#include "machine/registry_export.h"

namespace machine {

// Product suites are written by their ProductSuite names; VER_SUITE_SINGLEUSERTS
// has none and is carried as a Terminal Server that is no application server.
void AddSystemKeys(RegistryExport& out, const Machine& machine);

}  // namespace machine
