// The quad batch at full load: frames per second drawing 10,000 textured, alpha-blended 64 x 64
// quads into the 1920 x 1080 back buffer (Mesa llvmpipe under Xvfb), and the CPU time of one
// quad submitted to the batch, with the GL driver's share and without it (a sink that draws
// nothing).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "support/gfx_device.h"

namespace {

constexpr int kQuadsPerFrame = 10000;
constexpr int kSide = 64;

struct Scene {
    CXGfxDevice* device = nullptr;
    HTEXTURE texture = nullptr;
    std::vector<CXQuad> quads;

    Scene()
    {
        std::string error;
        device = test_support::StartGfxDevice(1920, 1080, false, error, 1280, 720);
        if (!device) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return;
        }
        // A disc fading out towards the edge, so that blending has work to do.
        std::vector<uint32_t> pixels(kSide * kSide);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const int dx = x - kSide / 2;
                const int dy = y - kSide / 2;
                const int d2 = dx * dx + dy * dy;
                const uint32_t alpha = d2 >= 32 * 32 ? 0u : 255u - uint32_t(d2 * 255 / (32 * 32));
                pixels[y * kSide + x] =
                    alpha << 24 | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 0x80;
            }
        }
        texture = device->GetGpu()->CreateTexture(kSide, kSide, GPU_FORMAT_A8R8G8B8);
        device->GetGpu()->Upload(texture, pixels.data(), kSide * 4);

        // The same 10,000 quads every frame, spread over the screen.
        uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 214013u + 2531011u; };
        quads.resize(kQuadsPerFrame);
        for (CXQuad& q : quads) {
            const float x = float(next() % (1920 - kSide));
            const float y = float(next() % (1080 - kSide));
            const uint32_t colour = 0xC0000000u | (next() & 0xFFFFFF);
            const float xs[4] = {x, x + kSide, x + kSide, x};
            const float ys[4] = {y, y, y + kSide, y + kSide};
            const float us[4] = {0, 1, 1, 0};
            const float vs[4] = {0, 0, 1, 1};
            for (int i = 0; i < 4; ++i)
                q.v[i] = CXVertex{xs[i], ys[i], 0.5f, colour, us[i], vs[i]};
            q.tex = texture;
            q.blend = BLEND_DEFAULT;
        }
    }
    ~Scene()
    {
        if (device) {
            device->GetGpu()->DestroyTexture(texture);
            device->Release();
        }
    }

    // One quad per iteration, inside one scene, cycling through the frame's quads.
    void Submit(benchmark::State& state)
    {
        device->Gfx_BeginScene(nullptr);
        size_t i = 0;
        for (auto _ : state) {
            device->Gfx_RenderQuad(quads[i]);
            if (++i == quads.size())
                i = 0;
        }
        device->Gfx_EndScene(false);
        state.SetItemsProcessed(state.iterations());
    }

    // Waits for the GPU by reading one pixel of the back buffer.
    void Finish() { benchmark::DoNotOptimize(test_support::WaitForGpu(device)); }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

// One iteration is one frame: clear, 10,000 quads, end of scene with present, GPU finished.
void BM_TenThousandBlendedQuadsPerFrame(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError("no graphics device");
        return;
    }
    for (auto _ : state) {
        scene.device->Gfx_BeginScene(nullptr);
        scene.device->Gfx_Clear(0xFF000000);
        for (const CXQuad& q : scene.quads)
            scene.device->Gfx_RenderQuad(q);
        scene.device->Gfx_EndScene(true);
        scene.Finish();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * kQuadsPerFrame);
}
BENCHMARK(BM_TenThousandBlendedQuadsPerFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// CPU time of submitting quads: the copy into the locked vertices and the draw call issued every
// 1,000 quads, without waiting for the GPU.
void BM_QuadSubmission(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError("no graphics device");
        return;
    }
    scene.Submit(state);
    scene.Finish();
}
BENCHMARK(BM_QuadSubmission)->Unit(benchmark::kNanosecond);

// Takes the batch's output and draws nothing, so that only the engine's own work is timed.
class NullSink final : public CXGfxSink {
public:
    GpuVertex* LockVertices() override { return m_Vertices.data(); }
    void UnlockVertices() override {}
    void Draw(GpuPrimitive, int count) override { benchmark::DoNotOptimize(count); }
    void SetTexture(HTEXTURE) override {}
    void SetBlend(GpuBlend) override {}
    void SetColorOp(GpuColorOp) override {}
    void SetDepthWrite(bool) override {}
    void SetDepthTest(bool) override {}
    void SetSampler(bool) override {}
    void SetSpritePath(bool) override {}
    void SetView(const float*) override {}
    void SetProjection(const float*) override {}
    void SetViewport(const GpuRect&) override {}
    void SetScissorRect(const GpuRect&) override {}
    GpuRect GetScissorRect() override { return {}; }
    void SetScissorTest(bool) override {}
    bool GetScissorTest() override { return false; }
    void SetFixedStates(bool) override {}
    bool SetRenderTarget(HTEXTURE, GpuDepth*) override { return true; }
    void Clear(uint32_t, bool) override {}
    GpuStatus Present() override { return GpuStatus::Ok; }
    GpuStatus TestCooperativeLevel() override { return GpuStatus::Ok; }
    bool Reset() override { return true; }
    HTEXTURE CreateRenderTarget(int, int, uint32_t) override { return nullptr; }
    void DestroyTexture(HTEXTURE) override {}
    GpuDepth* CreateDepth(int, int) override { return nullptr; }
    void DestroyDepth(GpuDepth*) override {}
    int TextureWidth(HTEXTURE) override { return kSide; }
    int TextureHeight(HTEXTURE) override { return kSide; }

private:
    std::vector<GpuVertex> m_Vertices = std::vector<GpuVertex>(CXGfxDevice::kMaxVertices);
};

void BM_QuadSubmissionEngineOnly(benchmark::State& state)
{
    Scene& scene = TheScene();
    if (!scene.device) {
        state.SkipWithError("no graphics device");
        return;
    }
    NullSink sink;
    CXGfxSink* const gpuSink = scene.device->GetSink();
    scene.device->SetSink(&sink);
    scene.Submit(state);
    scene.device->SetSink(gpuSink);
}
BENCHMARK(BM_QuadSubmissionEngineOnly)->Unit(benchmark::kNanosecond);

}  // namespace
