// The engine facade: start-up and shutdown around the graphics device, the subclass window
// procedure, the "Random" worker thread and the free functions the program calls.

#include "CX2DEngine.h"

#include <cstring>
#include <memory>

#include "CX2DImm.h"
#include "CX2DPack.h"
#include "CXAutoLock.h"
#include "CXLibStartup.h"
#include "CXLockFast.h"
#include "CXRandom.h"
#include "CXSpriteBatch.h"
#include "CXThread.h"

namespace {

// Advances the shared random source every 50 ms, so that EngineRandom's values depend on timing.
class CX2DRandom final : public CXThread {
public:
    ~CX2DRandom() override { Stop(); }

    int OnThreadLoop() override
    {
        CXAutoLock lock(&m_Lock);
        m_Random.Next();
        return LOOP_CONTINUE;
    }

    uint32_t Next()
    {
        CXAutoLock lock(&m_Lock);
        return m_Random.Next();
    }

private:
    CXLockFast m_Lock;
    CXRandom m_Random;
};

constexpr uint32_t kRandomIntervalMs = 50;

CXGfxDevice* g_pEngineDevice = nullptr;
WNDPROC g_pfnOldWndProc = nullptr;
TextFont g_hEngineFont = nullptr;
bool g_bSoundOff = false;
std::unique_ptr<CX2DRandom> g_pRandomThread;

TextFont CreateDefaultFont()
{
    TextFontDesc desc;
    // 9 points at 96 logical pixels per inch, as a character height.
    desc.height = -(96 * 90 / 720);
    desc.quality = TEXT_QUALITY_ANTIALIASED;
    std::strncpy(desc.faceName, "굴림", sizeof desc.faceName - 1);
    return platform::CreateFont(desc);
}

}  // namespace

HWND CX2DInit(const CX2DInitParam& p, int extraSoundGroups)
{
    CXLibStartup();
    EngineShutdown();
    EngineInit();
    g_pEngineDevice = CreateGfxDevice(CXGfxDevice::kInterfaceVersion);
    if (!g_pEngineDevice)
        return nullptr;
    CXGfxDevice& d = *g_pEngineDevice;
    d.System_SetState(GFX_STATE_RUN_INACTIVE, p.bRunInactiveFirst != 0);
    d.System_SetState(GFX_STATE_FRAME_CALLBACK, p.pFrameFunc);
    d.System_SetState(GFX_STATE_LOST_CALLBACK, p.pLostFunc);
    d.System_SetState(GFX_STATE_RESTORE_CALLBACK, p.pRestoreFunc);
    if (p.pExitFunc)
        d.System_SetState(GFX_STATE_EXIT_CALLBACK, p.pExitFunc);
    if (p.pWndProcHook)
        d.System_SetState(GFX_STATE_WNDPROC_HOOK, p.pWndProcHook);
    if (p.pszIcon)
        d.System_SetState(GFX_STATE_ICON, p.pszIcon);
    if (p.pszTitle)
        d.System_SetState(GFX_STATE_TITLE, p.pszTitle);
    d.System_SetState(GFX_STATE_SCREEN_WIDTH, static_cast<int>(p.nScreenWidth));
    d.System_SetState(GFX_STATE_SCREEN_HEIGHT, static_cast<int>(p.nScreenHeight));
    d.System_SetState(GFX_STATE_SCREEN_BPP, static_cast<int>(p.nBPP));
    d.System_SetState(GFX_STATE_WINDOW_WIDTH, static_cast<int>(p.nWindowWidth));
    d.System_SetState(GFX_STATE_WINDOW_HEIGHT, static_cast<int>(p.nWindowHeight));
    d.System_SetState(GFX_STATE_WINDOWED, p.bFullScreen == 0);
    d.System_SetState(GFX_STATE_ZBUFFER, p.bZBuffer != 0);
    d.System_SetState(GFX_STATE_TEXTURE_FILTER, p.bPointFilter == 0);
    d.System_SetState(GFX_STATE_RUN_INACTIVE, p.bRunInactive != 0);
    d.System_SetState(GFX_STATE_RESERVED25, p.bNoReserved25 == 0);
    if (p.nSampleRate)
        d.System_SetState(GFX_STATE_SAMPLE_RATE, static_cast<int>(p.nSampleRate));
    if (p.nEffectVolume)
        d.System_SetState(GFX_STATE_EFFECT_VOLUME, static_cast<int>(p.nEffectVolume));
    if (p.nMusicVolume)
        d.System_SetState(GFX_STATE_MUSIC_VOLUME, static_cast<int>(p.nMusicVolume));
    d.System_SetState(GFX_STATE_FRAME_RATE, static_cast<int>(p.nFrameRate));
    d.System_SetState(GFX_STATE_WINDOW_STYLE, static_cast<int>(p.dwStyle));
    d.System_SetState(GFX_STATE_WINDOW_EXSTYLE, static_cast<int>(p.dwExStyle));
    d.System_SetState(GFX_STATE_CURSOR, p.hCursor);

    if (!d.System_Initiate(extraSoundGroups))
        return nullptr;
    g_hEngineFont = CreateDefaultFont();
    HWND hwnd = d.GetWindow();
    platform::SetFocus(hwnd);
    g_pfnOldWndProc = platform::SetWindowProc(hwnd, &EngineWndProc);
    // Without text input the program still runs; the failure is in the error log.
    CX2DImm::Get().OpenImm(hwnd);
    return hwnd;
}

// The string class and the pack file system compute their scrambling from the data itself; they
// have no tables to load.
void EngineInit()
{
    EngineCreatePackList();
    if (!g_pRandomThread) {
        g_pRandomThread = std::make_unique<CX2DRandom>();
        g_pRandomThread->ThreadRun("Random", 0, kRandomIntervalMs);
    }
}

void EngineShutdown()
{
    if (!g_pEngineDevice)
        return;
    CX2DImm::Get().CloseImm();
    if (g_pfnOldWndProc) {
        platform::SetWindowProc(g_pEngineDevice->GetWindow(), g_pfnOldWndProc);
        g_pfnOldWndProc = nullptr;
    }
    g_pEngineDevice->System_Shutdown();
    g_pEngineDevice->Release();
    g_pEngineDevice = nullptr;
    if (g_hEngineFont) {
        platform::DeleteFont(g_hEngineFont);
        g_hEngineFont = nullptr;
    }
    EngineDeletePackList();
    g_pRandomThread.reset();
    CXLibShutdown();
}

bool EngineMainLoop()
{
    return g_pEngineDevice && g_pEngineDevice->System_Start();
}

LRESULT EngineWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!g_pfnOldWndProc)
        return 0;
    if (WNDPROC hook = g_pEngineDevice ? g_pEngineDevice->GetWndProcHook() : nullptr) {
        const LRESULT r = hook(hwnd, msg, wParam, lParam);
        if (r != 0)
            return r;
    }
    return platform::CallWindowProc(g_pfnOldWndProc, hwnd, msg, wParam, lParam);
}

TextFont EngineGetFont()
{
    return g_hEngineFont;
}
float EngineGetDelta()
{
    return g_pEngineDevice ? g_pEngineDevice->Timer_GetDelta() : 0.0f;
}
double EngineGetTime()
{
    return g_pEngineDevice ? g_pEngineDevice->Timer_GetTotal() : 0.0;
}
int EngineGetKey()
{
    return g_pEngineDevice ? g_pEngineDevice->Input_GetKey() : 0;
}

int EngineGetKeyState(int vk)
{
    return g_pEngineDevice && g_pEngineDevice->Input_GetKeyState(vk) ? 1 : 0;
}

uint32_t EngineRandom()
{
    EngineInit();
    return g_pRandomThread->Next();
}

uint32_t RandomRange(uint32_t a, uint32_t b)
{
    if (b < a)
        std::swap(a, b);
    const uint32_t n = b - a + 1;
    // The whole 32-bit range wraps n to 0: every value is in range.
    if (n == 0)
        return EngineRandom();
    return a + EngineRandom() % n;
}

int32_t RandomRange(int32_t a, int32_t b)
{
    if (b < a)
        std::swap(a, b);
    // Up to 2^32 values: counted in 64 bits, so the whole range needs no special case.
    const int64_t n = int64_t{b} - a + 1;
    return static_cast<int32_t>(a +
                                static_cast<int64_t>(EngineRandom() % static_cast<uint64_t>(n)));
}

int EngineBeginScene(HTARGET target)
{
    return g_pEngineDevice && g_pEngineDevice->Gfx_BeginScene(target) ? 1 : 0;
}

void EngineClear(uint32_t colour)
{
    if (g_pEngineDevice)
        g_pEngineDevice->Gfx_Clear(colour);
}

bool EngineBeginSprites()
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    return batch && batch->Begin(16);
}

void EngineEndSprites()
{
    if (CXSpriteBatch* batch = EngineGetSpriteBatch())
        batch->End();
}

HTARGET EngineEndScene(bool present)
{
    return g_pEngineDevice ? g_pEngineDevice->Gfx_EndScene(present) : nullptr;
}

void EngineRenderQuad(const CXQuad& quad)
{
    if (g_pEngineDevice)
        g_pEngineDevice->Gfx_RenderQuad(quad);
}

void EngineSetTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                        float vscale)
{
    if (g_pEngineDevice)
        g_pEngineDevice->Gfx_SetTransform(x, y, dx, dy, rotation, hscale, vscale);
}

void EngineSetSoundOff(bool off)
{
    g_bSoundOff = off;
}
bool EngineIsSoundOff()
{
    return g_bSoundOff;
}

void EngineStopAllChannels()
{
    if (g_pEngineDevice)
        g_pEngineDevice->Channel_StopAll();
}

void EngineSetEffectVolume(int volume)
{
    if (g_pEngineDevice)
        g_pEngineDevice->System_SetState(GFX_STATE_EFFECT_VOLUME, volume);
}
