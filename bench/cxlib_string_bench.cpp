// CXString::Format (side buffer reused) against snprintf into a stack buffer.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "CXString.h"

namespace {

void BM_CXStringFormat(benchmark::State& state)
{
    CXString s;
    int n = 0;
    for (auto _ : state) {
        s.Format("[%02d:%02d:%02d]-[%s] : %s %d", 12, 34, 56, "LOG/SYSTEM", "value", ++n);
        benchmark::DoNotOptimize(s.GetString());
    }
}

void BM_Snprintf(benchmark::State& state)
{
    char buffer[256];
    int n = 0;
    for (auto _ : state) {
        std::snprintf(buffer, sizeof(buffer), "[%02d:%02d:%02d]-[%s] : %s %d", 12, 34, 56,
                      "LOG/SYSTEM", "value", ++n);
        benchmark::DoNotOptimize(buffer);
    }
}

BENCHMARK(BM_CXStringFormat);
BENCHMARK(BM_Snprintf);

}  // namespace
