// The graphics device: creation and references, the state table, start-up and shutdown, the
// paced frame loop (also hosted in another window), device-loss recovery, the engine log, random
// numbers, snapshots and launching files.

#include "CXGfxDevice.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "CXGpuSink.h"
#include "CXSpriteBatch.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/image.h"
#include "platform/launch.h"
#include "platform/system_info.h"

CXGfxDevice* g_pGfxDevice = nullptr;

namespace {

constexpr uint32_t kDefaultWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr uint32_t kFullScreenStyle = WS_POPUP | WS_VISIBLE;
constexpr float kMaxDelta = 0.2f;
constexpr float kUnpacedDelta = 0.01f;

class SystemClock final : public CXGfxClock {
public:
    uint32_t Now() override { return platform::TickCount(); }
    void Sleep(uint32_t ms) override { platform::SleepMs(ms); }
};

SystemClock g_SystemClock;

void CopyText(char* dst, size_t size, const char* src)
{
    std::snprintf(dst, size, "%s", src ? src : "");
}

}  // namespace

CXGfxDevice* CreateGfxDevice(int version)
{
    if (version != CXGfxDevice::kInterfaceVersion)
        return nullptr;
    if (!g_pGfxDevice)
        g_pGfxDevice = new CXGfxDevice();
    ++g_pGfxDevice->m_nRefCount;
    return g_pGfxDevice;
}

CXGfxDevice::CXGfxDevice()
{
    m_pClock = &g_SystemClock;
    CopyText(m_szTitle, sizeof m_szTitle, "CX2D Engine");
    m_dwWindowStyle = kDefaultWindowStyle;
    for (int i = 0; i < 16; ++i)
        m_matView[i] = m_matProj[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

CXGfxDevice::~CXGfxDevice()
{
    ClearQueue();
    if (g_pGfxDevice == this)
        g_pGfxDevice = nullptr;
}

void CXGfxDevice::Release()
{
    if (--m_nRefCount > 0)
        return;
    if (m_hWnd)
        System_Shutdown();
    Resource_RemoveAllPacks();
    delete this;
}

void CXGfxDevice::SetClock(CXGfxClock* clock)
{
    m_pClock = clock ? clock : &g_SystemClock;
}

void CXGfxDevice::SetSink(CXGfxSink* sink)
{
    m_pSink = sink;
}

void CXGfxDevice::AddModule(CXGfxModule* module)
{
    if (module && std::find(m_Modules.begin(), m_Modules.end(), module) == m_Modules.end())
        m_Modules.push_back(module);
}

void CXGfxDevice::RemoveModule(CXGfxModule* module)
{
    m_Modules.erase(std::remove(m_Modules.begin(), m_Modules.end(), module), m_Modules.end());
}

// --- Log and errors ------------------------------------------------------------------------

void CXGfxDevice::System_Log(const char* format, ...)
{
    if (!m_szLogFile[0] || !format)
        return;
    char line[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    // Opened and closed per line so that every line survives a crash.
    const int fd = platform::OpenAppend(m_szLogFile);
    if (fd < 0)
        return;
    platform::WriteDescriptor(fd, line, std::strlen(line));
    platform::WriteDescriptor(fd, "\n", 1);
    platform::CloseDescriptor(fd);
}

void CXGfxDevice::SetError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(m_szError, sizeof m_szError, format, args);
    va_end(args);
    System_Log("%s", m_szError);
}

// --- States --------------------------------------------------------------------------------

// Hands the state to its group; each group sets the ids it owns and ignores the others.
void CXGfxDevice::System_SetState(int id, intptr_t value)
{
    SetCallbackState(id, value);
    SetTextState(id, reinterpret_cast<const char*>(value));
    SetDisplayState(id, static_cast<int>(value));
    SetSoundState(id, static_cast<int>(value));
    SetWindowState(id, value);
}

void CXGfxDevice::SetCallbackState(int id, intptr_t value)
{
    switch (id) {
    case GFX_STATE_FRAME_CALLBACK:
        m_pFrameFunc = reinterpret_cast<CXGfxCallback>(value);
        break;
    case GFX_STATE_LOST_CALLBACK:
        m_pLostFunc = reinterpret_cast<CXGfxCallback>(value);
        break;
    case GFX_STATE_RESTORE_CALLBACK:
        m_pRestoreFunc = reinterpret_cast<CXGfxCallback>(value);
        break;
    case GFX_STATE_EXIT_CALLBACK:
        m_pExitFunc = reinterpret_cast<CXGfxCallback>(value);
        break;
    case GFX_STATE_WNDPROC_HOOK:
        m_pWndProcHook = reinterpret_cast<WNDPROC>(value);
        break;
    default:
        break;
    }
}

void CXGfxDevice::SetTextState(int id, const char* text)
{
    switch (id) {
    case GFX_STATE_ICON:
        CopyText(m_szIcon, sizeof m_szIcon, text);
        if (m_hWnd)
            ApplyIcon();
        break;
    case GFX_STATE_TITLE:
        CopyText(m_szTitle, sizeof m_szTitle, text);
        if (m_hWnd)
            platform::SetWindowTitle(m_hWnd, m_szTitle);
        break;
    case GFX_STATE_INI_FILE:
        SetIniFile(text);
        break;
    case GFX_STATE_LOG_FILE:
        SetLogFile(text);
        break;
    default:
        break;
    }
}

void CXGfxDevice::SetIniFile(const char* name)
{
    const char* path = name && *name ? Resource_MakePath(name) : nullptr;
    CopyText(m_szIniFile, sizeof m_szIniFile,
             path && std::strlen(path) < sizeof m_szIniFile ? path : "");
}

void CXGfxDevice::SetLogFile(const char* path)
{
    m_szLogFile[0] = 0;
    if (!path || !*path)
        return;
    std::string full = path[0] == '/' ? std::string(path) : platform::ProgramFolder() + path;
    full = platform::ResolvePath(full);
    if (full.size() >= sizeof m_szLogFile)
        return;
    if (platform::WriteFileAtomic(full, "", 0))
        CopyText(m_szLogFile, sizeof m_szLogFile, full.c_str());
}

void CXGfxDevice::SetDisplayState(int id, int n)
{
    switch (id) {
    case GFX_STATE_SCREEN_WIDTH:
        if (!m_bGraphics)
            m_nScreenWidth = n;
        break;
    case GFX_STATE_SCREEN_HEIGHT:
        if (!m_bGraphics)
            m_nScreenHeight = n;
        break;
    case GFX_STATE_SCREEN_BPP:
        if (!m_bGraphics)
            m_nScreenBPP = n;
        break;
    case GFX_STATE_WINDOWED:
        SetWindowed(n != 0);
        break;
    case GFX_STATE_ZBUFFER:
        if (!m_bGraphics)
            m_bZBuffer = n != 0;
        break;
    case GFX_STATE_TEXTURE_FILTER:
        m_bTextureFilter = n != 0;
        if (m_pSink && m_bGraphics) {
            Flush(false);
            m_pSink->SetSampler(m_bTextureFilter);
        }
        break;
    case GFX_STATE_RESERVED14:
        m_nReserved14 = n;
        break;
    case GFX_STATE_FRAME_RATE:
        if (!InScene())
            ApplyFrameRate(n);
        break;
    case GFX_STATE_RUN_INACTIVE:
        m_bRunInactive = n != 0;
        break;
    case GFX_STATE_RESERVED25:
        m_nReserved25 = n;
        break;
    default:
        break;
    }
}

void CXGfxDevice::SetWindowed(bool windowed)
{
    // A hosted window is always windowed.
    if (InScene() || m_hParent || m_bWindowed == windowed)
        return;
    m_bWindowed = windowed;
    if (m_bGraphics && m_hWnd) {
        ApplyWindowMode();
        ReplayLoss();
    }
}

void CXGfxDevice::SetSoundState(int id, int n)
{
    switch (id) {
    case GFX_STATE_USE_SOUND:
        if (m_bUseSound == (n != 0))
            break;
        m_bUseSound = n != 0;
        // With a window the sound objects follow at once (one extra group, as the engine's own).
        if (m_hWnd && m_bUseSound)
            InitSound(1);
        else if (m_hWnd)
            FreeSound();
        break;
    case GFX_STATE_SAMPLE_RATE:
        m_nSampleRate = n;
        break;
    case GFX_STATE_EFFECT_VOLUME:
        m_nEffectVolume = n;
        break;
    case GFX_STATE_MUSIC_VOLUME:
        m_nMusicVolume = n;
        break;
    default:
        break;
    }
}

void CXGfxDevice::SetWindowState(int id, intptr_t value)
{
    const int n = static_cast<int>(value);
    switch (id) {
    case GFX_STATE_PARENT_WINDOW:
        if (!m_hWnd)
            m_hParent = reinterpret_cast<HWND>(value);
        break;
    case GFX_STATE_WINDOW_STYLE:
        m_dwWindowStyle = n ? static_cast<uint32_t>(n) : kDefaultWindowStyle;
        break;
    case GFX_STATE_WINDOW_EXSTYLE:
        m_dwWindowExStyle = static_cast<uint32_t>(n);
        break;
    case GFX_STATE_CURSOR:
        m_hCursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GFX_STATE_WINDOW_WIDTH:
        m_nWindowWidth = n;
        break;
    case GFX_STATE_WINDOW_HEIGHT:
        m_nWindowHeight = n;
        break;
    default:
        break;
    }
}

intptr_t CXGfxDevice::System_GetState(int id) const
{
    switch (id) {
    case GFX_STATE_FRAME_CALLBACK:
        return reinterpret_cast<intptr_t>(m_pFrameFunc);
    case GFX_STATE_LOST_CALLBACK:
        return reinterpret_cast<intptr_t>(m_pLostFunc);
    case GFX_STATE_RESTORE_CALLBACK:
        return reinterpret_cast<intptr_t>(m_pRestoreFunc);
    case GFX_STATE_EXIT_CALLBACK:
        return reinterpret_cast<intptr_t>(m_pExitFunc);
    case GFX_STATE_ICON:
        return m_szIcon[0] ? reinterpret_cast<intptr_t>(m_szIcon) : 0;
    case GFX_STATE_TITLE:
        return reinterpret_cast<intptr_t>(m_szTitle);
    case GFX_STATE_SCREEN_WIDTH:
        return m_nScreenWidth;
    case GFX_STATE_SCREEN_HEIGHT:
        return m_nScreenHeight;
    case GFX_STATE_SCREEN_BPP:
        return m_nScreenBPP;
    case GFX_STATE_WINDOWED:
        return m_bWindowed;
    case GFX_STATE_ZBUFFER:
        return m_bZBuffer;
    case GFX_STATE_TEXTURE_FILTER:
        return m_bTextureFilter;
    case GFX_STATE_RESERVED14:
        return m_nReserved14;
    case GFX_STATE_INI_FILE:
        return m_szIniFile[0] ? reinterpret_cast<intptr_t>(m_szIniFile) : 0;
    case GFX_STATE_LOG_FILE:
        return m_szLogFile[0] ? reinterpret_cast<intptr_t>(m_szLogFile) : 0;
    case GFX_STATE_USE_SOUND:
        return m_bUseSound;
    case GFX_STATE_SAMPLE_RATE:
        return m_nSampleRate;
    case GFX_STATE_EFFECT_VOLUME:
        return m_nEffectVolume;
    case GFX_STATE_MUSIC_VOLUME:
        return m_nMusicVolume;
    case GFX_STATE_FRAME_RATE:
        return m_nFrameRate;
    case GFX_STATE_RUN_INACTIVE:
        return m_bRunInactive;
    case GFX_STATE_RESERVED25:
        return m_nReserved25;
    case GFX_STATE_HWND:
        return reinterpret_cast<intptr_t>(m_hWnd);
    case GFX_STATE_PARENT_WINDOW:
        return reinterpret_cast<intptr_t>(m_hParent);
    case GFX_STATE_WINDOW_STYLE:
        return m_dwWindowStyle;
    case GFX_STATE_WINDOW_EXSTYLE:
        return m_dwWindowExStyle;
    case GFX_STATE_CURSOR:
        return reinterpret_cast<intptr_t>(m_hCursor);
    default:
        return 0;
    }
}

void CXGfxDevice::ApplyFrameRate(int rate)
{
    const bool wasVSync = m_nFrameRate <= -1;
    m_nFrameRate = rate;
    if (rate > 0) {
        m_dwFrameInterval = static_cast<uint32_t>(1000 / rate);
        m_fFixedDelta = 1.0f / static_cast<float>(rate);
    } else {
        m_dwFrameInterval = 0;
        m_fFixedDelta = 0.0f;
    }
    if (m_bGraphics && wasVSync != (rate <= -1)) {
        if (m_pGpu)
            m_pGpu->SetVSync(rate <= -1);
        ReplayLoss();
    }
}

void CXGfxDevice::ApplyWindowMode()
{
    // Full screen is a borderless topmost window over the desktop; windowed mode returns to the
    // rectangle it had before.
    if (!m_bWindowed)
        platform::GetWindowRect(m_hWnd, &m_rcWindow);
    platform::SetWindowStyle(m_hWnd, m_bWindowed ? m_dwWindowStyle : kFullScreenStyle);
    platform::SetWindowExStyle(m_hWnd, m_bWindowed ? (m_dwWindowExStyle & ~WS_EX_TOPMOST)
                                                   : (m_dwWindowExStyle | WS_EX_TOPMOST));
    if (m_bWindowed)
        platform::MoveWindow(m_hWnd, m_rcWindow.left, m_rcWindow.top,
                             m_rcWindow.right - m_rcWindow.left,
                             m_rcWindow.bottom - m_rcWindow.top);
    else
        platform::MoveWindow(m_hWnd, 0, 0, platform::GetSystemMetrics(SM_CXSCREEN),
                             platform::GetSystemMetrics(SM_CYSCREEN));
}

void CXGfxDevice::ReplayLoss()
{
    ReleaseDeviceObjects();
    if (m_pLostFunc)
        m_pLostFunc();
    RestoreRoutine();
}

// --- Start-up and shutdown -----------------------------------------------------------------

// Logs the start, opens the window, then starts graphics, modules and sound; shuts down on failure.
bool CXGfxDevice::System_Initiate(int soundGroups)
{
    LogStartBanner();
    if (m_hWnd) {
        SetError("System_Initiate: already initiated");
        return false;
    }
    if (!CreateMainWindow())
        return false;
    platform::TimeBeginPeriod(1);
    Random_Seed(0);
    if (!StartSubsystems(soundGroups)) {
        System_Shutdown();
        return false;
    }
    System_Log("Init done.\n");
    ResetFrameTiming();
    return true;
}

void CXGfxDevice::LogStartBanner()
{
    const platform::LocalTime t = platform::LocalTimeNow();
    System_Log("CXGfxDevice Started..\n");
    System_Log("CXGfxDevice version: %X.%X", 0, kInterfaceVersion);
    System_Log("Date: %02d.%02d.%d, %02d:%02d:%02d\n", t.nDay, t.nMonth, t.nYear, t.nHour,
               t.nMinute, t.nSecond);
    System_Log("Application: %s", m_szTitle);
    const platform::OsVersion os = platform::GetOsVersion();
    System_Log("OS: Linux %ld.%ld.%ld", os.major, os.minor, os.build);
    const platform::MemoryStatus memory = platform::GetMemoryStatus();
    System_Log("Memory: %ldK total, %ldK free\n", memory.totalKB, memory.freeKB);
}

bool CXGfxDevice::CreateMainWindow()
{
    m_hWnd = platform::CreateWindow(MainWindowInfo());
    if (!m_hWnd) {
        SetError("Can't create window: %s", platform::GetLastWindowError());
        return false;
    }
    ApplyIcon();
    if (!m_hCursor)
        m_hCursor = platform::LoadArrowCursor();
    platform::UpdateWindow(m_hWnd);
    platform::ShowWindow(m_hWnd, true);
    return true;
}

WindowCreateInfo CXGfxDevice::MainWindowInfo()
{
    const int screenW = platform::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = platform::GetSystemMetrics(SM_CYSCREEN);
    const int clientW = m_nWindowWidth > 0 ? m_nWindowWidth : screenW;
    const int clientH = m_nWindowHeight > 0 ? m_nWindowHeight : screenH;

    WindowCreateInfo info;
    info.title = m_szTitle;
    info.proc = &CXGfxDevice::WindowProc;
    // The centred windowed rectangle, also where a full-screen start returns to.
    const int outerW = clientW + 2 * platform::GetSystemMetrics(SM_CXDLGFRAME);
    const int outerH = clientH + 2 * platform::GetSystemMetrics(SM_CYDLGFRAME) +
                       platform::GetSystemMetrics(SM_CYCAPTION);
    m_rcWindow.left = (screenW - outerW) / 2;
    m_rcWindow.top = (screenH - outerH) / 2;
    m_rcWindow.right = m_rcWindow.left + outerW;
    m_rcWindow.bottom = m_rcWindow.top + outerH;
    if (m_hParent) {
        // Hosted: a child filling (0, 0, width, height) of the host, always windowed.
        m_bWindowed = true;
        info.parent = m_hParent;
        info.style = WS_CHILD | WS_VISIBLE;
        info.exStyle = m_dwWindowExStyle;
        info.width = clientW;
        info.height = clientH;
    } else if (m_bWindowed) {
        info.style = m_dwWindowStyle;
        info.exStyle = m_dwWindowExStyle;
        info.x = m_rcWindow.left;
        info.y = m_rcWindow.top;
        info.width = outerW;
        info.height = outerH;
    } else {
        info.style = kFullScreenStyle;
        info.exStyle = m_dwWindowExStyle | WS_EX_TOPMOST;
        info.width = screenW;
        info.height = screenH;
    }
    return info;
}

bool CXGfxDevice::StartSubsystems(int soundGroups)
{
    if (!InitiateGraphics())
        return false;
    for (CXGfxModule* module : m_Modules)
        if (!module->OnStartup(*this))
            return false;
    return !m_bUseSound || InitSound(soundGroups);
}

void CXGfxDevice::ResetFrameTiming()
{
    m_dTotalTime = 0.0;
    m_fDeltaTime = 0.0f;
    m_dwLastFrame = m_dwFPSSample = m_pClock->Now();
    m_nFrameCounter = 0;
    m_dwElapsed = 0;
    m_nFPS = 0;
}

bool CXGfxDevice::InitiateGraphics()
{
    Texture_StartUp();
    if (!m_pSink) {
        m_pGpu = GpuDevice::Create(m_hWnd, m_nScreenWidth, m_nScreenHeight);
        if (!m_pGpu) {
            SetError("Can't create D3D device: %s", GpuDevice::LastError());
            return false;
        }
        System_Log("D3D Driver: %s", m_pGpu->RendererName());
        m_pGpu->SetVSync(m_nFrameRate <= -1);
        m_pOwnSink = std::make_unique<CXGpuSink>(*m_pGpu);
        m_pSink = m_pOwnSink.get();
        m_pGpu->SetTextureHook(
            [this](GpuTexture* t, bool released) { Gfx_TextureChanging(t, released); });
    }
    m_pSpriteBatch = std::make_unique<CXSpriteBatch>();
    m_pSpriteBatch->Create(this);
    EngineSetSpriteBatch(m_pSpriteBatch.get());
    m_nScreenBPP = 32;
    System_Log("Mode: %d x %d x %s\n", m_nScreenWidth, m_nScreenHeight, "X8R8G8B8");
    m_pTargets = nullptr;
    m_pCurTarget = nullptr;
    m_bGraphics = true;
    m_bDeviceReady = true;
    m_bLossHandled = false;
    if (!RestoreDeviceObjects())
        return false;
    if (Gfx_BeginScene(nullptr)) {
        Gfx_Clear(0);
        Gfx_EndScene(true);
    }
    return true;
}

void CXGfxDevice::System_Shutdown()
{
    System_Log("%s", "");
    System_Log("Finishing..");
    platform::TimeEndPeriod(1);
    ClearQueue();
    FreeSound();
    if (m_bGraphics) {
        Texture_ShutDown();
        m_pSpriteBatch.reset();  // unregisters itself
        for (auto it = m_Modules.rbegin(); it != m_Modules.rend(); ++it)
            (*it)->OnShutdown(*this);
        while (m_pTargets)
            Target_Free(m_pTargets);
        m_pVertices = nullptr;
    }
    m_bGraphics = false;
    m_pSink = m_pOwnSink.get() == m_pSink ? nullptr : m_pSink;
    m_pOwnSink.reset();
    m_pGpu.reset();
    if (m_hWnd) {
        platform::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    platform::DestroyRetiredWindows();
    System_Log("The End.");
}

// --- Device loss ---------------------------------------------------------------------------

void CXGfxDevice::ReleaseDeviceObjects()
{
    if (!m_pSink)
        return;
    if (m_pVertices) {
        m_pSink->UnlockVertices();
        m_pVertices = nullptr;
    }
    for (CXRenderTarget* t = m_pTargets; t; t = t->pNext) {
        if (t->pTexture)
            m_pSink->DestroyTexture(t->pTexture);
        if (t->pDepth)
            m_pSink->DestroyDepth(t->pDepth);
        t->pTexture = nullptr;
        t->pDepth = nullptr;
    }
    m_pCurTarget = nullptr;
    if (m_pSpriteBatch)
        m_pSpriteBatch->OnLostDevice();
    for (CXGfxModule* module : m_Modules)
        module->OnDeviceLost(*this);
}

bool CXGfxDevice::CreateTargetObjects(CXRenderTarget* target)
{
    // A target keeps the format it was made with, so a restore gives back the same kind.
    target->pTexture = m_pSink->CreateRenderTarget(
        target->nWidth, target->nHeight, target->dwFormat ? target->dwFormat : GPU_FORMAT_X8R8G8B8);
    if (!target->pTexture) {
        SetError("Can't create render target texture");
        return false;
    }
    if (target->bZBuffer) {
        target->pDepth = m_pSink->CreateDepth(target->nWidth, target->nHeight);
        if (!target->pDepth) {
            m_pSink->DestroyTexture(target->pTexture);
            target->pTexture = nullptr;
            SetError("Can't create render target depth buffer");
            return false;
        }
    }
    return true;
}

bool CXGfxDevice::RestoreDeviceObjects()
{
    if (!m_pSink)
        return false;
    bool ok = true;
    for (CXRenderTarget* t = m_pTargets; t; t = t->pNext)
        if (!t->pTexture && !CreateTargetObjects(t))
            ok = false;
    m_pSink->SetFixedStates(m_bTextureFilter);
    m_pSink->SetRenderTarget(nullptr, nullptr);
    m_pSink->SetDepthTest(m_bZBuffer);
    m_nPrim = 0;
    m_nCurPrimType = CXPRIM_QUADS;
    m_dwCurBlendMode = BLEND_DEFAULT;
    m_pCurTexture = nullptr;
    m_pCurTarget = nullptr;
    for (int i = 0; i < 16; ++i)
        m_matView[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    m_pSink->SetView(m_matView);
    SetProjectionFor(m_nScreenWidth, m_nScreenHeight);
    if (m_pSpriteBatch)
        m_pSpriteBatch->OnResetDevice();
    for (CXGfxModule* module : m_Modules)
        module->OnDeviceRestore(*this);
    return ok;
}

bool CXGfxDevice::RestoreRoutine()
{
    if (!m_pSink || m_pSink->TestCooperativeLevel() != GpuStatus::Ok)
        return false;
    RestoreDeviceObjects();
    if (m_pRestoreFunc)
        m_pRestoreFunc();
    return true;
}

bool CXGfxDevice::CheckDevice()
{
    if (!m_pSink || !m_bGraphics) {
        m_bDeviceReady = false;
        return false;
    }
    const GpuStatus status = m_pSink->TestCooperativeLevel();
    if (status == GpuStatus::Ok) {
        m_bDeviceReady = true;
        return true;
    }
    m_bDeviceReady = false;
    if (!m_bLossHandled) {
        ReleaseDeviceObjects();
        if (m_pLostFunc)
            m_pLostFunc();
        m_bLossHandled = true;
    }
    if (status == GpuStatus::NotReset && m_pSink->Reset()) {
        if (!RestoreRoutine())
            return false;
        m_bDeviceReady = true;
        m_bLossHandled = false;
    }
    return m_bDeviceReady;
}

// --- Frame loop ----------------------------------------------------------------------------

void CXGfxDevice::System_SetSingleStep()
{
    m_bSingleStep = true;
}

bool CXGfxDevice::System_Start()
{
    if (!m_hWnd) {
        SetError("System_Start: System_Initiate wasn't called");
        return false;
    }
    if (!m_pFrameFunc) {
        SetError("System_Start: No frame function defined");
        return false;
    }
    m_bActive = true;
    // Hosted: the host pumps the messages, and each call runs exactly one frame.
    const bool hosted = m_hParent != nullptr;
    // Single-step (set before or during a frame): no further pass.
    while (!m_bSingleStep && platform::IsWindow(m_hWnd)) {
        MSG msg;
        if (!hosted && platform::PeekMessage(&msg, true)) {
            if (msg.message == WM_QUIT)
                break;
            platform::TranslateMessage(&msg);
            platform::DispatchMessage(&msg);
            continue;
        }
        if (!m_bActive && !m_bRunInactive) {
            m_pClock->Sleep(100);
            continue;
        }
        // At least 1 ms between frames.
        while (m_pClock->Now() - m_dwLastFrame < 1)
            ;
        m_dwElapsed = m_pClock->Now() - m_dwLastFrame;
        if (m_dwElapsed >= m_dwFrameInterval) {
            m_fDeltaTime = static_cast<float>(m_dwElapsed) / 1000.0f;
            if (m_fDeltaTime > kMaxDelta)
                m_fDeltaTime = m_dwFrameInterval ? static_cast<float>(m_dwFrameInterval) / 1000.0f
                                                 : kUnpacedDelta;
            m_dTotalTime += m_fDeltaTime;
            m_dwLastFrame = m_pClock->Now();
            if (m_dwLastFrame - m_dwFPSSample >= 1000) {
                m_nFPS = m_nFrameCounter;
                m_nFrameCounter = 0;
                m_dwFPSSample = m_dwLastFrame;
            } else {
                ++m_nFrameCounter;
            }
            CheckDevice();
            const bool stop = m_pFrameFunc();
            ClearQueue();
            if (stop || hosted)
                break;
            if (!m_bWindowed && m_nFrameRate == -1)
                m_pClock->Sleep(1);
        } else if (m_dwFrameInterval && m_dwElapsed + 3 < m_dwFrameInterval) {
            m_pClock->Sleep(1);
        }
    }
    ClearQueue();
    m_bActive = false;
    return true;
}

void CXGfxDevice::ResizeHosted(int width, int height)
{
    if (!m_bGraphics || width <= 0 || height <= 0)
        return;
    if (m_pLostFunc)
        m_pLostFunc();
    ReleaseDeviceObjects();
    if (m_pGpu && !m_pGpu->ResizeBackBuffer(width, height)) {
        System_Log("Can't resize the back buffer to %d x %d", width, height);
    } else {
        m_nScreenWidth = width;
        m_nScreenHeight = height;
    }
    RestoreRoutine();
}

// --- Window icon and launching -------------------------------------------------------------

void CXGfxDevice::ApplyIcon()
{
    if (!m_szIcon[0] || !m_hWnd)
        return;
    uint32_t size = 0;
    void* data = Resource_Load(m_szIcon, &size);
    ImageData image;
    std::string reason;
    const bool decoded = data && platform::DecodeImage(data, size, 0, image, &reason);
    Resource_Free(data);
    if (!decoded || !platform::SetWindowIcon(m_hWnd, image.width, image.height, image.argb.data()))
        System_Log("Can't set window icon: %s %s", m_szIcon, data ? reason.c_str() : "(not found)");
}

bool CXGfxDevice::System_Launch(const char* file)
{
    return file && platform::OpenWithDesktop(file);
}

// --- Random numbers ------------------------------------------------------------------------

uint32_t CXGfxDevice::Random_Seed(uint32_t seed)
{
    m_dwSeed = seed ? seed : m_pClock->Now();
    return m_dwSeed;
}

int CXGfxDevice::Random_Int(int a, int b)
{
    m_dwSeed = m_dwSeed * 214013u + 2531011u;
    // An empty or inverted range has no values to draw from: a.
    if (b <= a)
        return a;
    const uint32_t range = static_cast<uint32_t>(static_cast<int64_t>(b) - a + 1);
    const uint32_t r = m_dwSeed ^ (m_dwSeed >> 15);
    return static_cast<int>(static_cast<int64_t>(a) + (range ? r % range : r));
}

float CXGfxDevice::Random_Float(float a, float b)
{
    m_dwSeed = m_dwSeed * 214013u + 2531011u;
    return static_cast<float>(m_dwSeed >> 16) * 1.5259022e-5f * (b - a) + a;
}

// --- Snapshot ------------------------------------------------------------------------------

bool CXGfxDevice::System_Snapshot(const char* file)
{
    if (!m_pGpu)
        return false;
    std::string path;
    if (file && *file) {
        path = file;
    } else {
        // The first free number, so an earlier shot is never overwritten.
        const std::string folder = platform::ProgramFolder();
        for (int i = 0; i < 1000 && path.empty(); ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "shot%03d.bmp", i);
            if (!platform::FileExists(folder + name))
                path = folder + name;
        }
        if (path.empty())
            return false;
    }
    GpuTexture* back = m_pGpu->BackBuffer();
    const int w = GpuDevice::TextureWidth(back);
    const int h = GpuDevice::TextureHeight(back);
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    if (!m_pGpu->ReadPixels(back, nullptr, pixels.data()))
        return false;
    return platform::SaveBmp(path.c_str(), w, h, pixels.data(), w * 4);
}
