// For every described machine in examples/machines/: record the platform
// calls of one report, then fail each call in turn (function and call number)
// with a plausible code and generate the report again. The report must stay
// complete, show the code in an ERROR line and release every handle; under
// the sanitizer build the same run also proves it clean.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "analysis/report_reader.h"
#include "log/trace_log.h"
#include "machine/machine_loader.h"
#include "platform/simulated/simulated_platform.h"
#include "report/report_title.h"
#include "sweep/fault_sweep.h"

namespace {

// The failures that legitimately do not show their code, each with why. A
// case listed here must still be visible where the reason says so.
struct Exemption {
    const char* function;
    const char* reason;
    // True when the n-th call (its index in the baseline log) is covered.
    bool (*applies)(const std::vector<sim::CallRecord>& calls, std::size_t index);
    // What the report must show instead of the code; null: nothing.
    const char* shownInstead;
};

bool AsksFixedPart(const std::vector<sim::CallRecord>& calls, std::size_t index) {
    return calls[index].argument == "\\";
}

bool AsksNamedValue(const std::vector<sim::CallRecord>& calls, std::size_t index) {
    return !AsksFixedPart(calls, index);
}

bool LooksUpIsWow64Process(const std::vector<sim::CallRecord>& calls, std::size_t index) {
    return calls[index].argument == "IsWow64Process";
}

// The close after a read that failed (an absent value is the common case):
// only one query lies between the open and this close.
bool ClosesAfterFailedRead(const std::vector<sim::CallRecord>& calls, std::size_t index) {
    std::size_t queries = 0;
    for (std::size_t i = index; i-- > 0 && calls[i].function != "SetupDiOpenClassRegKey";) {
        queries += calls[i].function == "RegQueryValueExA" ? 1 : 0;
    }
    return queries == 1;
}

const Exemption kExemptions[] = {
    {"GetProcAddress",
     "IsWow64Process missing is a system without WOW64 (Windows 2000): the probe answers "
     "'not 64-bit' without an error",
     LooksUpIsWow64Process, nullptr},
    {"RegCloseKey",
     "the class key is closed on a path that already failed (an absent filter value); that "
     "close's result is ignored by design",
     ClosesAfterFailedRead, nullptr},
    {"VerQueryValueA",
     "VerQueryValueA answers true or false and sets no error code: a missing fixed part is "
     "traced as a failed VerQueryValue",
     AsksFixedPart, "VerQueryValue failed"},
    {"VerQueryValueA",
     "VerQueryValueA answers true or false and sets no error code: a missing translation or "
     "string is traced as not available",
     AsksNamedValue, "not available"},
};

std::string Hex(win::DWORD code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

bool ErrorLineShows(const std::string& report, const std::string& hex) {
    std::size_t pos = 0;
    while ((pos = report.find("ERROR:", pos)) != std::string::npos) {
        const std::size_t end = report.find("\r\n", pos);
        if (report.substr(pos, end - pos).find(hex) != std::string::npos) {
            return true;
        }
        pos = end;
    }
    return false;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + 1)) {
        ++n;
    }
    return n;
}

// Where in `calls` the n-th call of `function` is.
std::size_t NthIndex(const std::vector<sim::CallRecord>& calls, const std::string& function,
                     std::uint32_t n) {
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].function == function && --n == 0) {
            return i;
        }
    }
    return calls.size();
}

std::string NthArgument(const std::vector<sim::CallRecord>& calls, const std::string& function,
                        std::uint32_t n) {
    const std::size_t i = NthIndex(calls, function, n);
    return i < calls.size() ? calls[i].argument : std::string();
}

class FaultSweepTest : public ::testing::Test {
  protected:
    FaultSweepTest() { ConfigureSweepLog(); }
    ~FaultSweepTest() override { ResetLogState(); }
};

TEST_F(FaultSweepTest, EveryFailedCallIsReportedAndNothingLeaks) {
    const auto machines = ExampleMachines();
    ASSERT_FALSE(machines.empty());
    std::size_t cases = 0;
    std::map<const Exemption*, std::size_t> exempted;
    for (const auto& path : machines) {
        machine::Machine machine;
        std::string error;
        ASSERT_TRUE(machine::MachineLoader::FromFile(path.string(), machine, error)) << error;
        const SweepReport baseline = GenerateReport(machine);
        ASSERT_EQ(0u, baseline.openHandles) << path;

        for (const FailedCall& call : CallsToFail(baseline.calls)) {
            ++cases;
            const std::string& function = call.function;
            const std::uint32_t n = call.number;
            if (!call.canFail) {
                EXPECT_EQ(baseline.text, GenerateReport(machine, &call).text)
                    << path << ": " << function << " call " << n;
                continue;
            }
            ASSERT_TRUE(call.code.has_value()) << "no plausible code for " << function;
            const SweepReport run = GenerateReport(machine, &call);
            const std::string where = path.filename().string() + ": " + function + " call " +
                                      std::to_string(n) + " (" +
                                      NthArgument(baseline.calls, function, n) + ")";
            EXPECT_EQ(0u, run.text.find(ReportTitle())) << where;
            EXPECT_NE(std::string::npos, run.text.find("\r\nSystem:\r\n")) << where;
            EXPECT_EQ(2u, Count(run.text, "Device Setup Class:\r\n")) << where;
            EXPECT_EQ(0u, run.openHandles) << where;
            const win::DWORD shown =
                function == "CLSIDFromString"
                    ? static_cast<win::DWORD>(win::HresultFromWin32(*call.code))
                    : *call.code;
            if (ErrorLineShows(run.text, Hex(shown))) {
                continue;
            }
            const Exemption* exemption = nullptr;
            const std::size_t index = NthIndex(baseline.calls, function, n);
            for (const Exemption& e : kExemptions) {
                if (function == e.function && e.applies(baseline.calls, index)) {
                    exemption = &e;
                }
            }
            if (exemption == nullptr) {
                ADD_FAILURE() << where << ": " << Hex(shown) << " is in no ERROR line\n"
                              << run.text;
                continue;
            }
            ++exempted[exemption];
            if (exemption->shownInstead != nullptr) {
                EXPECT_TRUE(ErrorLineShows(run.text, exemption->shownInstead))
                    << where << ": " << exemption->reason << "\n"
                    << run.text;
            }
        }
    }
    std::printf("fault sweep: %zu cases over %zu machines\n", cases, machines.size());
    for (const Exemption& e : kExemptions) {
        std::printf("  %zu cases of %s without their code: %s\n", exempted[&e], e.function,
                    e.reason);
    }
}

// Every buffer of one report, made to fail in turn: the report goes on and
// says ERROR_NOT_ENOUGH_MEMORY where the buffer was needed.
TEST_F(FaultSweepTest, EveryFailedAllocationIsReportedAndNothingLeaks) {
    std::size_t cases = 0;
    for (const auto& path : ExampleMachines()) {
        machine::Machine machine;
        std::string error;
        ASSERT_TRUE(machine::MachineLoader::FromFile(path.string(), machine, error)) << error;
        cases += ForEachFailedAllocation(machine, [&](std::size_t skip, const SweepReport& run) {
            const std::string where =
                path.filename().string() + ": allocation " + std::to_string(skip + 1);
            EXPECT_EQ(0u, run.text.find(ReportTitle())) << where;
            EXPECT_EQ(2u, Count(run.text, "Device Setup Class:\r\n")) << where;
            EXPECT_EQ(0u, run.openHandles) << where;
            EXPECT_TRUE(ErrorLineShows(run.text, Hex(win::ERROR_NOT_ENOUGH_MEMORY)))
                << where << "\n"
                << run.text;
        });
    }
    std::printf("allocation sweep: %zu cases\n", cases);
    EXPECT_GT(cases, 0u);
}

// --all-classes lists the installed classes and asks each for a present
// device before the first section: each of those calls failed in turn shows
// its code where the classes begin, the switched classes stay, and the
// report still reads back as a report.
TEST_F(FaultSweepTest, EveryFailedCallOfTheClassListIsReported) {
    ClassSelection all;
    all.allClasses = true;
    std::size_t cases = 0;
    for (const auto& path : ExampleMachines()) {
        machine::Machine machine;
        std::string error;
        ASSERT_TRUE(machine::MachineLoader::FromFile(path.string(), machine, error)) << error;
        // The listing alone; in a report it runs before the first section,
        // so its calls are the first ones of their functions there.
        std::map<std::string, std::uint32_t> counts;
        {
            sim::SimulatedPlatform platform(machine);
            win::ScopedPlatform scope(platform);
            SelectedClasses(all);
            for (const sim::CallRecord& call : platform.calls().Calls()) {
                ++counts[call.function];
            }
        }
        ASSERT_EQ(1u, counts.count("SetupDiBuildClassInfoList")) << path;
        for (const auto& [function, count] : counts) {
            const auto code = PlausibleCodes().find(function);
            ASSERT_NE(PlausibleCodes().end(), code) << "no plausible code for " << function;
            for (std::uint32_t n = 1; n <= count; ++n) {
                const FailedCall call{function, n, code->second, true};
                const SweepReport run = GenerateReport(machine, &call, all);
                ++cases;
                const std::string where =
                    path.filename().string() + ": " + function + " call " + std::to_string(n);
                EXPECT_TRUE(ErrorLineShows(run.text, Hex(code->second))) << where << "\n"
                                                                         << run.text;
                EXPECT_LE(2u, Count(run.text, "Device Setup Class:\r\n")) << where;
                EXPECT_EQ(0u, run.openHandles) << where;
                analysis::ReportData data;
                analysis::ReadFailure failure;
                EXPECT_TRUE(
                    analysis::ReadReport(run.text, analysis::CodePage::Default(), data, failure))
                    << where << ": " << failure.Format("report") << "\n"
                    << run.text;
            }
        }
    }
    std::printf("class list sweep: %zu cases\n", cases);
    EXPECT_GT(cases, 0u);
}

}  // namespace
