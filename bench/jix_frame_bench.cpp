// One Jix machine on the real device (Mesa llvmpipe under Xvfb) with the generated placeholder
// tree, during a win presentation with a coin flying: the frame of 1/60 s (1.45 game ticks, the
// last one drawn into the landscape target) and the quarter turn into the portrait target.
// Counters per frame: CPU time of the UI thread (the benchmark's own column) and heap allocations
// (counted at malloc; target 0): of the whole frame (with the engine's scene and batch calls and
// the turn) and of the game's ticks alone. Reports only.
#include <benchmark/benchmark.h>

#include <string>

#include "CDemo.h"
#include "CJix.h"
#include "CX2DTarget.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "jix/jix_test_support.h"
#include "support/alloc_count.h"
#include "support/gfx_device.h"

namespace {

// A win of 5000 (over 150000 in all) on a column of sevens, shown from stop tick 300; the round is
// put back before the presentation would end, and a new coin is launched whenever none flies.
void KeepPresenting(CDemo& d)
{
    if (d.m_nSpinPhase != 30 || d.m_nStopTick > 1500) {
        jix_test::SetBigWinOnSevens(d, 300);
        d.m_nPresentationLength = 1600;
        d.m_nExtraTicks = 300;
        d.m_anSeries[3] = 741;
    }
    if (!d.m_bFlying) {
        d.m_nLaunchHeight = 200;
        d.ChooseWalkAction();
    }
    d.m_nCredit = 1000;
    d.m_nActionJix = 4;
}

constexpr int kWarmUpFrames = 120;

struct FrameAllocations {
    long frame = 0;  // the whole frame's, the ticks' included
    long ticks = 0;  // the game's ticks alone
};

// One frame of 1/60 s into the landscape target, then the quarter turn into the portrait target.
void RunFrame(CJix& jix, CXGfxDevice& device, CXSpriteBatch& batch, FrameAllocations& counted)
{
    CDemo& d = *jix.GetEngine();
    KeepPresenting(d);
    StartCountingAllocations();
    if (device.Gfx_BeginScene(jix.m_pTarget->GetTarget())) {
        batch.Begin(CXSPRITE_ALPHABLEND);
        counted.frame += StopCountingAllocations();
        StartCountingAllocations();
        jix.RunFrame(1.0f / 60.0f);
        const long tick = StopCountingAllocations();
        counted.ticks += tick;
        counted.frame += tick;
        StartCountingAllocations();
        batch.End();
        device.Gfx_EndScene(false);
    }
    if (device.Gfx_BeginScene(nullptr)) {
        jix.DrawTarget();
        device.Gfx_EndScene(false);
    }
    counted.frame += StopCountingAllocations();
}

void BM_WinPresentationWithACoinFlying(benchmark::State& state)
{
    std::string error;
    CXGfxDevice* device = test_support::StartGfxDevice(1280, 768, false, error);
    if (!device) {
        state.SkipWithError(error.c_str());
        return;
    }
    {
        CJix jix(nullptr, 0, true);
        if (!jix.Initialize(nullptr, false)) {
            state.SkipWithError("the Jix game did not start");
        } else {
            CDemo& d = *jix.GetEngine();
            d.m_nEngineState = CDemo::kEngineGame;
            CXSpriteBatch* batch = EngineGetSpriteBatch();
            FrameAllocations warmUp;
            // The GL driver compiles its shader variants on the first frames that need them.
            for (int i = 0; i < kWarmUpFrames; ++i)
                RunFrame(jix, *device, *batch, warmUp);
            FrameAllocations counted;
            long frames = 0;
            for (auto _ : state) {
                RunFrame(jix, *device, *batch, counted);
                ++frames;
            }
            state.counters["allocs_per_frame"] =
                frames ? double(counted.frame) / double(frames) : 0.0;
            state.counters["allocs_target"] = 0;
            state.counters["tick_allocs"] = frames ? double(counted.ticks) / double(frames) : 0.0;
        }
    }
    test_support::StopGfxDevice(device);
}
BENCHMARK(BM_WinPresentationWithACoinFlying)->Unit(benchmark::kMicrosecond);

}  // namespace
