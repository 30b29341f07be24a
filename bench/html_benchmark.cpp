// The web page of a report against its JSON twin, both written from the same
// data read from the synthetic machine's report: the page should cost a small
// multiple of the JSON.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>

#include "analysis/html_report.h"
#include "analysis/report_json.h"
#include "analysis/report_reader.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "report/report_title.h"
#include "support/synthetic_machine.h"

namespace {

const analysis::ReportData& Data(std::size_t devices) {
    static std::map<std::size_t, analysis::ReportData> data;
    const auto found = data.find(devices);
    if (found != data.end()) {
        return found->second;
    }
    ResetLogState();
    sim::SimulatedPlatform platform(SyntheticMachine(devices));
    std::string text;
    {
        win::ScopedPlatform scope(platform);
        InitLog(DefaultLogConfig());
        FinalReport report;
        report.Generate(ReportTitle(), true, true);
        text = report.GetText();
    }
    ResetLogState();
    analysis::ReadFailure failure;
    if (!analysis::ReadReport(text, analysis::CodePage::Default(), data[devices], failure)) {
        std::abort();
    }
    return data[devices];
}

void BM_ReportJson(benchmark::State& state) {
    const analysis::ReportData& data = Data(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = analysis::ReportToJson(data, analysis::CodePage::Default(), true, "r.txt").size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_KiB"] = static_cast<double>(bytes) / 1024.0;
}

void BM_ReportHtml(benchmark::State& state) {
    const analysis::ReportData& data = Data(static_cast<std::size_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = analysis::ReportToHtml(data, analysis::CodePage::Default(), "r.txt").size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_KiB"] = static_cast<double>(bytes) / 1024.0;
}

BENCHMARK(BM_ReportJson)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportHtml)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
