#include "log/custom_log.h"

#include <algorithm>
#include <functional>

#include "log/log_registry.h"
#include "log/trace_log.h"

namespace {

struct RegistryHolder {
    LogRegistry sinks;
    ~RegistryHolder() { LogState().enabledMask = 0; }
};

}  // namespace

LogRegistry& Sinks() {
    static RegistryHolder holder;
    return holder.sinks;
}

// Registration happens in the base constructor, so a derived class must not
// trace while it constructs its own members.
TCustomLog::TCustomLog() {
    LogRegistry& sinks = Sinks();
    const auto at = std::lower_bound(sinks.begin(), sinks.end(), this, std::less<TCustomLog*>());
    if (at == sinks.end() || *at != this) {
        sinks.insert(at, this);
    }
}

TCustomLog::~TCustomLog() {
    LogRegistry& sinks = Sinks();
    const auto at = std::lower_bound(sinks.begin(), sinks.end(), this, std::less<TCustomLog*>());
    if (at != sinks.end() && *at == this) {
        sinks.erase(at);
    }
}
