// The program's shell on the real engine (started as the client starts it, with its games) over the
// generated placeholder tree, in the order a player meets it:
// - loading the whole tree, in the engine's own paced frame loop, from the loading screen's first
//   frame to the login panel; then the login panel alone in that loop (a loading frame's floor);
// - entering the lobby: the lobby screen made, its four decks given their games, and its first
//   frame drawn and finished;
// - one idle lobby frame (CPU time of the UI thread, so the GL rasteriser's own threads are left
//   out; heap allocations of the UI thread, the GL driver's included), and resident memory with its
//   shares once the lobby stands;
// - the idle lobby in the paced frame loop: frames per second and CPU-seconds per second of the
//   whole process.
// Each prints its target beside its figure; reports only.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "AppStartup.h"
#include "AppWindow.h"
#include "CDXWnd.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CGameMain.h"
#include "CJix.h"
#include "CMorvane.h"
#include "CPelagorn.h"
#include "CWndLoading.h"
#include "CWndMain.h"
#include "CX2DEngine.h"
#include "CXFileLoad.h"
#include "CXGfxDevice.h"
#include "GameFactory.h"
#include "MachineTable.h"
#include "platform/files.h"
#include "support/alloc_count.h"

namespace {

double Seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
double WallSeconds()
{
    return Seconds(CLOCK_MONOTONIC);
}

double g_startSeconds = 0;     // engine start and the application object's Init
double g_startCpuSeconds = 0;  // the same, CPU time of the UI thread

// The engine, the application object and its main window, made once for all benchmarks, in the
// benchmark's folder, where the build links the generated data folders.
bool StartProgram(benchmark::State& state)
{
    static bool started = false;
    static bool ok = false;
    if (started) {
        if (!ok)
            state.SkipWithError("the program did not start");
        return ok;
    }
    started = true;
    if (chdir(platform::ProgramFolder().c_str()) != 0) {
        state.SkipWithError("no program folder");
        return false;
    }
    RegisterGameType(1, CreateJixGame);
    RegisterMorvaneGameType();
    RegisterPelagornGameType();
    g_pFileLoad = new CXFileLoad();
    const double start = WallSeconds(), startCpu = Seconds(CLOCK_THREAD_CPUTIME_ID);
    if (!AppInit()) {
        state.SkipWithError("the engine did not start (run under a display)");
        return false;
    }
    g_pGameMain = new CGameMain();
    ok = g_pGameMain->Init("./data_ui");
    g_startSeconds = WallSeconds() - start;
    g_startCpuSeconds = Seconds(CLOCK_THREAD_CPUTIME_ID) - startCpu;
    if (!ok)
        state.SkipWithError(
            "the application object did not start (is the placeholder tree built?)");
    return ok;
}

// Runs the engine's paced frame loop (60 frames per second, as the program sets it) until `done`
// says so or `limit` seconds have passed; returns the frames run.
bool (*g_done)() = nullptr;
double g_loopEnd = 0;
long g_loopFrames = 0;
size_t g_registered = 0;  // the most files the registry held, for the loading floor
bool BenchFrame()
{
    g_pGameMain->Frame();
    g_registered = std::max(g_registered, g_pFileLoad->GetRegisteredCount());
    ++g_loopFrames;
    return g_done() || WallSeconds() > g_loopEnd;
}
long RunPacedFrames(bool (*done)(), double limit)
{
    g_done = done;
    g_loopEnd = WallSeconds() + limit;
    g_loopFrames = 0;
    g_pGfxDevice->System_SetState(GFX_STATE_FRAME_CALLBACK, &BenchFrame);
    EngineMainLoop();
    return g_loopFrames;
}

// Waits for the GPU by reading one pixel of the back buffer.
void FinishGpu()
{
    uint32_t pixel = 0;
    const GpuRect one{0, 0, 1, 1};
    GpuDevice* gpu = g_pGfxDevice->GetGpu();
    gpu->ReadPixels(gpu->BackBuffer(), &one, &pixel);
    benchmark::DoNotOptimize(pixel);
}

bool LoginShown()
{
    return g_pWndMain->GetHistory().back() == CWndMain::kScreenLogin;
}

void BM_LoadPlaceholderTree(benchmark::State& state)
{
    if (!StartProgram(state))
        return;
    for (auto _ : state) {
        g_pWndMain->ChangeScreen(CWndMain::kScreenLoading);
        if (!dynamic_cast<CWndLoading*>(g_pWndMain->GetCurrentScreen())) {
            state.SkipWithError("no loading screen");
            return;
        }
        const double start = WallSeconds();
        const long frames = RunPacedFrames(&LoginShown, 120.0);
        const double seconds = WallSeconds() - start;
        state.SetIterationTime(seconds);
        state.counters["frames"] = static_cast<double>(frames);
        state.counters["seconds"] = seconds;
        if (!LoginShown())
            state.SkipWithError("the loading screen did not hand over to the login within 120 s");
    }
    // The floor: the scanning frame, then the registered files at 50 a frame, at 60 frames a
    // second.
    const double floorFrames = 1.0 + static_cast<double>((g_registered + 49) / 50);
    state.counters["files"] = static_cast<double>(g_registered);
    // Before the loading screen: the window, the engine and the UI images.
    state.counters["startup_s"] = g_startSeconds;
    state.counters["startup_ui_cpu_s"] = g_startCpuSeconds;
    state.counters["floor_s"] = floorFrames / 60.0;
    state.counters["vs_floor"] = state.counters["seconds"] / (floorFrames / 60.0);
    state.SetLabel("target: vs_floor <= 1.1 (floor: 50 files a frame at 60 fps)");
}
BENCHMARK(BM_LoadPlaceholderTree)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

bool Never()
{
    return false;
}

// The login panel in the paced loop, once the tree is loaded: the frame the loading screen's frames
// cost without their file work (the same full-screen passes), the floor under the loading figure.
void BM_IdleLoginPaced(benchmark::State& state)
{
    if (!StartProgram(state) || !LoginShown()) {
        state.SkipWithError("no login panel (the loading benchmark runs first)");
        return;
    }
    for (auto _ : state) {
        const double wall = WallSeconds();
        const long frames = RunPacedFrames(&Never, 3.0);
        const double seconds = WallSeconds() - wall;
        state.SetIterationTime(seconds);
        state.counters["fps"] = static_cast<double>(frames) / seconds;
        state.counters["frame_ms"] = seconds * 1000.0 / static_cast<double>(frames);
    }
    state.SetLabel("the floor of a loading frame (no target of its own)");
}
BENCHMARK(BM_IdleLoginPaced)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// Rows for the four decks with no machine of the player: each deck gets its demonstration game.
void EmptyMachineRows()
{
    for (int i = 0; i < CMachineTable::kRows; ++i) {
        g_MachineTable.m_aRows[i] = CMachineState{};
        g_MachineTable.m_aRows[i].m_nIndex = i;
    }
}

int DecksWithGames()
{
    CGameDeckList* decks = g_pGameMain->GetDeckList();
    int games = 0;
    for (int i = 0; decks && i < decks->GetCount(); ++i)
        if (decks->GetDeck(i) && decks->GetDeck(i)->GetGame())
            ++games;
    return games;
}

bool g_lobbyEntered = false;

void BM_EnterLobby(benchmark::State& state)
{
    if (!StartProgram(state))
        return;
    for (auto _ : state) {
        EmptyMachineRows();
        const double start = WallSeconds();
        g_pGameMain->SetMode(CGameMain::MODE_LOBBY);
        g_pWndMain->ChangeScreen(CWndMain::kScreenGame);
        g_pGameMain->Frame();
        FinishGpu();
        const double seconds = WallSeconds() - start;
        state.SetIterationTime(seconds);
        state.counters["seconds"] = seconds;
        state.counters["decks_with_games"] = DecksWithGames();
    }
    g_lobbyEntered =
        g_pWndMain->GetHistory().back() == CWndMain::kScreenGame && DecksWithGames() == 4;
    if (!g_lobbyEntered)
        state.SkipWithError("the lobby did not stand with four games");
    state.SetLabel(
        "target: seconds <= 0.5 from the player's data to the first lobby frame with 4 games");
}
BENCHMARK(BM_EnterLobby)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

// The process's resident memory now, in MB (VmRSS), or -1.
double ResidentMb()
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1)
            break;
    std::fclose(status);
    return kb < 0 ? -1 : static_cast<double>(kb) / 1024.0;
}

void BM_IdleLobbyFrame(benchmark::State& state)
{
    if (!StartProgram(state))
        return;
    if (!g_lobbyEntered) {
        state.SkipWithError("no lobby with four games");
        return;
    }
    for (int i = 0; i < 30; ++i)  // warm-up: text textures and caches filled
        g_pGameMain->Frame();
    long allocations = 0;
    double cpu = 0;
    for (auto _ : state) {
        StartCountingAllocations();
        const double before = Seconds(CLOCK_THREAD_CPUTIME_ID);
        g_pGameMain->Frame();
        cpu += Seconds(CLOCK_THREAD_CPUTIME_ID) - before;
        allocations += StopCountingAllocations();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = cpu * 1000.0 / frames;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
    state.SetLabel(
        "targets: cpu_ms <= 2 (UI thread; the rasteriser's threads excluded), allocs_per_frame 0");
}
BENCHMARK(BM_IdleLobbyFrame)->Unit(benchmark::kMillisecond);

void BM_LobbyMemory(benchmark::State& state)
{
    if (!StartProgram(state) || !g_lobbyEntered) {
        state.SkipWithError("no lobby with four games");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ResidentMb());
    const double mb = 1024.0 * 1024.0;
    const struct mallinfo2 heap = mallinfo2();
    const double heapMb = static_cast<double>(heap.uordblks + heap.hblkhd) / mb;
    const double texturesMb = static_cast<double>(g_pGfxDevice->GetGpu()->TextureBytes()) / mb;
    const double rss = ResidentMb();
    state.counters["rss_mb"] = rss;
    // The GL driver keeps the texture pixels in the heap: the program's own heap is the rest.
    state.counters["textures_mb"] = texturesMb;
    state.counters["program_heap_mb"] = heapMb - texturesMb;
    // Code, stacks and the driver's own mappings.
    state.counters["outside_heap_mb"] = rss - heapMb;
    state.SetLabel("target: rss_mb <= 300 with every preloaded file cached");
}
BENCHMARK(BM_LobbyMemory)->Iterations(1);

void BM_IdleLobbyPaced(benchmark::State& state)
{
    if (!StartProgram(state) || !g_lobbyEntered) {
        state.SkipWithError("no lobby with four games");
        return;
    }
    for (auto _ : state) {
        const double wall = WallSeconds(), cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
        const long frames = RunPacedFrames(&Never, 3.0);
        const double seconds = WallSeconds() - wall;
        state.SetIterationTime(seconds);
        state.counters["fps"] = static_cast<double>(frames) / seconds;
        state.counters["cpu_s_per_s"] = (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) / seconds;
    }
    state.SetLabel(
        "targets: fps at the paced 60 (the loop's 16 ms interval gives 62.5); cpu_s_per_s of the "
        "whole process");
}
BENCHMARK(BM_IdleLobbyPaced)->Iterations(1)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
