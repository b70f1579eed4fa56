// Loading 1,000 small PNG files through Texture_Load (disk read, decode, upload, name cache), and
// the cached second load of the same names.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "platform/image.h"
#include "support/gfx_device.h"
#include "support/temp_folder.h"

namespace {

constexpr int kFiles = 1000;
constexpr int kSide = 32;

struct Scene {
    CXGfxDevice* device = nullptr;
    std::string error;
    TempFolder folder{"engine_textures_bench"};
    std::vector<std::string> names;

    Scene()
    {
        device = test_support::StartGfxDevice(64, 64, false, error);
        if (!device)
            return;
        std::vector<uint32_t> pixels(kSide * kSide);
        for (int i = 0; i < kFiles; ++i) {
            for (size_t p = 0; p < pixels.size(); ++p)
                pixels[p] = 0xFF000000u | uint32_t(i * 2654435761u + p * 40503u);
            const std::string path =
                (folder.Path() / ("tex" + std::to_string(i) + ".png")).string();
            platform::SavePng(path.c_str(), kSide, kSide, pixels.data(), kSide * 4);
            names.push_back(path);
        }
    }
    ~Scene() { test_support::StopGfxDevice(device); }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void BM_LoadThousandPngs(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        scene.device->Texture_ShutDown();
        scene.device->Texture_StartUp();
        state.ResumeTiming();
        for (const std::string& name : scene.names)
            benchmark::DoNotOptimize(scene.device->Texture_Load(name.c_str()));
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_LoadThousandPngs)->Unit(benchmark::kMillisecond);

void BM_LoadThousandCachedNames(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    for (const std::string& name : scene.names)
        scene.device->Texture_Load(name.c_str());
    for (auto _ : state)
        for (const std::string& name : scene.names)
            benchmark::DoNotOptimize(scene.device->Texture_Load(name.c_str()));
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_LoadThousandCachedNames)->Unit(benchmark::kMicrosecond);

}  // namespace
