#include "log/custom_log.h"

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
    Sinks().insert(this);
}

TCustomLog::~TCustomLog() {
    Sinks().erase(this);
}
