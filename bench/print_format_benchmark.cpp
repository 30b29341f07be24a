// The program's printf-style formatter beside the C library's vsnprintf, on
// two lines as the trace log formats them.
#include <cstdio>

#include <benchmark/benchmark.h>

#include "text/print_format.h"

namespace {

int Library(char* buffer, std::size_t size, const char* format, ...) MVSI_PRINTF(3, 4);
int Library(char* buffer, std::size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    return written;
}

template <int (*Format)(char*, std::size_t, const char*, ...)>
void BM_Number(benchmark::State& state) {
    char buffer[1024];
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Format(buffer, sizeof buffer, "DevNode::GetRegistryProperty... %d\n", i++));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Number<FormatPrint>)->Name("BM_FormatPrint_Number");
BENCHMARK(BM_Number<Library>)->Name("BM_LibraryVsnprintf_Number");

template <int (*Format)(char*, std::size_t, const char*, ...)>
void BM_StringAndHex(benchmark::State& state) {
    char buffer[1024];
    unsigned i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            Format(buffer, sizeof buffer,
                   "AddDevNodesReportForSetupClass: OpenService '%s' failed with error 0x%08X.\n",
                   "usbhub", i++));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StringAndHex<FormatPrint>)->Name("BM_FormatPrint_StringAndHex");
BENCHMARK(BM_StringAndHex<Library>)->Name("BM_LibraryVsnprintf_StringAndHex");

}  // namespace
