// A support team's folder of tickets into JSON Lines, as docs/fleet.md does
// it: 10,000 saved reports of typical size (the example machines' reports,
// 1.5 to 15 KB, taken in turn) read from files, each with its findings, one
// JSON document a line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/analysis_cli.h"
#include "log/trace_log.h"
#include "machine/machine_loader.h"
#include "sweep/fault_sweep.h"

namespace {

constexpr std::size_t kTickets = 10000;

struct Tickets {
    std::filesystem::path folder;
    std::vector<std::string> files;
    std::size_t bytes = 0;

    Tickets() {
        folder = std::filesystem::temp_directory_path() / "mvsi-fleet-bench";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::vector<std::string> reports;
        ConfigureSweepLog();
        for (const auto& path : ExampleMachines()) {
            machine::Machine machine;
            std::string error;
            if (machine::MachineLoader::FromFile(path.string(), machine, error)) {
                reports.push_back(GenerateReport(machine).text);
            }
        }
        ResetLogState();
        for (std::size_t i = 0; i < kTickets && !reports.empty(); ++i) {
            const std::string& text = reports[i % reports.size()];
            files.push_back((folder / ("ticket-" + std::to_string(i) + ".txt")).string());
            std::ofstream(files.back(), std::ios::binary) << text;
            bytes += text.size();
        }
    }
    ~Tickets() { std::filesystem::remove_all(folder); }
};

void BM_TicketsToJsonLines(benchmark::State& state) {
    static const Tickets tickets;
    CliOptions options;
    options.readFiles = tickets.files;
    options.format = "jsonl";
    options.codePage = 1252;
    std::FILE* sink = std::fopen("/dev/null", "wb");
    for (auto _ : state) {
        if (RunAnalysisCommand(options, nullptr, sink, stderr) != 0) {
            state.SkipWithError("a ticket was not read");
            break;
        }
    }
    std::fclose(sink);
    state.counters["files"] = static_cast<double>(tickets.files.size());
    state.counters["files_per_second"] = benchmark::Counter(
        static_cast<double>(tickets.files.size()), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MiB_per_second"] =
        benchmark::Counter(static_cast<double>(tickets.bytes) / (1024.0 * 1024.0),
                           benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK(BM_TicketsToJsonLines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
