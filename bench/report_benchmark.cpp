// One whole report on synthetic described machines of growing size: time per
// report, platform calls per device and the heap peak of one report.
#include <benchmark/benchmark.h>

#include "cli/report_cli.h"
#include "heap_counter.h"
#include "log/log_config.h"
#include "log/trace_log.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"
#include "support/synthetic_machine.h"

namespace {

// The length only: copying the text out would be the benchmark's own cost.
std::size_t Report(bool details) {
    FinalReport report;
    report.ShowDetails(details);
    report.Generate(ReportTitle(), true, true);
    return report.GetText().size();
}

void Run(benchmark::State& state, bool details) {
    const auto devices = static_cast<std::size_t>(state.range(0));
    ResetLogState();
    sim::SimulatedPlatform platform(details ? SyntheticMachineWithPackages(devices)
                                            : SyntheticMachine(devices));
    win::ScopedPlatform scope(platform);
    InitLog(DefaultLogConfig());

    // One report counted and measured outside the timed loop.
    platform.calls().Clear();
    heap::ResetPeak();
    const std::size_t before = heap::Current();
    const std::size_t length = Report(details);
    const std::size_t peak = heap::Peak() - before;
    const std::size_t calls = platform.calls().Total();
    platform.calls().SetEnabled(false);

    for (auto _ : state) {
        benchmark::DoNotOptimize(Report(details));
    }
    state.counters["devices"] = static_cast<double>(devices);
    state.counters["calls_per_device"] = static_cast<double>(calls) / static_cast<double>(devices);
    state.counters["peak_heap_KiB"] = static_cast<double>(peak) / 1024.0;
    state.counters["report_KiB"] = static_cast<double>(length) / 1024.0;
    ResetLogState();
}

void BM_Report(benchmark::State& state) {
    Run(state, false);
}

// With the device details (--details): each device's status, IDs, flags and
// driver package, each service's start type.
void BM_ReportDetails(benchmark::State& state) {
    Run(state, true);
}

BENCHMARK(BM_Report)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportDetails)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// `devices` spread over 20 classes: the USB class alone, then every class
// (--all-classes). Platform calls per device reported, of the USB class's
// devices and of all devices: listing the classes must not cost more per device.
std::size_t Calls(sim::SimulatedPlatform& platform, const ClassSelection& selection,
                  std::size_t& length) {
    platform.calls().Clear();
    FinalReport report;
    report.Generate(ReportTitle(), selection);
    length = report.GetText().size();
    return platform.calls().Total();
}

void BM_AllClasses(benchmark::State& state) {
    const auto devices = static_cast<std::size_t>(state.range(0));
    constexpr std::size_t kClasses = 20;
    ResetLogState();
    sim::SimulatedPlatform platform(SyntheticMachine(devices, kClasses));
    win::ScopedPlatform scope(platform);
    InitLog(DefaultLogConfig());

    ClassSelection usbOnly;
    usbOnly.show1394 = false;
    ClassSelection all;
    all.allClasses = true;
    std::size_t length = 0;
    const std::size_t usbCalls = Calls(platform, usbOnly, length);
    const std::size_t allCalls = Calls(platform, all, length);
    platform.calls().SetEnabled(false);

    for (auto _ : state) {
        FinalReport report;
        report.Generate(ReportTitle(), all);
        benchmark::DoNotOptimize(report.GetText().size());
    }
    const double usbDevices = static_cast<double>(devices / kClasses);
    state.counters["devices"] = static_cast<double>(devices);
    state.counters["one_class_calls_per_device"] = static_cast<double>(usbCalls) / usbDevices;
    state.counters["all_classes_calls_per_device"] =
        static_cast<double>(allCalls) / static_cast<double>(devices);
    state.counters["report_KiB"] = static_cast<double>(length) / 1024.0;
    ResetLogState();
}

BENCHMARK(BM_AllClasses)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
