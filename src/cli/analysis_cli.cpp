#include "cli/analysis_cli.h"

#include <optional>

#include "analysis/report_check.h"
#include "analysis/report_diff.h"
#include "analysis/html_report.h"
#include "analysis/report_json.h"
#include "analysis/report_reader.h"
#include "analysis/report_writer.h"
#include "cli/report_output.h"
#include "cli/system_code_page.h"
#include "host/host_files.h"
#include "text/joined.h"

namespace {

using analysis::CodePage;
using analysis::ReportData;

constexpr const char* kLiveName = "(this system)";

void Complain(std::FILE* err, const std::string& message) {
    std::fputs(Joined({"malvoret-report: ", message, "\n"}).c_str(), err);
}

bool Load(const std::string& name, const std::string& bytes, const CodePage& codePage,
          ReportData& report, std::FILE* err) {
    analysis::ReadFailure failure;
    if (!analysis::ReadReport(bytes, codePage, report, failure)) {
        std::fputs(Joined({failure.Format(name), "\n"}).c_str(), err);
        return false;
    }
    return true;
}

bool LoadFile(const std::string& path, const CodePage& codePage, ReportData& report,
              std::FILE* err) {
    std::string bytes;
    std::string reason;
    if (!host::ReadFileBytes(path, bytes, reason)) {
        Complain(err, reason);
        return false;
    }
    return Load(path, bytes, codePage, report, err);
}

// Where the report written now comes from, for the heading of a page.
std::string LiveSourceName(const CliOptions& options) {
    auto list = [](const std::vector<std::string>& files) {
        std::string names;
        for (const std::string& file : files) {
            names += (names.empty() ? "" : ", ") + file;
        }
        return names;
    };
    if (!options.systemFile.empty()) {
        return "the machine described in " + options.systemFile;
    }
    if (!options.regFiles.empty()) {
        return "the registry exports " + list(options.regFiles);
    }
    if (!options.hiveFiles.empty()) {
        return "the registry hives " + list(options.hiveFiles);
    }
    if (!options.windowsDir.empty()) {
        return "the Windows installation in " + options.windowsDir;
    }
#if defined(_WIN32)
    return "this computer";
#else
    return "the built-in example machine";
#endif
}

// To --output (replaced only by a complete new file) or standard output.
bool Emit(const CliOptions& options, const std::string& text, std::FILE* out, std::FILE* err) {
    std::string error;
    if (options.outputFile.empty() ? WriteAll(out, text, error)
                                   : WriteFileReplacing(options.outputFile, text, error)) {
        return true;
    }
    Complain(err, options.outputFile.empty() ? "cannot write to standard output: " + error : error);
    return false;
}

std::string Formatted(const CliOptions& options, const ReportData& report, const CodePage& codePage,
                      const std::string& source) {
    if (options.format == "text") {
        return analysis::WriteReportText(report);
    }
    if (options.format == "html") {
        return analysis::ReportToHtml(report, codePage,
                                      source.empty() ? LiveSourceName(options) : source);
    }
    const bool lines = options.format == "jsonl";
    // Saved reports carry their findings: a folder of them loaded as a table
    // answers what --check says of each.
    const std::vector<analysis::Finding> findings = analysis::CheckReport(report);
    return analysis::ReportToJson(report, codePage, !lines, source,
                                  source.empty() ? nullptr : &findings) +
           "\n";
}

int Read(const CliOptions& options, const CodePage& codePage, std::FILE* out, std::FILE* err) {
    std::string text;
    bool failed = false;
    const bool array = options.format == "json" && options.readFiles.size() > 1;
    std::size_t written = 0;
    for (const std::string& file : options.readFiles) {
        ReportData report;
        if (!LoadFile(file, codePage, report, err)) {
            failed = true;
            continue;
        }
        std::string one = Formatted(options, report, codePage, file);
        if (array) {
            one.pop_back();
            text += (written == 0 ? "[\n" : ",\n") + one;
        } else {
            text += one;
        }
        ++written;
    }
    if (array) {
        text += written == 0 ? "[]\n" : "\n]\n";
    }
    if (!Emit(options, text, out, err)) {
        return 1;
    }
    return failed ? 2 : 0;
}

}  // namespace

bool ReadsSavedReportsOnly(const CliOptions& options) {
    return !options.readFiles.empty() || options.diffFiles.size() == 2 ||
           (options.check && !options.checkFile.empty());
}

bool AnalysesLiveReport(const CliOptions& options) {
    return !ReadsSavedReportsOnly(options) &&
           (options.diff || options.check || options.format != "text");
}

int RunAnalysisCommand(const CliOptions& options, const std::string* live, std::FILE* out,
                       std::FILE* err) {
    const std::optional<CodePage> codePage = SystemCodePage(options.codePage);
    if (!codePage) {
        Complain(err, "code page " + std::to_string(options.codePage) + " is not known here");
        return 2;
    }
    if (!options.readFiles.empty()) {
        return Read(options, *codePage, out, err);
    }
    const bool json = options.format == "json";
    const bool html = options.format == "html";
    if (options.diff) {
        ReportData before;
        ReportData after;
        const bool loaded =
            LoadFile(options.diffFiles[0], *codePage, before, err) &&
            (options.diffFiles.size() == 2 ? LoadFile(options.diffFiles[1], *codePage, after, err)
                                           : Load(kLiveName, *live, *codePage, after, err));
        if (!loaded) {
            return 2;
        }
        const analysis::ReportDiff diff = analysis::DiffReports(before, after);
        const std::string newName =
            options.diffFiles.size() == 2 ? options.diffFiles[1] : kLiveName;
        const std::string text =
            json   ? analysis::DiffToJson(diff, *codePage, options.diffFiles[0], newName)
            : html ? analysis::DiffToHtml(
                         diff, *codePage, options.diffFiles[0],
                         options.diffFiles.size() == 2 ? newName : LiveSourceName(options))
                   : analysis::DiffToText(diff, options.diffFiles[0], newName);
        return Emit(options, text, out, err) ? (diff.Empty() ? 0 : 1) : 2;
    }
    ReportData report;
    const std::string name = options.checkFile.empty() ? kLiveName : options.checkFile;
    if (!(options.checkFile.empty() ? Load(kLiveName, *live, *codePage, report, err)
                                    : LoadFile(options.checkFile, *codePage, report, err))) {
        return 2;
    }
    if (!options.check) {
        return Emit(options, Formatted(options, report, *codePage, std::string()), out, err) ? 0
                                                                                             : 1;
    }
    const std::vector<analysis::Finding> findings = analysis::CheckReport(report);
    const std::string text =
        json ? analysis::FindingsToJson(findings, *codePage, name)
        : html
            ? analysis::FindingsToHtml(report, findings, *codePage,
                                       options.checkFile.empty() ? LiveSourceName(options) : name)
            : analysis::FindingsToText(findings, name);
    if (!Emit(options, text, out, err)) {
        return 2;
    }
    return analysis::HasErrors(findings) ? 1 : 0;
}
