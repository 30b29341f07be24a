// The cost of a trace call whose type is disabled (a bit test) and of one
// whose type is enabled while no sink is registered (formatting only).
#include <benchmark/benchmark.h>

#include "log/log_config.h"
#include "log/trace_log.h"

namespace {

void BM_TraceDisabled(benchmark::State& state) {
    ResetLogState();
    LogState().enabledMask = LOG_ERROR | LOG_WARNING;
    int i = 0;
    for (auto _ : state) {
        Trace(LOG_INFO, "DevNode::GetRegistryProperty... %d\n", i++);
        benchmark::ClobberMemory();
    }
    ResetLogState();
}
BENCHMARK(BM_TraceDisabled);

void BM_TraceEnabledNoSink(benchmark::State& state) {
    ResetLogState();
    LogState().enabledMask = LOG_ERROR | LOG_WARNING | LOG_INFO;
    LogState().channelMask = DefaultLogConfig().channelMask;
    int i = 0;
    for (auto _ : state) {
        Trace(LOG_INFO, "DevNode::GetRegistryProperty... %d\n", i++);
        benchmark::ClobberMemory();
    }
    ResetLogState();
}
BENCHMARK(BM_TraceEnabledNoSink);

}  // namespace
