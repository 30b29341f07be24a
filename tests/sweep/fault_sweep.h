// The reports of the fault sweep: a described machine's report with each of
// its platform calls failed in turn (function and call number, with a code
// the function plausibly gives on Windows), and with each of its allocations
// failed in turn. The sweep test checks what each report says; the reader's
// round trip reads every one of them back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "machine/machine.h"
#include "platform/simulated/call_log.h"
#include "report/class_selection.h"

struct SweepReport {
    std::string text;
    std::vector<sim::CallRecord> calls;  // every platform call the report made
    std::size_t openHandles = 0;         // left open when the report was done
};

// One call to fail: the `number`-th call (from 1) of `function`.
struct FailedCall {
    std::string function;
    std::uint32_t number = 0;
    // The code it fails with; none when the function has no plausible one.
    std::optional<win::DWORD> code;
    // False for functions that Windows gives no way to fail.
    bool canFail = true;
};

// What a failure of each function plausibly reports on Windows.
const std::map<std::string, win::DWORD>& PlausibleCodes();

// Functions without a failure return: an injected fault must change nothing.
const std::set<std::string>& CannotFail();

// examples/machines/*.json, sorted.
std::vector<std::filesystem::path> ExampleMachines();

// The trace log at its defaults, but with `enabledMask` as the types a
// configuration file enables; configured on a platform of its own so that
// configuring adds nothing to the calls of the reports.
void ConfigureSweepLog(std::uint32_t enabledMask = 7);

// The report of the selected classes (both switched ones by default), with
// the device details and at most one call failed.
SweepReport GenerateReport(const machine::Machine& machine, const FailedCall* fault = nullptr,
                           const ClassSelection& selection = ClassSelection{});

// Every call of `baseline`, ordered by function name and call number.
std::vector<FailedCall> CallsToFail(const std::vector<sim::CallRecord>& baseline);

// Calls `visit` with the report that failing the (skip + 1)-th allocation
// gives, for every allocation the report makes; answers how many there were.
std::size_t ForEachFailedAllocation(
    const machine::Machine& machine,
    const std::function<void(std::size_t skip, const SweepReport& report)>& visit);
