// malvoret-report: writes the report to standard output. For now it prints a
// document that shows the layout rules; the full report replaces it.
#include <cstdio>
#include <string>

#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "report/report.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main() {
#if defined(_WIN32)
    // The report's line breaks are "\r\n" already; text mode would double the "\r".
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    sim::SimulatedPlatform machine;
    win::ScopedPlatform scope(machine);
    InitLog(DefaultLogConfig());

    Report report;
    const std::string title = "Malvoret System Info v1.70.0";
    report.AddText(title + "\r\n" + std::string(title.size(), '-'), 0);
    report.AddNewLines(2);
    report.AddText("System:", 0);
    report.AddNewLines(2);
    report.SetIndent(3);
    report.AddText("Number of Logical Processors:", 0);
    win::SYSTEM_INFO info{};
    win::Current().GetSystemInfo(&info);
    report.AddDecimal(info.dwNumberOfProcessors);
    report.AddNewLines(1);
    report.AddText("Version Number:", 0);
    report.AddText("?", 31);
    report.AddNewLines(1);
    Trace(LOG_ERROR, "The full report is not built yet.\n");
    report.SetIndent(0);
    report.AddNewLines(1);

    const std::string& text = report.GetText();
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
