// The service and driver version sections. Not written yet: only the entries
// are traced.
#include "log/trace_log.h"
#include "report/report.h"

void Report::AddCommonServiceInfo(TSvcCtrl&) {
    Trace(LOG_INFO, "Report::AddCommonServiceInfo...\n");
}

void Report::AddDriverVersionInfo(TSvcCtrl&) {
    Trace(LOG_INFO, "Report::AddDriverVersionInfo...\n");
}
