// Differences of reports: nothing between a report and itself, the same
// changes mirrored when the sides swap (for every pair of example machines),
// and each kind of change named once, where it happened.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "analysis/golden_reports.h"
#include "analysis/report_diff.h"
#include "analysis/report_reader.h"

namespace {

using analysis::ChangeKind;
using analysis::ReportData;

ReportData Read(const std::string& text) {
    ReportData data;
    analysis::ReadFailure failure;
    EXPECT_TRUE(ReadReport(text, analysis::CodePage::Default(), data, failure))
        << failure.Format("report");
    return data;
}

std::map<std::string, int> Tally(const analysis::ReportDiff& diff, bool swap) {
    std::map<std::string, int> tally;
    for (const analysis::Change& c : diff.changes) {
        ChangeKind kind = c.kind;
        if (swap && kind != ChangeKind::Changed && kind != ChangeKind::Moved) {
            kind = kind == ChangeKind::Added ? ChangeKind::Removed : ChangeKind::Added;
        }
        const std::string& value = kind == ChangeKind::Added ? c.after : c.before;
        ++tally[c.section + "|" + c.subject + "|" + c.field + "|" +
                std::to_string(static_cast<int>(kind)) + "|" + value];
    }
    return tally;
}

TEST(ReportDiff, EveryPairOfExampleMachinesDiffersTheSameWayBothWays) {
    const auto reports = GoldenReports();
    for (const auto& [oldName, oldText] : reports) {
        const ReportData before = Read(oldText);
        EXPECT_TRUE(DiffReports(before, before).Empty()) << oldName;
        for (const auto& [newName, newText] : reports) {
            if (oldName == newName) {
                continue;
            }
            SCOPED_TRACE(oldName + " -> " + newName);
            const ReportData after = Read(newText);
            const analysis::ReportDiff forward = DiffReports(before, after);
            const analysis::ReportDiff backward = DiffReports(after, before);
            // A machine's report with and without details: the details are
            // compared only where both reports carry them.
            const bool twins = oldName + ".details" == newName || newName + ".details" == oldName;
            EXPECT_EQ(twins, forward.Empty());
            EXPECT_EQ(forward.changes.size(), backward.changes.size());
            // Added on one side is removed on the other (changes compared by kind only).
            std::map<std::string, int> f = Tally(forward, false);
            std::map<std::string, int> b = Tally(backward, true);
            auto count = [](const std::map<std::string, int>& t, const char* kind) {
                int n = 0;
                for (const auto& [key, times] : t) {
                    n += key.find(std::string("|") + kind + "|") != std::string::npos ? times : 0;
                }
                return n;
            };
            EXPECT_EQ(count(f, "0"), count(b, "0"));
            EXPECT_EQ(count(f, "1"), count(b, "1"));
        }
    }
}

TEST(ReportDiff, NamesEachChangeOnceWhereItHappened) {
    const std::string text = GoldenReport("worked-example");
    const ReportData before = Read(text);
    ReportData after = before;
    analysis::Device& audio = after.classes[0].devices[1];
    std::swap(audio.stack.layers[1][0], audio.stack.layers[1][1]);       // fltB now above fltA
    after.classes[0].devices[0].instanceId = "usb\\root_hub20\\4&1b&0";  // case only
    after.classes[0].services[0].fileVersion = "1.2.3.5";
    after.classes[0].services[3].languages[0].strings[4] = "Hub Driver";
    after.classes[0].traces.push_back(
        {analysis::TraceKind::Error, analysis::TraceSlot::ServiceManager, "Open failed", 0});

    const analysis::ReportDiff diff = DiffReports(before, after);
    ASSERT_EQ(diff.changes.size(), 4u);
    EXPECT_EQ(diff.changes[0].field, "upperDeviceFilters");
    EXPECT_EQ(diff.changes[0].kind, ChangeKind::Moved);
    EXPECT_EQ(diff.changes[1].field, "fileVersion");
    EXPECT_EQ(diff.changes[1].after, "1.2.3.5");
    EXPECT_EQ(diff.changes[2].subject, "usbhub");
    EXPECT_EQ(diff.changes[2].field, "language 0x0409/code page 0x04B0 fileDescription");
    EXPECT_EQ(diff.changes[3].section, "Trace lines");
    EXPECT_EQ(diff.changes[3].after, "ERROR: Open failed");
}

}  // namespace

namespace {

// "Started" before, "Problem, code 10" now; version 1.0 before, 1.1 now.
TEST(ReportDiff, DetailsChangesAreNamedByTheirField) {
    const ReportData before = Read(GoldenReport("device-problems.details"));
    ReportData after = before;
    auto& hub = *after.classes[0].devices[0].details;
    hub.fields[0] = {"Problem, code 10 (CM_PROB_FAILED_START)", "The device could not start."};
    hub.fields[2].push_back("USB\\ROOT_HUB");
    auto& reader = *after.classes[0].devices[5].details;
    reader.fields[static_cast<std::size_t>(analysis::DetailField::DriverVersion)] = {"1.1.0.0"};
    after.classes[0].services[1].startType = "3 (demand)";
    std::map<std::string, std::string> changes;
    for (const analysis::Change& c : DiffReports(before, after).changes) {
        changes[c.field] = c.before + " -> " + c.after;
    }
    EXPECT_EQ((std::map<std::string, std::string>{
                  {"status", "Started -> Problem, code 10 (CM_PROB_FAILED_START)"},
                  {"hardwareIds", " -> USB\\ROOT_HUB"},
                  {"driverVersion", "1.0.0.0 -> 1.1.0.0"},
                  {"startType", "4 (disabled) -> 3 (demand)"}}),
              changes);
}

}  // namespace
