// A report's platform work grows with the machine, not faster: a machine ten
// times larger costs ten times the calls, call for call.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "cli/report_cli.h"
#include "report/final_report.h"
#include "support/machine_test.h"
#include "support/synthetic_machine.h"

namespace {

class ReportScalingTest : public MachineTest {
  protected:
    std::map<std::string, std::size_t> CallsFor(std::size_t devices, bool details = false) {
        machine() = details ? SyntheticMachineWithPackages(devices) : SyntheticMachine(devices);
        platform.calls().Clear();
        FinalReport report;
        report.ShowDetails(details);
        report.Generate(ReportTitle(), true, true);
        EXPECT_EQ(std::string::npos, report.GetText().find("ERROR:"));
        std::map<std::string, std::size_t> counts;
        for (const sim::CallRecord& call : platform.calls().Calls()) {
            ++counts[call.function];
        }
        return counts;
    }
    void CallsGrowLinearly(bool details);
};

TEST_F(ReportScalingTest, CallsGrowLinearlyWithTheDevices) {
    for (const bool details : {false, true}) {
        SCOPED_TRACE(details ? "with details" : "without details");
        CallsGrowLinearly(details);
    }
}

// The details add a fixed number of calls per device, never one per device
// of the machine (docs/PERFORMANCE.md counts them).
TEST_F(ReportScalingTest, DetailsCostABoundedNumberOfCallsPerDevice) {
    std::size_t plain = 0;
    for (const auto& [function, count] : CallsFor(100)) {
        plain += count;
    }
    std::size_t details = 0;
    for (const auto& [function, count] : CallsFor(100, true)) {
        details += count;
    }
    EXPECT_LE(details - plain, 100u * 34 + 50 * 2);
}

void ReportScalingTest::CallsGrowLinearly(bool details) {
    const auto small = CallsFor(100, details);
    const auto large = CallsFor(1000, details);
    ASSERT_EQ(small.size(), large.size());
    for (const auto& [function, count] : large) {
        const std::size_t before = small.at(function);
        // Fixed costs (the System section, two classes) shrink per device.
        EXPECT_LE(count, 10 * before + 10) << function;
        EXPECT_GE(count, before) << function;
    }
    EXPECT_EQ(0u, platform.OpenDeviceInfoSets() + platform.OpenServiceHandles());
}

// --all-classes lists the classes and asks each whether it has a device:
// work per class, none per device beyond what the sections themselves cost.
TEST_F(ReportScalingTest, ListingEveryClassCostsNothingPerDevice) {
    constexpr std::size_t kClasses = 20;
    machine() = SyntheticMachine(1000, kClasses);
    ClassSelection listed;
    listed.allClasses = true;
    ClassSelection named;
    for (const machine::SetupClass& setupClass : machine().classes) {
        named.classes.push_back(setupClass.guid);
    }
    std::string texts[2];
    std::size_t calls[2] = {};
    for (int i = 0; i < 2; ++i) {
        platform.calls().Clear();
        FinalReport report;
        report.Generate(ReportTitle(), i == 0 ? named : listed);
        texts[i] = report.GetText();
        calls[i] = platform.calls().Total();
    }
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_LE(calls[1], calls[0] + 6 * kClasses);
}

}  // namespace
