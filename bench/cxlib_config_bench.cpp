// CXFileConfig::Load of a 1,000-line configuration held in memory and read from a file.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CXFileConfig.h"

namespace {

std::string ConfigText()
{
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        char line[96];
        if (i % 10 == 0)
            std::snprintf(line, sizeof line, "# section %d\r\n", i / 10);
        else
            std::snprintf(line, sizeof line, "  Key_%04d = value %d, %d  # note\r\n", i, i * 7, i % 13);
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
    const auto path = std::filesystem::temp_directory_path() / "cxlib_config_bench.cfg";
    std::ofstream(path, std::ios::binary) << ConfigText();
    CXFileConfig config;
    for (auto _ : state)
        benchmark::DoNotOptimize(config.Load(path.string().c_str()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Config_LoadFile)->Unit(benchmark::kMicrosecond);

} // namespace
