// The setup classes named on the command line (--class), as GUIDs.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// Each argument is a GUID (any case, braces optional) or the name of an
// installed class (any case), looked up through the current platform. False
// with a one-line `error` for a name that no installed class has or a GUID
// that is not well-formed; the message lists the installed classes' names.
// A well-formed GUID needs no lookup: one that is not installed is reported
// as such by the report itself.
bool ResolveClassArguments(const std::vector<std::string>& args, std::vector<win::GUID>& guids,
                           std::string& error);
