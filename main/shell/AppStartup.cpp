#include "AppStartup.h"

#include <cstdlib>

#include "AppWindow.h"
#include "Base/CXLog.h"
#include "CDXWnd.h"
#include "CGameMain.h"
#include "CX2DEngine.h"
#include "CXFileLoad.h"
#include "KoreanLocale.h"
#include "NetClientGlobal.h"
#include "platform/clock.h"
#include "platform/crash.h"

namespace {

StartupTrace s_trace = nullptr;

void Trace(const char* step)
{
    if (s_trace)
        s_trace(step);
}

LRESULT AppWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return g_pGameMain ? g_pGameMain->WndProc(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace

void SetStartupTrace(StartupTrace trace)
{
    s_trace = trace;
}

bool AppInit()
{
    g_nVirtualWidth = 1920;
    g_nVirtualHeight = 1080;
    g_fLayoutScaleX = g_fLayoutScaleY = 1.0f;
    g_nBackBufferWidth = 1280;
    g_nBackBufferHeight = 720;

    CX2DInitParam p;
    p.pFrameFunc = OnEngineFrame;
    p.pLostFunc = OnEngineDeviceLost;
    p.pRestoreFunc = OnEngineDeviceReset;
    p.pWndProcHook = AppWndProc;
    p.pszTitle = "Brisvane";
    p.nScreenWidth = g_nVirtualWidth;
    p.nScreenHeight = g_nVirtualHeight;
    p.nBPP = 32;
    p.nWindowWidth = g_nBackBufferWidth;
    p.nWindowHeight = g_nBackBufferHeight;
    p.bFullScreen = 0;
    p.bRunInactive = 1;
    p.nFrameRate = 60;
    p.dwStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    p.dwExStyle = WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
    p.bRunInactiveFirst = 1;
    HWND hwnd = CX2DInit(p, 4);
    if (!hwnd) {
        CX_LOG_ERROR("AppInit", "CX2DInit fail.");
        return false;
    }
    g_hWndMain = hwnd;
    platform::SetForegroundWindow(hwnd);
    platform::GetWindowRect(hwnd, &g_rcWindow);
    RECT client;
    if (platform::GetClientRect(hwnd, &client) && client.right > 0 && client.bottom > 0) {
        g_fPointerScaleX = 1920.0f / static_cast<float>(client.right);
        g_fPointerScaleY = 1080.0f / static_cast<float>(client.bottom);
    }
    return true;
}

bool InitGame()
{
    platform::ShowCursor(false);
    platform::SleepMs(100);
    g_pGameMain = new CGameMain();
    if (!g_pGameMain->Init())
        return false;
    EngineSetSoundOff(false);
    return true;
}

bool OnEngineFrame()
{
    if (g_pGameMain)
        g_pGameMain->Frame();
    return false;
}

bool OnEngineDeviceLost()
{
    if (g_pGameMain)
        g_pGameMain->OnDeviceLost();
    return true;
}

bool OnEngineDeviceReset()
{
    if (g_pGameMain)
        g_pGameMain->RestoreDevice();
    return false;
}

int RunClient()
{
    Trace("crash report");
    platform::InstallCrashReport();
    Trace("seed");
    std::srand(static_cast<unsigned>(platform::PerformanceCounter() & 0xFFFFFFFFu));
    Trace("logs");
    CXLog::SystemLog().OpenLogFile("PG");
    CXLog::ErrorLog().OpenLogFile("PG");
    Trace("locale");
    if (!SetKoreanLocale())
        CX_LOG_SYSTEM("RunClient", "no Korean or UTF-8 locale; the C locale stays.");
    Trace("file registry");
    if (!g_pFileLoad)
        g_pFileLoad = new CXFileLoad();
    Trace("engine");
    if (AppInit()) {
        Trace("application");
        if (InitGame()) {
            Trace("main loop");
            EngineMainLoop();
        }
    }
    Trace("delete file registry");
    delete g_pFileLoad;
    g_pFileLoad = nullptr;
    Trace("stop channels");
    EngineStopAllChannels();
    Trace("delete application");
    delete g_pGameMain;
    g_pGameMain = nullptr;
    Trace("engine shutdown");
    EngineShutdown();
    g_hWndMain = nullptr;
    Trace("network client");
    ReleaseNetClient();
    Trace("end");
    platform::RemoveCrashReport();
    return 0;
}
