// The whole offline report from a SYSTEM hive file, as `--hive FILE` makes
// it: the file opened and read into a registry tree, the machine built and
// its report written. The hive is BigSystemTree(5,000 devices, 2,050
// services) in our writer's layout, or the file MVSI_BENCH_HIVE names (the
// one mvsi-big-hive writes through hivex, for the figures beside hivexml's).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "big_system_hive.h"
#include "cli/offline_machine.h"
#include "cli/report_cli.h"
#include "log/trace_log.h"
#include "machine/hive_writer.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"

namespace {

std::size_t OfflineReport(const std::string& hive) {
    machine::Machine machine;
    std::vector<std::string> notes;
    std::string error;
    if (!MachineFromHives({hive}, "", machine, notes, error)) {
        return 0;
    }
    sim::SimulatedPlatform platform(std::move(machine));
    platform.calls().SetEnabled(false);
    win::ScopedPlatform scope(platform);
    FinalReport report;
    report.Generate(ReportTitle(), true, true);
    return report.GetText().size();
}

void BM_OfflineReportFromHiveFile(benchmark::State& state) {
    std::string path;
    std::string written;
    if (const char* given = std::getenv("MVSI_BENCH_HIVE")) {
        path = given;
    } else {
        written = (std::filesystem::temp_directory_path() / "mvsi_bench_system.hiv").string();
        const machine::RegistryTree tree = BigSystemTree(5000, 2050);
        std::ofstream(written, std::ios::binary)
            << machine::WriteHive(*tree.Find("HKEY_LOCAL_MACHINE\\SYSTEM"));
        path = written;
    }
    ResetLogState();
    const std::size_t length = OfflineReport(path);
    if (length == 0) {
        state.SkipWithError("the hive was not read");
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(OfflineReport(path));
    }
    state.counters["hive_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.counters["report_KiB"] = static_cast<double>(length) / 1024.0;
    if (!written.empty()) {
        std::remove(written.c_str());
    }
}

BENCHMARK(BM_OfflineReportFromHiveFile)->Unit(benchmark::kMillisecond);

}  // namespace
