// Loading 1,000 small PNG files through Texture_Load (disk read, decode, upload, name cache), and
// the cached second load of the same names.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "platform/image.h"

namespace {

constexpr int kFiles = 1000;
constexpr int kSide = 32;

struct Scene {
    CXGfxDevice* device = nullptr;
    std::filesystem::path folder;
    std::vector<std::string> names;

    Scene()
    {
        device = CreateGfxDevice(16);
        device->System_SetState(GFX_STATE_WINDOWED, true);
        device->System_SetState(GFX_STATE_SCREEN_WIDTH, 64);
        device->System_SetState(GFX_STATE_SCREEN_HEIGHT, 64);
        device->System_SetState(GFX_STATE_WINDOW_WIDTH, 64);
        device->System_SetState(GFX_STATE_WINDOW_HEIGHT, 64);
        device->System_SetState(GFX_STATE_USE_SOUND, false);
        if (!device->System_Initiate(0)) {
            device->Release();
            device = nullptr;
            return;
        }
        folder = std::filesystem::temp_directory_path() /
                 ("engine_textures_bench_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        std::vector<uint32_t> pixels(kSide * kSide);
        for (int i = 0; i < kFiles; ++i) {
            for (size_t p = 0; p < pixels.size(); ++p)
                pixels[p] = 0xFF000000u | uint32_t(i * 2654435761u + p * 40503u);
            const std::string path = (folder / ("tex" + std::to_string(i) + ".png")).string();
            Image_SavePNG(path.c_str(), kSide, kSide, pixels.data(), kSide * 4);
            names.push_back(path);
        }
    }
    ~Scene()
    {
        if (device)
            device->Release();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
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
        state.SkipWithError("no graphics device");
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
        state.SkipWithError("no graphics device");
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
