// Every report the program writes must come back from the reader byte for
// byte: the fault sweep's, each example machine's under every trace mask, and
// those whose trace messages the trace log cuts. Each one compared with itself
// is the same, compared with the machine's report without faults shows every
// ERROR line only it has, and its findings account for every ERROR line.
//
// MVSI_ROUND_TRIP_JSONL names a file that receives the JSON twin of every
// report (one a line, for the schema check); MVSI_ROUND_TRIP_REPORTS a folder
// that receives the reports themselves (fuzzing seeds).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "analysis/report_check.h"
#include "analysis/report_diff.h"
#include "analysis/report_json.h"
#include "analysis/report_reader.h"
#include "analysis/report_writer.h"
#include "log/trace_log.h"
#include "sweep/fault_sweep.h"
#include "sweep/round_trip_reports.h"

namespace {

using analysis::CodePage;
using analysis::ReportData;

// Every trace line as the report shows it, each kind and message once per
// occurrence.
std::multiset<std::string> TraceTexts(const ReportData& report) {
    std::multiset<std::string> texts;
    auto add = [&](const analysis::TraceLines& traces) {
        for (const analysis::TraceLine& t : traces) {
            texts.insert((t.kind == analysis::TraceKind::Error ? "ERROR: " : "WARNING: ") +
                         t.message);
        }
    };
    add(report.system.traces);
    for (const auto& c : report.classes) {
        add(c.traces);
        for (const auto& d : c.devices) {
            add(d.traces);
        }
        for (const auto& s : c.services) {
            add(s.traces);
            for (const auto& block : s.languages) {
                add(block.traces);
            }
        }
    }
    return texts;
}

// The ERROR lines that some finding must rest on: all but those the checks
// explain without a finding (a missing version string, the version loader's
// own line beside the report's).
std::set<std::size_t> ErrorLines(const ReportData& report) {
    std::set<std::size_t> lines;
    auto add = [&](const analysis::TraceLines& traces) {
        for (const analysis::TraceLine& t : traces) {
            if (t.kind == analysis::TraceKind::Error &&
                t.message.rfind("LoadVersionResource:", 0) != 0) {
                lines.insert(t.line);
            }
        }
    };
    add(report.system.traces);
    for (const auto& c : report.classes) {
        add(c.traces);
        for (const auto& d : c.devices) {
            add(d.traces);
        }
        for (const auto& s : c.services) {
            add(s.traces);
        }
    }
    return lines;
}

class RoundTrip {
  public:
    RoundTrip() {
        if (const char* path = std::getenv("MVSI_ROUND_TRIP_JSONL")) {
            json_.open(path, std::ios::binary | std::ios::trunc);
        }
        if (const char* folder = std::getenv("MVSI_ROUND_TRIP_REPORTS")) {
            folder_ = folder;
            std::filesystem::create_directories(folder_);
        }
    }

    // The machine's report without faults: what the next reports are diffed
    // against.
    void Check(const std::string& where, const std::string& text, bool baseline) {
        ++read_;
        if (!folder_.empty()) {
            std::ofstream(folder_ / ("report-" + std::to_string(read_) + ".txt"), std::ios::binary)
                << text;
        }
        ReportData data;
        analysis::ReadFailure failure;
        if (!analysis::ReadReport(text, codePage_, data, failure)) {
            ++refused_;
            Complain(where + ": refused: " + failure.Format("report"), text);
            return;
        }
        const std::string written = analysis::WriteReportText(data);
        if (written != text) {
            ++changed_;
            const std::size_t at =
                std::mismatch(written.begin(), written.end(), text.begin(), text.end()).second -
                text.begin();
            Complain(where + ": written back differently from byte " + std::to_string(at), text);
        }
        if (json_.is_open()) {
            json_ << analysis::ReportToJson(data, codePage_, false, where) << '\n';
        }
        EXPECT_TRUE(analysis::DiffReports(data, data).Empty()) << where;
        if (baseline) {
            baseline_ = data;
        } else {
            ExpectNewTracesDiffer(where, data);
        }
        ExpectErrorsFound(where, data);
    }

    std::size_t Read() const { return read_; }
    std::size_t Refused() const { return refused_; }
    std::size_t Changed() const { return changed_; }

  private:
    void Complain(const std::string& message, const std::string& text) {
        if (++complaints_ <= 5) {
            ADD_FAILURE() << message << "\n" << text;
        } else {
            ADD_FAILURE() << message;
        }
    }

    void ExpectNewTracesDiffer(const std::string& where, const ReportData& data) {
        std::multiset<std::string> added = TraceTexts(data);
        for (const std::string& old : TraceTexts(baseline_)) {
            const auto it = added.find(old);
            if (it != added.end()) {
                added.erase(it);
            }
        }
        const analysis::ReportDiff diff = analysis::DiffReports(baseline_, data);
        for (const std::string& line : added) {
            bool shown = false;
            for (const analysis::Change& change : diff.changes) {
                shown =
                    shown || (change.kind == analysis::ChangeKind::Added && change.after == line);
            }
            EXPECT_TRUE(shown) << where << ": the difference does not show " << line;
        }
    }

    void ExpectErrorsFound(const std::string& where, const ReportData& data) {
        std::set<std::size_t> unseen = ErrorLines(data);
        for (const analysis::Finding& finding : analysis::CheckReport(data)) {
            for (const std::size_t line : finding.lines) {
                unseen.erase(line);
            }
        }
        EXPECT_TRUE(unseen.empty()) << where << ": no finding rests on the ERROR line "
                                    << (unseen.empty() ? 0 : *unseen.begin());
    }

    const CodePage codePage_ = CodePage::Default();
    std::ofstream json_;
    std::filesystem::path folder_;
    ReportData baseline_;
    std::size_t read_ = 0;
    std::size_t refused_ = 0;
    std::size_t changed_ = 0;
    std::size_t complaints_ = 0;
};

TEST(ReportRoundTrip, EveryReportTheProgramWritesComesBackByteForByte) {
    RoundTrip trip;
    std::string machine;
    auto sweepReport = [&](const std::string& where, const std::string& text) {
        // The first report of each machine is the one without faults.
        const std::string name = where.substr(0, where.find(':'));
        trip.Check(where, text, name != machine);
        machine = name;
    };
    // With the defaults, and with a configuration that leaves ERROR out:
    // then every failure shows only by what is missing.
    const std::size_t sweep = VisitSweepReports(7, sweepReport);
    const std::size_t silentSweep = VisitSweepReports(LOG_WARNING | LOG_INFO, sweepReport);
    const std::size_t masks = VisitMaskReports(
        [&](const std::string& where, const std::string& text) { trip.Check(where, text, true); });
    const std::size_t longNames = VisitLongNameReports(
        [&](const std::string& where, const std::string& text) { trip.Check(where, text, true); });
    std::printf(
        "round trip: %zu reports read (%zu of the fault sweep, %zu of the sweep without ERROR "
        "lines, %zu under the eight trace masks, %zu with long names): %zu refused, %zu written "
        "back differently\n",
        trip.Read(), sweep, silentSweep, masks, longNames, trip.Refused(), trip.Changed());
    EXPECT_EQ(trip.Read(), sweep + silentSweep + masks + longNames);
}

// Where the reader files what closing wrote, and a service whose failure
// the trace configuration left out: --check and --diff name them by it.
TEST(ReportRoundTrip, ClosingFailuresBelongToWhatTheyClose) {
    // Services a..., fltA, fltB, usbhub (its binary path too long for a
    // driver file name, so without version lines) and z...; only the middle
    // three open. Their closes come first, then the manager's.
    machine::Machine machine = LongNameMachine(400);
    machine.faults.push_back({"CloseServiceHandle", std::nullopt, 3, win::ERROR_INVALID_HANDLE});
    machine.faults.push_back({"CloseServiceHandle", std::nullopt, 4, win::ERROR_INVALID_HANDLE});
    ConfigureSweepLog();
    const std::string text = GenerateReport(machine).text;
    ReportData data;
    analysis::ReadFailure failure;
    ASSERT_TRUE(analysis::ReadReport(text, CodePage::Default(), data, failure))
        << failure.Format("report");
    const analysis::SetupClass& usb = data.classes.at(0);
    ASSERT_EQ(usb.services.size(), 5u);
    const analysis::Service& hub = usb.services[3];
    ASSERT_EQ(hub.traces.size(), 2u) << text;
    EXPECT_EQ(hub.traces[0].slot, analysis::TraceSlot::VersionResource);
    EXPECT_EQ(hub.traces[1].slot, analysis::TraceSlot::ServiceEnd);
    EXPECT_EQ(hub.traces[1].message.rfind("CloseService:", 0), 0u);
    for (const analysis::TraceLine& t : usb.services[4].traces) {
        EXPECT_EQ(t.slot, analysis::TraceSlot::OpenService);
    }
    ASSERT_EQ(usb.traces.size(), 2u) << text;  // the manager's close and its destructor's
    EXPECT_EQ(usb.traces[0].slot, analysis::TraceSlot::ClassEnd);
    EXPECT_EQ(usb.traces[0].message.rfind("Close:", 0), 0u);
    EXPECT_EQ(usb.traces[1].slot, analysis::TraceSlot::ClassEnd);

    ConfigureSweepLog(LOG_WARNING | LOG_INFO);
    ASSERT_TRUE(
        analysis::ReadReport(GenerateReport(machine).text, CodePage::Default(), data, failure))
        << failure.Format("report");
    const analysis::SetupClass& silent = data.classes.at(0);
    EXPECT_TRUE(silent.managerOpened);
    ASSERT_EQ(silent.services.size(), 5u);
    EXPECT_FALSE(silent.services[0].opened);
    EXPECT_TRUE(silent.services[0].traces.empty());
    const auto function = static_cast<std::size_t>(analysis::StackLayer::FunctionDriver);
    EXPECT_EQ(silent.services[0].name, silent.devices.at(1).stack.layers[function].at(0));
    ResetLogState();
}

}  // namespace
