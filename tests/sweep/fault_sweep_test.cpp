// For every described machine in examples/machines/: record the platform
// calls of one report with the device details, then fail each call in turn
// (function and call number) with a plausible code and generate the report
// again. The report must stay complete, show the code in an ERROR line and
// release every handle; under the sanitizer build the same run also proves
// it clean.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/report_cli.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/buffer.h"
#include "machine/machine_loader.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"

namespace {

// What a failure of each function plausibly reports on Windows.
const std::map<std::string, win::DWORD>& PlausibleCodes() {
    static const std::map<std::string, win::DWORD> codes = {
        {"VerifyVersionInfoA", win::ERROR_INVALID_PARAMETER},
        {"GetVersionExA", win::ERROR_INVALID_PARAMETER},
        {"GetModuleHandleA", win::ERROR_MOD_NOT_FOUND},
        {"GetProcAddress", win::ERROR_PROC_NOT_FOUND},
        {"IsWow64Process", win::ERROR_ACCESS_DENIED},
        {"SetupDiClassNameFromGuidA", win::ERROR_INVALID_CLASS},
        {"SetupDiOpenClassRegKey", win::ERROR_INVALID_CLASS},
        {"RegQueryValueExA", win::ERROR_ACCESS_DENIED},
        {"RegCloseKey", win::ERROR_INVALID_HANDLE},
        {"SetupDiGetClassDevsA", win::ERROR_INVALID_PARAMETER},
        {"SetupDiEnumDeviceInfo", win::ERROR_INVALID_HANDLE},
        {"SetupDiCreateDeviceInfoList", win::ERROR_NOT_ENOUGH_MEMORY},
        {"SetupDiOpenDeviceInfoA", win::ERROR_NO_SUCH_DEVINST},
        {"SetupDiDestroyDeviceInfoList", win::ERROR_INVALID_HANDLE},
        {"SetupDiGetDeviceInstanceIdA", win::ERROR_NO_SUCH_DEVINST},
        {"SetupDiGetDeviceRegistryPropertyA", win::ERROR_NO_SUCH_DEVINST},
        {"CLSIDFromString", win::ERROR_INVALID_PARAMETER},
        {"OpenSCManagerA", win::ERROR_ACCESS_DENIED},
        {"OpenServiceA", win::ERROR_SERVICE_DOES_NOT_EXIST},
        {"QueryServiceConfigA", win::ERROR_ACCESS_DENIED},
        {"CloseServiceHandle", win::ERROR_INVALID_HANDLE},
        {"GetFileVersionInfoSizeA", win::ERROR_ACCESS_DENIED},
        {"GetFileVersionInfoA", win::ERROR_ACCESS_DENIED},
        {"VerQueryValueA", win::ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"GetSystemDirectoryA", win::ERROR_ACCESS_DENIED},
        {"CM_Get_DevNode_Status", win::CR_NO_SUCH_DEVNODE},
        {"SetupDiOpenDevRegKey", win::ERROR_ACCESS_DENIED},
        {"GetFileAttributesA", win::ERROR_ACCESS_DENIED},
    };
    return codes;
}

// Functions without a failure return: Windows gives them no way to fail, so
// an injected fault must change nothing.
const std::set<std::string> kCannotFail = {"GetCurrentProcess", "GetSystemInfo",
                                           "VerSetConditionMask"};

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

struct Outcome {
    std::string text;
    std::vector<sim::CallRecord> calls;
    std::size_t openHandles = 0;
};

Outcome Generate(const machine::Machine& machine, const std::string& function = {},
                 std::uint32_t callNumber = 0, win::DWORD code = 0) {
    sim::SimulatedPlatform platform(machine);
    if (!function.empty()) {
        // The injected fault goes first, ahead of the machine's own faults,
        // so that it decides the call it names.
        const std::vector<machine::Fault> own = platform.faults().Faults();
        platform.faults().Clear();
        platform.faults().AddOnCall(function, callNumber, code);
        for (const machine::Fault& fault : own) {
            platform.faults().Add(fault);
        }
    }
    Outcome outcome;
    {
        win::ScopedPlatform scope(platform);
        // With the details: every call of the default report, and theirs.
        FinalReport report;
        report.ShowDetails(true);
        report.Generate(ReportTitle(), true, true);
        outcome.text = report.GetText();
    }
    outcome.calls = platform.calls().Calls();
    outcome.openHandles =
        platform.OpenDeviceInfoSets() + platform.OpenRegistryKeys() + platform.OpenServiceHandles();
    return outcome;
}

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

std::vector<std::filesystem::path> ExampleMachines() {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(MVSI_SOURCE_DIR "/examples/machines")) {
        if (entry.path().extension() == ".json") {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

class FaultSweepTest : public ::testing::Test {
  protected:
    FaultSweepTest() {
        // The log at its defaults, configured once on a platform of its own
        // so that configuring it adds nothing to the calls under test.
        ResetLogState();
        sim::SimulatedPlatform boot;
        win::ScopedPlatform scope(boot);
        InitLog(DefaultLogConfig());
    }
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
        const Outcome baseline = Generate(machine);
        ASSERT_EQ(0u, baseline.openHandles) << path;

        std::map<std::string, std::uint32_t> counts;
        for (const sim::CallRecord& call : baseline.calls) {
            ++counts[call.function];
        }
        for (const auto& [function, count] : counts) {
            if (kCannotFail.count(function) != 0) {
                for (std::uint32_t n = 1; n <= count; ++n) {
                    ++cases;
                    EXPECT_EQ(baseline.text, Generate(machine, function, n, 31).text)
                        << path << ": " << function << " call " << n;
                }
                continue;
            }
            const auto code = PlausibleCodes().find(function);
            ASSERT_NE(PlausibleCodes().end(), code) << "no plausible code for " << function;
            for (std::uint32_t n = 1; n <= count; ++n) {
                const Outcome run = Generate(machine, function, n, code->second);
                ++cases;
                const std::string where = path.filename().string() + ": " + function + " call " +
                                          std::to_string(n) + " (" +
                                          NthArgument(baseline.calls, function, n) + ")";
                EXPECT_EQ(0u, run.text.find(ReportTitle())) << where;
                EXPECT_NE(std::string::npos, run.text.find("\r\nSystem:\r\n")) << where;
                EXPECT_EQ(2u, Count(run.text, "Device Setup Class:\r\n")) << where;
                EXPECT_EQ(0u, run.openHandles) << where;
                const win::DWORD shown =
                    function == "CLSIDFromString"
                        ? static_cast<win::DWORD>(win::HresultFromWin32(code->second))
                        : code->second;
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
        for (std::size_t skip = 0;; ++skip) {
            FailAllocations(skip, 1);
            const Outcome run = Generate(machine);
            const bool reached = PendingAllocationFailures() == 0;
            ResetAllocationFailures();
            if (!reached) {
                break;  // the report makes fewer allocations
            }
            ++cases;
            const std::string where =
                path.filename().string() + ": allocation " + std::to_string(skip + 1);
            EXPECT_EQ(0u, run.text.find(ReportTitle())) << where;
            EXPECT_EQ(2u, Count(run.text, "Device Setup Class:\r\n")) << where;
            EXPECT_EQ(0u, run.openHandles) << where;
            EXPECT_TRUE(ErrorLineShows(run.text, Hex(win::ERROR_NOT_ENOUGH_MEMORY)))
                << where << "\n"
                << run.text;
        }
    }
    std::printf("allocation sweep: %zu cases\n", cases);
    EXPECT_GT(cases, 0u);
}

}  // namespace
