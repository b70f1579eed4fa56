// Whole frames through the engine's batch on the real device (Mesa llvmpipe under Xvfb), 1920 x
// 1080 back buffer presented to a 1280 x 720 window:
// - 10,000 alpha-blended 64 x 64 quads of one texture, then the same quads alternating between two
//   textures (one draw call per quad), printed beside the single-texture figure ("x_single");
// - a lobby-like frame: four render targets and the screen, 200 images and 100 text lines, each
//   text line between two images (text textures between images, as the lobby draws them).
// Counters per frame: GL calls and milliseconds.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CX2DSprite.h"
#include "CXFont.h"
#include "CXGfxDevice.h"
#include "support/gfx_device.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

constexpr int kQuadsPerFrame = 10000;
constexpr int kSide = 64;

// A disc fading out towards its edge, tinted, so that blending has work to do.
std::vector<uint32_t> Disc(int side, uint32_t tint)
{
    std::vector<uint32_t> pixels(size_t(side) * side);
    const int r = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int dx = x - r, dy = y - r, d2 = dx * dx + dy * dy;
            const uint32_t alpha = d2 >= r * r ? 0u : 255u - uint32_t(d2 * 255 / (r * r));
            pixels[size_t(y) * side + x] = alpha << 24 | (tint & 0xFFFFFF);
        }
    return pixels;
}

struct Bench {
    CXGfxDevice* device = nullptr;
    std::vector<HTEXTURE> textures;
    std::vector<CXQuad> quads;
    double singleMs = 0;  // per frame, from the single-texture run

    Bench()
    {
        std::string error;
        device = test_support::StartGfxDevice(1920, 1080, false, error, 1280, 720);
        if (!device) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return;
        }
        const uint32_t tints[] = {0x4080C0, 0xC08040, 0x40C080, 0xC04080,
                                  0x8040C0, 0x80C040, 0xFFFFFF, 0x808080};
        for (uint32_t tint : tints) {
            HTEXTURE t = device->GetGpu()->CreateTexture(kSide, kSide, GPU_FORMAT_A8R8G8B8);
            device->GetGpu()->Upload(t, Disc(kSide, tint).data(), kSide * 4);
            textures.push_back(t);
        }
        // The same 10,000 quads every frame, spread over the screen.
        uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 214013u + 2531011u; };
        quads.resize(kQuadsPerFrame);
        for (CXQuad& q : quads) {
            const float x = float(next() % (1920 - kSide)), y = float(next() % (1080 - kSide));
            const uint32_t colour = 0xC0000000u | (next() & 0xFFFFFF);
            const float xs[4] = {x, x + kSide, x + kSide, x}, ys[4] = {y, y, y + kSide, y + kSide};
            const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
            for (int i = 0; i < 4; ++i)
                q.v[i] = CXVertex{xs[i], ys[i], 0.5f, colour, us[i], vs[i]};
            q.blend = BLEND_DEFAULT;
        }
    }
    ~Bench()
    {
        if (!device)
            return;
        for (HTEXTURE t : textures)
            device->GetGpu()->DestroyTexture(t);
        device->System_Shutdown();
        device->Release();
    }

    // Waits for the GPU by reading one pixel of the back buffer.
    void Finish() { benchmark::DoNotOptimize(test_support::WaitForGpu(device)); }
};

Bench& TheBench()
{
    static Bench bench;
    return bench;
}

void SetFrameCounters(benchmark::State& state, uint64_t glCalls, double seconds)
{
    const double frames = double(state.iterations());
    state.counters["gl_calls"] = double(glCalls) / frames;
    state.counters["ms"] = seconds * 1000.0 / frames;
}

// One iteration is one frame: clear, 10,000 quads (one texture, or two alternating), present,
// GPU finished.
void BM_QuadFrame(benchmark::State& state)
{
    Bench& b = TheBench();
    if (!b.device) {
        state.SkipWithError("no graphics device");
        return;
    }
    const int textureCount = int(state.range(0));
    for (size_t i = 0; i < b.quads.size(); ++i)
        b.quads[i].tex = b.textures[i % textureCount];
    auto frame = [&b] {
        b.device->Gfx_BeginScene(nullptr);
        b.device->Gfx_Clear(0xFF000000);
        for (const CXQuad& q : b.quads)
            b.device->Gfx_RenderQuad(q);
        b.device->Gfx_EndScene(true);
        b.Finish();
    };
    frame();  // the driver's first use of a state mix costs more than any later frame
    const uint64_t calls0 = GpuDevice::GlCallCount();
    const auto start = Clock::now();
    for (auto _ : state)
        frame();
    const double seconds = Seconds(Clock::now() - start);
    SetFrameCounters(state, GpuDevice::GlCallCount() - calls0, seconds);
    const double ms = seconds * 1000.0 / double(state.iterations());
    if (textureCount == 1)
        b.singleMs = ms;
    else if (b.singleMs > 0)
        state.counters["x_single"] = ms / b.singleMs;
}
BENCHMARK(BM_QuadFrame)
    ->ArgName("textures")
    ->Arg(1)
    ->Arg(2)
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The lobby: four 480 x 270 game previews (25 images and 10 text lines each) shown on the screen
// with 100 more images and 60 text lines. Text draws through the sprite batch without the caller
// opening it, between quad-batch images of eight textures.
void BM_LobbyFrame(benchmark::State& state)
{
    Bench& b = TheBench();
    if (!b.device) {
        state.SkipWithError("no graphics device");
        return;
    }
    CXGfxDevice* dev = b.device;
    HTARGET targets[4] = {};
    for (HTARGET& t : targets)
        t = dev->Target_Create(480, 270, false, 0);
    std::vector<std::unique_ptr<CX2DSprite>> images;
    for (HTEXTURE t : b.textures) {
        images.push_back(std::make_unique<CX2DSprite>());
        images.back()->CreateFromTexture(t, 0, 0, 0, 0);
    }
    std::vector<std::unique_ptr<CX2DSprite>> previews;
    for (HTARGET t : targets) {
        previews.push_back(std::make_unique<CX2DSprite>());
        previews.back()->CreateFromTexture(dev->Target_GetTexture(t), 0, 0, 480, 270);
    }
    CXFont font;
    CXFontDesc desc;
    desc.Height = -16;
    std::snprintf(desc.FaceName, sizeof desc.FaceName, "%s", "나눔고딕");
    font.SetDesc(desc);
    if (!font.Create(1.0f, 1.0f)) {
        state.SkipWithError("no font");
        return;
    }
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i)
        lines.push_back("방 " + std::to_string(i + 1) + " 대기 중 " +
                        std::to_string(i * 37 % 1000) + " 점");

    // Images and text lines taking turns (image, text, image, ...) in a w x h area; `first`
    // varies the positions, textures and texts between areas.
    auto draw = [&](int imageCount, int textCount, int first, int w, int h) {
        const uint32_t colour = 0xFFFFFFFF;
        for (int i = 0; i < imageCount || i < textCount; ++i) {
            const int n = first + i;
            if (i < imageCount)
                images[size_t(n) % images.size()]->Render(float(n * 53 % (w - kSide)),
                                                          float(n * 31 % (h - kSide)));
            if (i < textCount)
                font.DrawText(lines[size_t(n) % lines.size()].c_str(), float(n * 17 % (w - 200)),
                              float(n * 23 % (h - 20)), 0, 0, colour, 0);
        }
    };
    auto frame = [&] {
        for (int t = 0; t < 4; ++t) {
            dev->Gfx_BeginScene(targets[t]);
            dev->Gfx_Clear(0xFF102030);
            draw(20, 10, t * 20, 480, 270);
            dev->Gfx_EndScene(false);
        }
        dev->Gfx_BeginScene(nullptr);
        dev->Gfx_Clear(0xFF000000);
        for (int t = 0; t < 4; ++t)
            previews[size_t(t)]->Render(float(60 + (t % 2) * 960), float(100 + (t / 2) * 500));
        draw(116, 60, 80, 1920, 1080);  // with the previews, 200 images and 100 lines in all
        dev->Gfx_EndScene(true);
        b.Finish();
    };
    frame();  // renders the text lines into the font's cache
    const uint64_t calls0 = GpuDevice::GlCallCount();
    const auto start = Clock::now();
    for (auto _ : state)
        frame();
    SetFrameCounters(state, GpuDevice::GlCallCount() - calls0, Seconds(Clock::now() - start));
    previews.clear();
    for (HTARGET t : targets)
        dev->Target_Free(t);
}
BENCHMARK(BM_LobbyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
