// Loading a machine description: the JSON text to a Machine, on two shapes of
// description: one object of many members (a setup class with n registry
// values), and a machine of n devices, each with its service and driver file.
#include <benchmark/benchmark.h>

#include <string>

#include "machine/machine_loader.h"

namespace {

constexpr char kUsb[] = "{36fc9e60-c465-11cf-8056-444553540000}";

std::string OneLargeObject(std::size_t members) {
    std::string values;
    for (std::size_t i = 0; i < members; ++i) {
        values += (i == 0 ? "\n" : ",\n");
        values += "\"v" + std::to_string(i) + "\": \"text\"";
    }
    return std::string("{\n  \"classes\": [\n    {\"guid\": \"") + kUsb +
           "\", \"name\": \"USB\", \"values\": {" + values + "\n    }}\n  ]\n}\n";
}

std::string ManyDevices(std::size_t devices) {
    std::string list[3];
    for (std::size_t i = 0; i < devices; ++i) {
        const std::string n = std::to_string(i);
        const char* comma = i == 0 ? "\n" : ",\n";
        list[0] += comma + std::string("    {\"instanceId\": \"USB\\\\VID_1234&PID_") + n +
                   "\\\\7&3A&0&1\", \"properties\": {\"DEVICEDESC\": \"Synthetic Device " + n +
                   "\", \"CLASSGUID\": \"" + kUsb + "\", \"SERVICE\": \"drv" + n +
                   "\", \"UPPERFILTERS\": [\"flt" + n + "\"], \"LOWERFILTERS\": []}}";
        list[1] += comma + std::string("    {\"name\": \"drv") + n +
                   "\", \"binaryPath\": \"\\\\SystemRoot\\\\system32\\\\drivers\\\\drv" + n +
                   ".sys\", \"displayName\": \"Synthetic Driver " + n + "\"}";
        list[2] += comma +
                   std::string("    {\"path\": \"C:\\\\WINDOWS\\\\system32\\\\drivers\\\\drv") + n +
                   ".sys\", \"version\": {\"fileVersion\": \"1.2.3." + n +
                   "\", \"translations\": [\"040904b0\"], \"strings\": {\"040904b0\": "
                   "{\"CompanyName\": \"Example\", \"FileDescription\": \"Driver " +
                   n + "\"}}}}";
    }
    return std::string("{\n  \"classes\": [{\"guid\": \"") + kUsb +
           "\", \"name\": \"USB\"}],\n  \"devices\": [" + list[0] + "\n  ],\n  \"services\": [" +
           list[1] + "\n  ],\n  \"files\": [" + list[2] + "\n  ]\n}\n";
}

void Load(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        machine::Machine machine;
        machine::MachineLoader loader("bench.json", "");
        if (!loader.LoadText(text, machine)) {
            state.SkipWithError(loader.Error().c_str());
            return;
        }
        benchmark::DoNotOptimize(machine.devices.size());
    }
    state.counters["description_KiB"] = static_cast<double>(text.size()) / 1024.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_LoadOneLargeObject(benchmark::State& state) {
    Load(state, OneLargeObject(static_cast<std::size_t>(state.range(0))));
}
// 40,000 members: about 0.7 MB; 600,000: about 10 MB.
BENCHMARK(BM_LoadOneLargeObject)->Arg(1000)->Arg(40000)->Arg(600000)->Unit(benchmark::kMillisecond);

void BM_LoadManyDevices(benchmark::State& state) {
    Load(state, ManyDevices(static_cast<std::size_t>(state.range(0))));
}
// 20,000 devices (with as many services and driver files): about 10 MB.
BENCHMARK(BM_LoadManyDevices)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace
