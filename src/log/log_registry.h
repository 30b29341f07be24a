// The sinks of the trace log, ordered by address, without duplicates. The
// registry does not own them.
#pragma once

#include <functional>
#include <set>

class TCustomLog;

using LogRegistry = std::set<TCustomLog*, std::less<TCustomLog*>>;

// The one registry. Destroying it at process end also disables every log
// type, so traces raised during static destruction are dropped.
LogRegistry& Sinks();
