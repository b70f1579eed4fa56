// CXFileConfig::Load of a 1,000-line configuration held in memory and read from a file.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "CXFileConfig.h"
#include "support/temp_folder.h"

namespace {

std::string ConfigText()
{
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        char line[96];
        if (i % 10 == 0)
            std::snprintf(line, sizeof line, "# section %d\r\n", i / 10);
        else
            std::snprintf(line, sizeof line, "  Key_%04d = value %d, %d  # note\r\n", i, i * 7,
                          i % 13);
        text += line;
    }
    return text;
}

void BM_Config_LoadText(benchmark::State& state)
{
    const std::string text = ConfigText();
    CXFileConfig config;
    for (auto _ : state)
        benchmark::DoNotOptimize(config.Load(text.data(), static_cast<unsigned>(text.size())));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Config_LoadText)->Unit(benchmark::kMicrosecond);

void BM_Config_LoadFile(benchmark::State& state)
{
    const TempFolder folder("cxlib_config_bench");
    const std::string path = folder.Write("bench.cfg", ConfigText());
    CXFileConfig config;
    for (auto _ : state)
        benchmark::DoNotOptimize(config.Load(path.c_str()));
}
BENCHMARK(BM_Config_LoadFile)->Unit(benchmark::kMicrosecond);

}  // namespace
