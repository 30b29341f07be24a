// The System section. Not written yet: only the entry is traced.
#include "log/trace_log.h"
#include "report/report.h"

void Report::AddSystemInfo() {
    Trace(LOG_INFO, "Report::AddSystemInfo...\n");
}
