// The program's shell on the real engine (started as the client starts it) with the generated
// placeholder tree: loading the whole tree as the loading screen does, and one idle lobby frame
// (CPU time of the UI thread, so the GL rasteriser's own threads are left out; heap allocations
// counted by a replaced operator new; resident memory once the lobby stands). Each prints its target beside its figure; reports only.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <string>

#include "AppStartup.h"
#include "AppWindow.h"
#include "CDXWnd.h"
#include "CGameMain.h"
#include "CWndLoading.h"
#include "CWndMain.h"
#include "CX2DEngine.h"
#include "CXFileLoad.h"
#include "alloc_count.h"
#include "platform/files.h"

namespace {

// The engine, the application object and its main window, made once for all benchmarks.
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
    g_pFileLoad = new CXFileLoad();
    if (!AppInit()) {
        state.SkipWithError("the engine did not start (run under a display)");
        return false;
    }
    g_pGameMain = new CGameMain();
    const std::string ui = platform::ProgramFolder() + "../data_ui";
    ok = g_pGameMain->Init(ui.c_str());
    if (!ok)
        state.SkipWithError("the application object did not start (is the placeholder tree built?)");
    return ok;
}

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

double ThreadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void BM_LoadPlaceholderTree(benchmark::State& state)
{
    if (!StartProgram(state))
        return;
    for (auto _ : state) {
        g_pWndMain->ChangeScreen(CWndMain::kScreenLoading);
        auto* loading = dynamic_cast<CWndLoading*>(g_pWndMain->GetCurrentScreen());
        if (!loading) {
            state.SkipWithError("no loading screen");
            return;
        }
        // The tree beside the build folder, named without "..": the scan upper-cases its paths.
        std::string folder = platform::ProgramFolder();
        folder.resize(folder.rfind('/', folder.size() - 2) + 1);
        loading->SetDataFolder(folder + "DATA_PELAGORN/");
        int frames = 0;
        while (g_pWndMain->GetHistory().back() == CWndMain::kScreenLoading && frames < 100000) {
            g_pWndMain->Update(1.0f / 60);
            ++frames;
        }
        state.counters["updates"] = frames;
        if (loading == g_pWndMain->GetCurrentScreen() || g_pWndMain->GetHistory().back() != CWndMain::kScreenLogin)
            state.SkipWithError("the loading screen did not hand over to the login");
    }
    state.SetLabel("target <= 2 s for the whole tree");
}
BENCHMARK(BM_LoadPlaceholderTree)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleLobbyFrame(benchmark::State& state)
{
    if (!StartProgram(state))
        return;
    g_pGameMain->SetMode(CGameMain::MODE_LOBBY);
    g_pWndMain->ChangeScreen(CWndMain::kScreenGame);
    if (g_pWndMain->GetHistory().back() != CWndMain::kScreenGame || !g_pWndMain->GetCurrentScreen()) {
        state.SkipWithError("no lobby screen");
        return;
    }
    for (int i = 0; i < 30; ++i)  // warm-up: text textures and caches filled
        g_pGameMain->Frame();
    long allocations = 0;
    double cpu = 0;
    for (auto _ : state) {
        StartCountingAllocations();
        const double before = ThreadCpuSeconds();
        g_pGameMain->Frame();
        cpu += ThreadCpuSeconds() - before;
        allocations += StopCountingAllocations();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_ms"] = cpu * 1000.0 / frames;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
    state.counters["rss_mb"] = ResidentMb();
    state.SetLabel("targets: cpu_ms <= 2 (UI thread; the rasteriser's threads excluded), allocs_per_frame 0, "
                   "rss_mb <= 300");
}
BENCHMARK(BM_IdleLobbyFrame)->Unit(benchmark::kMillisecond);

}  // namespace
