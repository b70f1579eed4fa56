// One Morvane machine during a winning spin's presentation: the reels at rest, the middle row's
// four 7 highlighted, the row bar, the win digits, panels and counters drawn on every step. The
// drawing goes to a sink that counts the draws, so the figure is the game's own work per frame
// (the GPU's is measured by the engine's benchmarks); heap allocations are counted by a replaced
// operator new. Each prints its target beside its figure; reports only.
#include <benchmark/benchmark.h>

#include <time.h>

#include "CMorvaneIO.h"
#include "CMorvaneMain.h"
#include "CMorvaneOwner.h"
#include "morvane/morvane_winning_spin.h"
#include "support/alloc_count.h"

namespace {

class Owner : public CMorvaneOwner {
public:
    int32_t GetMorvaneKind() const override { return 2; }
    int32_t GetMorvaneMachineNo() const override { return 1; }
    bool IsMorvaneStandalone() const override { return true; }
    void SetMorvaneActive() override {}
    void AddMorvaneTotals(int64_t, int64_t) override {}
    void AddMorvaneMoneyInserted(int64_t) override {}
    void ClearMorvaneTotals() override {}
};

class CountingIO : public CMorvaneIO {
public:
    uint32_t Now() override { return 100000; }
    void DrawImage(int32_t, CX2DSprite*, float, float, const MorvaneRect&) override { ++m_nDraws; }
    void DrawText(const char*, int32_t, int32_t, int32_t, uint32_t) override { ++m_nDraws; }
    void PlaySound(int32_t, CXSound*, bool) override {}
    void StopSound(int32_t, CXSound*) override {}
    long m_nDraws = 0;
};

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_WinningSpinFrame(benchmark::State& state)
{
    Owner owner;
    CountingIO io;
    CMorvaneMain main(&owner, 100, &io);
    main.m_byNetworked = 0;
    SetWinningSpinAtRest(main);
    main.m_byDrawFlag = 1;
    auto frame = [&] {
        // Held in the presentation's evaluation state: highlights on every frame.
        main.m_nWinStateStep = 1;
        main.Process();
    };
    for (int i = 0; i < 60; ++i)  // warm-up: the evaluation's lists have grown
        frame();
    long allocations = 0;
    double cpu = 0;
    io.m_nDraws = 0;
    for (auto _ : state) {
        StartCountingAllocations();
        const double before = ThreadCpuSeconds();
        frame();
        cpu += ThreadCpuSeconds() - before;
        allocations += StopCountingAllocations();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_us"] = cpu * 1e6 / frames;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
    state.counters["draws_per_frame"] = static_cast<double>(io.m_nDraws) / frames;
    state.SetLabel(
        "targets: allocs_per_frame 0 (the game's work per frame, drawing to a counting sink)");
}
BENCHMARK(BM_WinningSpinFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
