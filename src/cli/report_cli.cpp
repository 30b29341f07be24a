#include "cli/report_cli.h"

#include <memory>
#include <optional>

#include "cli/analysis_cli.h"
#include "cli/class_arguments.h"
#include "cli/cli_options.h"
#include "cli/console_output.h"
#include "cli/default_machine.h"
#include "cli/host_profile_store.h"
#include "cli/offline_machine.h"
#include "cli/report_output.h"
#include "cli/stderr_log.h"
#include "host/host_files.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "machine/machine_loader.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "text/joined.h"

#if defined(_WIN32)
#include "platform/win32/win32_platform.h"
#endif

namespace {

void Complain(std::FILE* err, const std::string& message) {
    std::fputs(Joined({"malvoret-report: ", message, "\n"}).c_str(), err);
}

}  // namespace

int RunReportCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err) {
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(args, options, error)) {
        Complain(err, error);
        std::fputs(CliUsage().c_str(), err);
        return 2;
    }
    if (options.help) {
        std::fputs(CliUsage().c_str(), out);
        return 0;
    }
    if (options.version) {
        std::fputs(Joined({"malvoret-report ", ProductLine(), "\n"}).c_str(), out);
        return 0;
    }
#if defined(_WIN32)
    win::Win32Platform system;
#else
    // The simulated system knows nothing of the host: it is told where this
    // program lies, and is handed the host's files for the configuration
    // file beside it.
    machine::Machine own;
    own.moduleFileName = host::ExecutablePath();
    HostProfileStore hostFiles;
    sim::SimulatedPlatform system(std::move(own), &hostFiles);
#endif
    if (ReadsSavedReportsOnly(options)) {
        // Saved reports are read in the system's ANSI code page.
        win::ScopedPlatform scope(system);
        return RunAnalysisCommand(options, nullptr, out, err);
    }
    // The trace log is configured as the main program configures it: from
    // the file beside this executable, through the system's profile functions.
    {
        win::ScopedPlatform scope(system);
        InitLog(DefaultLogConfig());
    }

#if defined(_WIN32)
    const bool useDescription = !options.systemFile.empty() || !options.regFiles.empty() ||
                                !options.windowsDir.empty() || !options.hiveFiles.empty();
#else
    const bool useDescription = true;  // the built-in machine without --system
#endif
    std::unique_ptr<sim::SimulatedPlatform> described;
    if (useDescription) {
        machine::Machine machine;
        std::vector<std::string> notes;
        const bool loaded =
            !options.regFiles.empty()
                ? MachineFromExports(options.regFiles, options.driversDir, machine, error)
            : !options.hiveFiles.empty()
                ? MachineFromHives(options.hiveFiles, options.driversDir, machine, notes, error)
            : !options.windowsDir.empty()
                ? MachineFromWindowsFolder(options.windowsDir, options.drives, machine, notes,
                                           error)
            : options.systemFile.empty()
                ? LoadDefaultMachine(machine, error)
                : machine::MachineLoader::FromFile(options.systemFile, machine, error);
        for (const std::string& note : notes) {
            Complain(err, note);
        }
        if (!loaded) {
            Complain(err, error);
            return 2;
        }
        described = std::make_unique<sim::SimulatedPlatform>(std::move(machine));
        // Only the tests read the calls back; a large machine's log runs to megabytes.
        described->calls().SetEnabled(false);
    }
    win::Platform& platform = described ? static_cast<win::Platform&>(*described) : system;
    win::ScopedPlatform scope(platform);

    ClassSelection selection;
    selection.showUSB = options.showUsb;
    selection.show1394 = options.show1394;
    selection.allClasses = options.allClasses;
    if (!ResolveClassArguments(options.classes, selection.classes, error)) {
        Complain(err, error);
        return 2;
    }

    std::string text;
    {
        std::optional<StderrLog> verbose;
        if (options.verbose) {
            verbose.emplace(err);
        }
        FinalReport report;
        // Analyses of the report written now always see the details.
        const bool offline =
            !options.regFiles.empty() || !options.hiveFiles.empty() || !options.windowsDir.empty();
        report.ShowDetails(options.details || AnalysesLiveReport(options), offline);
        report.Generate(ReportTitle(), selection);
        text = report.TakeText();
    }

    if (AnalysesLiveReport(options)) {
        return RunAnalysisCommand(options, &text, out, err);
    }
    if (options.outputFile.empty()) {
        if (!WriteStandardOutput(system, out, text, error)) {
            Complain(err, "cannot write the report to standard output: " + error);
            return 1;
        }
    } else if (!WriteFileReplacing(options.outputFile, text, error)) {
        Complain(err, error);
        return 1;
    }
    return 0;
}
