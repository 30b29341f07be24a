// Reading a real-sized SYSTEM hive (2,000 devices, 500 services, about
// 20 MB): the hive into a registry tree, the machine built from it, and the
// report of that machine; and the heap peak of one pass.
#include <benchmark/benchmark.h>

#include <string>

#include "cli/report_cli.h"
#include "heap_counter.h"
#include "log/trace_log.h"
#include "machine/hive_reader.h"
#include "machine/hive_writer.h"
#include "machine/machine_from_registry.h"
#include "platform/simulated/simulated_platform.h"
#include "report/final_report.h"

namespace {

// Device keys with 8 KB of binary data each, as Device Parameters and driver
// data make real Enum keys large.
std::string BigSystemHive() {
    machine::RegistryTree tree;
    const std::vector<std::uint8_t> blob(2000, 0x5A);
    const std::string set = "ControlSet001";
    tree.Key({"SYSTEM", "Select"});
    tree.Value("Current", machine::RegValue::Dword(1));
    tree.Key({"SYSTEM", set, "Control", "Class", "{36fc9e60-c465-11cf-8056-444553540000}"});
    tree.Value("Class", machine::RegValue::String("USB"));
    for (int i = 0; i < 2000; ++i) {
        tree.Key({"SYSTEM", set, "Enum", "USB", "VID_1234&PID_" + std::to_string(1000 + i % 100),
                  std::to_string(i)});
        tree.Value("DeviceDesc", machine::RegValue::String("Device " + std::to_string(i)));
        tree.Value("ClassGUID", machine::RegValue::String(
                                    i % 10 == 0 ? "{36fc9e60-c465-11cf-8056-444553540000}"
                                                : "{4d36e96c-e325-11ce-bfc1-08002be10318}"));
        tree.Value("Service", machine::RegValue::String("svc" + std::to_string(i % 500)));
        tree.Value("HardwareID", machine::RegValue::MultiString({"USB\\VID_1234&PID_5678&REV_0100",
                                                                 "USB\\VID_1234&PID_5678"}));
        for (int part = 0; part < 4; ++part) {
            tree.Value("Data" + std::to_string(part), machine::RegValue{win::REG_BINARY, blob});
        }
    }
    for (int i = 0; i < 500; ++i) {
        tree.Key({"SYSTEM", set, "Services", "svc" + std::to_string(i)});
        tree.Value("Type", machine::RegValue::Dword(1));
        tree.Value("Start", machine::RegValue::Dword(3));
        tree.Value("ImagePath", machine::RegValue::String("\\SystemRoot\\system32\\drivers\\svc" +
                                                              std::to_string(i) + ".sys",
                                                          win::REG_EXPAND_SZ));
    }
    return machine::WriteHive(*tree.Find("SYSTEM"));
}

std::size_t ReportFromHive(const std::string& hive) {
    machine::RegistryTree tree;
    machine::HiveReadResult result;
    if (!machine::ReadHive(reinterpret_cast<const std::uint8_t*>(hive.data()), hive.size(),
                           {"HKEY_LOCAL_MACHINE", "SYSTEM"}, tree, result)) {
        return 0;
    }
    machine::Machine machine;
    std::string error;
    if (!machine::MachineFromRegistry(std::move(tree), machine, error)) {
        return 0;
    }
    sim::SimulatedPlatform platform(std::move(machine));
    platform.calls().SetEnabled(false);
    win::ScopedPlatform scope(platform);
    FinalReport report;
    report.Generate(ReportTitle(), true, true);
    return report.GetText().size();
}

void BM_ReportFromSystemHive(benchmark::State& state) {
    const std::string hive = BigSystemHive();
    ResetLogState();
    heap::ResetPeak();
    const std::size_t before = heap::Current();
    const std::size_t length = ReportFromHive(hive);
    const std::size_t peak = heap::Peak() - before;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReportFromHive(hive));
    }
    state.counters["hive_MB"] = static_cast<double>(hive.size()) / 1e6;
    state.counters["peak_heap_MiB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    state.counters["report_KiB"] = static_cast<double>(length) / 1024.0;
}

BENCHMARK(BM_ReportFromSystemHive)->Unit(benchmark::kMillisecond);

}  // namespace
