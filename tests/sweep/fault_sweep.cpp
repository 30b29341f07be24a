#include "sweep/fault_sweep.h"

#include <algorithm>

#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/buffer.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "report/report_title.h"

const std::map<std::string, win::DWORD>& PlausibleCodes() {
    static const std::map<std::string, win::DWORD> codes = {
        {"VerifyVersionInfoA", win::ERROR_INVALID_PARAMETER},
        {"GetVersionExA", win::ERROR_INVALID_PARAMETER},
        {"GetModuleHandleA", win::ERROR_MOD_NOT_FOUND},
        {"GetProcAddress", win::ERROR_PROC_NOT_FOUND},
        {"IsWow64Process", win::ERROR_ACCESS_DENIED},
        {"SetupDiClassNameFromGuidA", win::ERROR_INVALID_CLASS},
        {"SetupDiBuildClassInfoList", win::ERROR_ACCESS_DENIED},
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

const std::set<std::string>& CannotFail() {
    static const std::set<std::string> functions = {"GetCurrentProcess", "GetSystemInfo",
                                                    "VerSetConditionMask"};
    return functions;
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

void ConfigureSweepLog(std::uint32_t enabledMask) {
    ResetLogState();
    sim::SimulatedPlatform boot;
    win::ScopedPlatform scope(boot);
    LogConfig config = DefaultLogConfig();
    config.defaultEnabledMask = enabledMask;
    InitLog(config);
}

SweepReport GenerateReport(const machine::Machine& machine, const FailedCall* fault,
                           const ClassSelection& selection) {
    sim::SimulatedPlatform platform(machine);
    if (fault != nullptr) {
        // The injected fault goes first, ahead of the machine's own faults,
        // so that it decides the call it names.
        const std::vector<machine::Fault> own = platform.faults().Faults();
        platform.faults().Clear();
        platform.faults().AddOnCall(fault->function, fault->number, fault->code.value_or(31));
        for (const machine::Fault& f : own) {
            platform.faults().Add(f);
        }
    }
    SweepReport report;
    {
        win::ScopedPlatform scope(platform);
        // With the device details: every call of the default report, and
        // theirs; the round trip reads the details back too.
        FinalReport final;
        final.ShowDetails(true);
        final.Generate(ReportTitle(), selection);
        report.text = final.GetText();
    }
    report.calls = platform.calls().Calls();
    report.openHandles =
        platform.OpenDeviceInfoSets() + platform.OpenRegistryKeys() + platform.OpenServiceHandles();
    return report;
}

std::vector<FailedCall> CallsToFail(const std::vector<sim::CallRecord>& baseline) {
    std::map<std::string, std::uint32_t> counts;
    for (const sim::CallRecord& call : baseline) {
        ++counts[call.function];
    }
    std::vector<FailedCall> calls;
    for (const auto& [function, count] : counts) {
        const auto code = PlausibleCodes().find(function);
        for (std::uint32_t n = 1; n <= count; ++n) {
            FailedCall call;
            call.function = function;
            call.number = n;
            call.canFail = CannotFail().count(function) == 0;
            if (!call.canFail) {
                call.code = 31;  // any code: it must not show
            } else if (code != PlausibleCodes().end()) {
                call.code = code->second;
            }
            calls.push_back(call);
        }
    }
    return calls;
}

std::size_t ForEachFailedAllocation(
    const machine::Machine& machine,
    const std::function<void(std::size_t skip, const SweepReport& report)>& visit) {
    std::size_t skip = 0;
    for (;; ++skip) {
        FailAllocations(skip, 1);
        const SweepReport report = GenerateReport(machine);
        const bool reached = PendingAllocationFailures() == 0;
        ResetAllocationFailures();
        if (!reached) {
            return skip;  // the report makes fewer allocations
        }
        visit(skip, report);
    }
}
