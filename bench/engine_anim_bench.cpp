// One frame of 100 particle systems of 500 particles each (update and draw into a render target),
// and loading 200 ANF files that share one texture.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "CXGfxDevice.h"
#include "CXString.h"
#include "platform/image.h"
#include "support/gfx_device.h"
#include "support/temp_folder.h"

namespace {

constexpr int kSystems = 100;
constexpr int kAnfFiles = 200;

struct Scene {
    CXGfxDevice* device = nullptr;
    std::string error;
    HTARGET target = nullptr;
    TempFolder folder{"engine_anim_bench"};
    std::string savedBase;

    Scene()
    {
        device = test_support::StartGfxDevice(640, 480, false, error);
        if (!device)
            return;
        target = device->Target_Create(640, 480, false, GPU_FORMAT_A8R8G8B8);
        savedBase = g_strResourceBase;
        g_strResourceBase = folder.Slashed();

        std::vector<uint32_t> pixels(32 * 32, 0xFFFFFFFF);
        platform::SavePng((folder.Path() / "dot.png").string().c_str(), 32, 32, pixels.data(),
                          32 * 4);
        folder.Write(
            "spark.ptc",
            "TEX=dot.png\nEMISSION=100000\nLIFETIME=-1\nPARTICLE_LIFE_MIN=100\n"
            "PARTICLE_LIFE_MAX=100\nSPEED_MIN=0\nSPEED_MAX=0.5\nSPREAD=6.28\nSIZE_START=0.5\n"
            "SIZE_END=0.1\nSPIN_START=1\nCOLOR_START=0xFFFF8000\nCOLOR_END=0x00FFFFFF\n"
            "BLEND=COLORMUL|ALPHAADD\nFPS=60\n");
        for (int i = 0; i < kAnfFiles; ++i)
            folder.Write("anf/a" + std::to_string(i) + ".anf",
                         "TEX=../dot.png\nCOUNT=4\nFPS=10\nW=16\nH=16\nLOOP_MODE=FWD|LOOP\n"
                         "PA_SPEED=50\nPA_POINT=0:0:0:0,100:0:100:0,100:100:0:0\nAA_POINT=255:0:0,"
                         "0:500:0\n");
    }
    ~Scene()
    {
        if (device) {
            device->Target_Free(target);
            test_support::StopGfxDevice(device);
            g_strResourceBase = savedBase;
        }
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void BM_ParticleFrame(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    std::vector<std::unique_ptr<CX2DParticle>> systems;
    for (int i = 0; i < kSystems; ++i) {
        auto particle = std::make_unique<CX2DParticle>();
        if (!particle->Load("spark.ptc")) {
            state.SkipWithError("particle file");
            return;
        }
        particle->FireAt(float(32 + (i % 10) * 60), float(32 + (i / 10) * 44));
        particle->Update(1.0f / 60.0f);
        systems.push_back(std::move(particle));
    }
    int alive = 0;
    for (const auto& p : systems)
        alive += p->GetSystem()->GetParticlesAlive();

    for (auto _ : state) {
        scene.device->Gfx_BeginScene(scene.target);
        scene.device->Gfx_Clear(0xFF000000);
        for (const auto& p : systems)
            p->Update(1.0f / 60.0f);
        for (const auto& p : systems)
            p->Render();
        scene.device->Gfx_EndScene(false);
    }
    state.counters["particles"] = alive;
}
BENCHMARK(BM_ParticleFrame)->Unit(benchmark::kMillisecond);

void BM_LoadAnf(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError(scene.error.c_str());
        return;
    }
    std::vector<std::string> names;
    for (int i = 0; i < kAnfFiles; ++i)
        names.push_back("anf/a" + std::to_string(i) + ".anf");
    for (auto _ : state) {
        std::vector<std::unique_ptr<CX2DAnimation>> anims;
        for (const std::string& name : names) {
            auto anim = std::make_unique<CX2DAnimation>();
            if (!anim->Load(name.c_str())) {
                state.SkipWithError(name.c_str());
                return;
            }
            anims.push_back(std::move(anim));
        }
        benchmark::DoNotOptimize(anims.data());
    }
    state.counters["files"] = kAnfFiles;
}
BENCHMARK(BM_LoadAnf)->Unit(benchmark::kMillisecond);

}  // namespace
