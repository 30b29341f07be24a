// The sinks of the trace log, ordered by address, without duplicates. The
// registry does not own them. A sorted vector: a tree's code would be some
// kilobytes of the window program for a handful of sinks.
#pragma once

#include <vector>

class TCustomLog;

using LogRegistry = std::vector<TCustomLog*>;

// The one registry. Destroying it at process end also disables every log
// type, so traces raised during static destruction are dropped.
LogRegistry& Sinks();
