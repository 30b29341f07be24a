// Saved reports as data on synthetic machines of growing size: reading a
// report, and reading two and diffing them; the heap peak of one reading.
#include <benchmark/benchmark.h>

#include <map>

#include "analysis/report_diff.h"
#include "analysis/report_reader.h"
#include "heap_counter.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "report/report_title.h"
#include "support/synthetic_machine.h"

namespace {

// The report text of the synthetic machine, written by the program itself;
// `changed` gives every hundredth device another description.
const std::string& ReportText(std::size_t devices, bool changed) {
    static std::map<std::pair<std::size_t, bool>, std::string> texts;
    std::string& text = texts[{devices, changed}];
    if (text.empty()) {
        machine::Machine machine = SyntheticMachine(devices);
        for (std::size_t i = 0; changed && i < machine.devices.size(); i += 100) {
            machine.devices[i].properties[win::SPDRP_DEVICEDESC] =
                machine::RegValue::String("Changed Device");
        }
        ResetLogState();
        sim::SimulatedPlatform platform(std::move(machine));
        win::ScopedPlatform scope(platform);
        InitLog(DefaultLogConfig());
        FinalReport report;
        report.Generate(ReportTitle(), true, true);
        text = report.GetText();
        ResetLogState();
    }
    return text;
}

analysis::ReportData Read(const std::string& text) {
    analysis::ReportData data;
    analysis::ReadFailure failure;
    if (!analysis::ReadReport(text, analysis::CodePage::Default(), data, failure)) {
        std::abort();
    }
    return data;
}

void BM_ReadReport(benchmark::State& state) {
    const std::string& text = ReportText(static_cast<std::size_t>(state.range(0)), false);
    heap::ResetPeak();
    const std::size_t before = heap::Current();
    Read(text);
    const std::size_t peak = heap::Peak() - before;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Read(text).classes.size());
    }
    state.counters["report_KiB"] = static_cast<double>(text.size()) / 1024.0;
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
    state.counters["peak_per_report_byte"] =
        static_cast<double>(peak) / static_cast<double>(text.size());
}

void BM_DiffReports(benchmark::State& state) {
    const auto devices = static_cast<std::size_t>(state.range(0));
    const std::string& before = ReportText(devices, false);
    const std::string& after = ReportText(devices, true);
    std::size_t changes = 0;
    for (auto _ : state) {
        changes = analysis::DiffReports(Read(before), Read(after)).changes.size();
        benchmark::DoNotOptimize(changes);
    }
    state.counters["changes"] = static_cast<double>(changes);
}

BENCHMARK(BM_ReadReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiffReports)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
