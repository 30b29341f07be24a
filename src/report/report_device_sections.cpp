// The setup class, device and driver stack sections. Not written yet: only
// the entries are traced.
#include "log/trace_log.h"
#include "report/report.h"

void Report::AddSetupClassInfo(const win::GUID&) {
    Trace(LOG_INFO, "Report::AddSetupClassInfo...\n");
}

void Report::AddCommonDevNodeInfo(const DevNode&) {
    Trace(LOG_INFO, "Report::AddCommonDevNodeInfo...\n");
}

void Report::AddDevNodeDriverStackInfo(const DevNode&, StringList* serviceNames) {
    Trace(LOG_INFO, "Report::AddDevNodeDriverStackInfo...\n");
    if (serviceNames != nullptr) {
        serviceNames->clear();
    }
}
