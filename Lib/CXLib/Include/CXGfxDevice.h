#pragma once
// The engine's one graphics device: window, state table, paced frame loop, device-loss recovery,
// input queue, primitive batching and render targets. Textures and resource lookup live in
// CXGfxDeviceTexture.cpp / CXGfxDeviceResource.cpp, sound in the CXDS files; each keeps its
// members in its own marked block below.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CXGfxTypes.h"
#include "CXInputEvent.h"
#include "platform/gpu.h"
#include "platform/window.h"

// State ids of System_SetState / System_GetState.
enum CXGfxState : int {
    GFX_STATE_FRAME_CALLBACK = 1,
    GFX_STATE_LOST_CALLBACK = 2,
    GFX_STATE_RESTORE_CALLBACK = 3,
    GFX_STATE_EXIT_CALLBACK = 4,
    GFX_STATE_ICON = 6,
    GFX_STATE_TITLE = 7,
    GFX_STATE_SCREEN_WIDTH = 8,
    GFX_STATE_SCREEN_HEIGHT = 9,
    GFX_STATE_SCREEN_BPP = 10,
    GFX_STATE_WINDOWED = 11,
    GFX_STATE_ZBUFFER = 12,
    GFX_STATE_TEXTURE_FILTER = 13,
    GFX_STATE_RESERVED14 = 14,
    GFX_STATE_INI_FILE = 15,
    GFX_STATE_LOG_FILE = 16,
    GFX_STATE_USE_SOUND = 18,
    GFX_STATE_SAMPLE_RATE = 19,
    GFX_STATE_EFFECT_VOLUME = 20,
    GFX_STATE_MUSIC_VOLUME = 21,
    GFX_STATE_FRAME_RATE = 23,
    GFX_STATE_RUN_INACTIVE = 24,
    GFX_STATE_RESERVED25 = 25,
    GFX_STATE_HWND = 26,
    GFX_STATE_PARENT_WINDOW = 27,
    GFX_STATE_WINDOW_STYLE = 30,
    GFX_STATE_WINDOW_EXSTYLE = 31,
    GFX_STATE_CURSOR = 32,
    GFX_STATE_WINDOW_WIDTH = 33,
    GFX_STATE_WINDOW_HEIGHT = 34,
    GFX_STATE_WNDPROC_HOOK = 35,
};

// Callbacks of states 1 to 4. The frame callback returns true to end the frame loop; the exit
// callback returns false to keep the window open.
using CXGfxCallback = bool (*)();

// Time source of the frame loop (milliseconds that wrap, and sleeps); tests put a fake in.
class CXGfxClock {
public:
    virtual ~CXGfxClock() = default;
    virtual uint32_t Now() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// Everything the batch and the scene brackets ask of the GPU. The device normally draws through
// one over GpuDevice; tests record the calls instead.
class CXGfxSink {
public:
    virtual ~CXGfxSink() = default;
    virtual GpuVertex* LockVertices() = 0;
    virtual void UnlockVertices() = 0;
    virtual void Draw(GpuPrimitive kind, int count) = 0;
    virtual void SetTexture(HTEXTURE texture) = 0;
    virtual void SetBlend(GpuBlend destination) = 0;
    virtual void SetColorOp(GpuColorOp op) = 0;
    virtual void SetDepthWrite(bool enabled) = 0;
    virtual void SetDepthTest(bool enabled) = 0;
    virtual void SetSampler(bool linear) = 0;
    // The sampler and alpha test of the sprite path (clamp, linear; drop only alpha 0) or of the
    // quad batch (wrap, the filter of SetSampler; drop alpha below 1/255).
    virtual void SetSpritePath(bool sprite) = 0;
    virtual void SetView(const float matrix[16]) = 0;
    virtual void SetProjection(const float matrix[16]) = 0;
    virtual void SetViewport(const GpuRect& rect) = 0;
    // Scissor rectangle and test; a new render target resets the rectangle to the whole target.
    virtual void SetScissorRect(const GpuRect& rect) = 0;
    virtual GpuRect GetScissorRect() = 0;
    virtual void SetScissorTest(bool enabled) = 0;
    virtual bool GetScissorTest() = 0;
    // Restores the fixed render states (blend, alpha test, colour op, sampler) of a fresh device.
    virtual void SetFixedStates(bool linearFilter) = 0;
    virtual bool SetRenderTarget(HTEXTURE colour, GpuDepth* depth) = 0;
    virtual void Clear(uint32_t argb, bool depth) = 0;
    virtual GpuStatus Present() = 0;
    virtual GpuStatus TestCooperativeLevel() = 0;
    virtual bool Reset() = 0;
    // Render-target colour textures and depth surfaces (default pool: gone after a loss).
    virtual HTEXTURE CreateRenderTarget(int width, int height, uint32_t format) = 0;
    virtual void DestroyTexture(HTEXTURE texture) = 0;
    virtual GpuDepth* CreateDepth(int width, int height) = 0;
    virtual void DestroyDepth(GpuDepth* depth) = 0;
    virtual int TextureWidth(HTEXTURE texture) = 0;
    virtual int TextureHeight(HTEXTURE texture) = 0;
};

class CXGfxDevice;

// A part of the engine with device objects of its own (texture registry, sprite batch, sound):
// the device calls it at start-up (after the GPU exists), at a device loss, after a restore and at
// shutdown (before the GPU goes), in the order the modules were added.
class CXGfxModule {
public:
    virtual ~CXGfxModule() = default;
    virtual bool OnStartup(CXGfxDevice&) { return true; }
    virtual void OnDeviceLost(CXGfxDevice&) {}
    virtual void OnDeviceRestore(CXGfxDevice&) {}
    virtual void OnShutdown(CXGfxDevice&) {}
};

// One off-screen render target; its address is the handle the engine passes around. The colour
// texture and depth surface are re-created after a device loss; the format is kept for that.
struct CXRenderTarget {
    int nWidth = 0;
    int nHeight = 0;
    uint32_t dwFormat = 0;  // as asked at creation (0 = the back-buffer format)
    bool bZBuffer = false;
    HTEXTURE pTexture = nullptr;
    GpuDepth* pDepth = nullptr;
    CXRenderTarget* pNext = nullptr;
};
using HTARGET = CXRenderTarget*;

// Render states of Gfx_GetRenderState / Gfx_SetRenderState.
constexpr uint32_t GFX_RS_SCISSORTESTENABLE = 174;

class CXGfxDevice {
public:
    static constexpr int kInterfaceVersion = 16;
    static constexpr int kMaxVertices = 4000;
    static constexpr int kMaxLines = kMaxVertices / 2;
    static constexpr int kMaxTriangles = kMaxVertices / 3;
    static constexpr int kMaxQuads = kMaxVertices / 4;

    // --- Lifetime --------------------------------------------------------------------------
    ~CXGfxDevice();
    // Drops one reference; the last one shuts down, removes every pack and deletes the device.
    void Release();

    // --- System ----------------------------------------------------------------------------
    bool System_Initiate(int soundGroups);
    void System_Shutdown();
    bool System_Start();
    void System_SetSingleStep();
    // Values are pointer-sized so that callbacks, texts and handles fit; an unknown id is ignored.
    void System_SetState(int id, intptr_t value);
    void System_SetState(int id, CXGfxCallback callback)
    {
        System_SetState(id, reinterpret_cast<intptr_t>(callback));
    }
    void System_SetState(int id, WNDPROC proc)
    {
        System_SetState(id, reinterpret_cast<intptr_t>(proc));
    }
    void System_SetState(int id, const char* text)
    {
        System_SetState(id, reinterpret_cast<intptr_t>(text));
    }
    void System_SetState(int id, HWND hwnd)
    {
        System_SetState(id, reinterpret_cast<intptr_t>(hwnd));
    }
    void System_SetState(int id, HCURSOR cursor)
    {
        System_SetState(id, reinterpret_cast<intptr_t>(cursor));
    }
    void System_SetState(int id, int value) { System_SetState(id, static_cast<intptr_t>(value)); }
    void System_SetState(int id, bool value)
    {
        System_SetState(id, static_cast<intptr_t>(value ? 1 : 0));
    }
    // 0 for an unknown id. Texts read back as a pointer to the device's copy (null when empty).
    intptr_t System_GetState(int id) const;
    const char* System_GetErrorMessage() const { return m_szError; }
    void System_Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Opens the file or address with the desktop's default program; true when that program was
    // started (not when it managed to open the target).
    bool System_Launch(const char* file);
    // Saves the back buffer as a BMP; without a name, as "shotNNN.bmp" in the program folder with
    // the first free number.
    bool System_Snapshot(const char* file);

    // --- Ini file (state 15) ---------------------------------------------------------------
    // Private-profile values: integers written "%d", floats "%f"; reads go through a 256-byte
    // text buffer. With no ini file the setters do nothing and the getters return the default, as
    // they do when the key yields no text.
    void Ini_SetInt(const char* section, const char* key, int value);
    int Ini_GetInt(const char* section, const char* key, int def);
    void Ini_SetFloat(const char* section, const char* key, float value);
    float Ini_GetFloat(const char* section, const char* key, float def);
    // A null value does nothing.
    void Ini_SetString(const char* section, const char* key, const char* value);
    // The value or the default, copied into the device's buffer (valid until the next call).
    const char* Ini_GetString(const char* section, const char* key, const char* def);

    // --- Random and timer ------------------------------------------------------------------
    uint32_t Random_Seed(uint32_t seed);
    int Random_Int(int a, int b);
    float Random_Float(float a, float b);
    float Timer_GetTime() const { return static_cast<float>(m_dTotalTime); }
    double Timer_GetTotal() const { return m_dTotalTime; }
    float Timer_GetDelta() const { return m_fDeltaTime; }
    int Timer_GetFPS() const { return m_nFPS; }
    // Milliseconds of the frame loop's monotonic clock (they wrap; compare differences unsigned).
    // Unlike the frame deltas, never clamped: what real time has passed.
    uint32_t Timer_GetClock() const { return m_pClock->Now(); }

    // --- Sound library forwarders ----------------------------------------------------------
    // They forward to an optional sound library that is never loaded, so each does nothing and
    // answers 0, false or null; the engine's own sound is CXSoundMgr (GetSoundMgr).
    using HEFFECT = uintptr_t;
    using HMUSIC = uintptr_t;
    using HSTREAM = uintptr_t;
    using HCHANNEL = uintptr_t;
    HEFFECT Effect_Load(const char*, uint32_t = 0) { return 0; }
    void Effect_Free(HEFFECT) {}
    HCHANNEL Effect_Play(HEFFECT) { return 0; }
    HCHANNEL Effect_PlayAdjusted(HEFFECT, int, int, float, bool) { return 0; }
    HMUSIC Music_Load(const char*, uint32_t = 0) { return 0; }
    void Music_Free(HMUSIC) {}
    HCHANNEL Music_Play(HMUSIC, bool) { return 0; }
    HSTREAM Stream_Load(const char*, uint32_t = 0) { return 0; }
    void Stream_Free(HSTREAM) {}
    HCHANNEL Stream_Play(HSTREAM stream, bool loop) { return Music_Play(stream, loop); }
    void Channel_SetPan(HCHANNEL, int) {}
    void Channel_SetVolume(HCHANNEL, int) {}
    void Channel_SetPitch(HCHANNEL, float) {}
    void Channel_Pause(HCHANNEL) {}
    void Channel_Resume(HCHANNEL) {}
    void Channel_Stop(HCHANNEL) {}
    void Channel_StopAll() {}
    bool Channel_IsPlaying(HCHANNEL) { return false; }

    // --- Input -----------------------------------------------------------------------------
    void Input_GetMousePos(float* x, float* y) const;
    void Input_SetMousePos(float x, float y);
    int Input_GetMouseWheel() const { return m_nWheel; }
    bool Input_GetKeyState(int vk) const;
    const char* Input_GetKeyName(int vk) const;
    int Input_GetKey() const { return m_nLastKey; }
    int Input_GetChar() const { return m_nLastChar; }
    bool Input_GetEvent(CXInputEvent* event);

    // --- Drawing ---------------------------------------------------------------------------
    bool Gfx_BeginScene(HTARGET target);
    HTARGET Gfx_EndScene(bool present);
    void Gfx_Present();
    void Gfx_Clear(uint32_t colour);
    void Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t colour, float z);
    void Gfx_RenderTriangle(const CXTriangle& triangle);
    // Nothing to do: textures stay resident.
    void Gfx_TouchTexture(HTEXTURE) {}
    void Gfx_RenderQuad(const CXQuad& quad);
    CXVertex* Gfx_StartBatch(int kind, HTEXTURE texture, uint32_t blend, int* maxPrimitives);
    void Gfx_FinishBatch(int primitives);
    // Room for up to `wanted` quads (the count given in *granted, at least 1) at the end of the
    // current run, which goes on while the texture, blend and path match and there is room. The
    // sprite path draws with the sprite batch's sampler and alpha test. Null outside a scene.
    CXVertex* Gfx_AddQuads(HTEXTURE texture, uint32_t blend, bool spritePath, int wanted,
                           int* granted);
    // Before a texture's content changes (released false) or the texture goes (released true):
    // draws the waiting quads that would read it and, when it goes, forgets it, so that a new
    // texture at the same address is bound again.
    void Gfx_TextureChanging(HTEXTURE texture, bool released);
    void Gfx_SetClipping(int x, int y, int w, int h);
    void Gfx_SetTransform(float x, float y, float dx, float dy, float rotation, float hscale,
                          float vscale);
    // Only GFX_RS_SCISSORTESTENABLE (0 or 1) is known; other states are refused (false). Setting
    // draws what is pending first, so the new state applies only to what follows.
    bool Gfx_GetRenderState(uint32_t state, uint32_t* value) const;
    bool Gfx_SetRenderState(uint32_t state, uint32_t value);
    // The scissor rectangle in pixels of the current target; beginning a scene on another target
    // resets it to the whole target. Setting draws what is pending first. False without graphics.
    bool Gfx_GetScissorRect(RECT* rect) const;
    bool Gfx_SetScissorRect(const RECT* rect);
    // Draws what is pending, then puts back the batch's render states (blend, colour op, alpha
    // test, sampler, depth writing, no texture) and its run (quads, blend 2, no texture). The
    // scissor, viewport and transforms are left as they are.
    void Gfx_ResetBatchState();

    // --- Render targets --------------------------------------------------------------------
    HTARGET Target_Create(int width, int height, bool zbuffer, uint32_t format);
    void Target_Free(HTARGET target);
    HTEXTURE Target_GetTexture(HTARGET target) const;

    // --- Window procedure and queue (used by the window layer and the facade) ---------------
    static LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void QueueEvent(int type, int key, int scanCode, uint32_t flags, int x, int y);
    void ClearQueue();

    // --- Seams -----------------------------------------------------------------------------
    // The clock of the frame loop (null restores the system clock). Not owned.
    void SetClock(CXGfxClock* clock);
    // The drawing sink; with none, System_Initiate makes one over a GpuDevice on the window.
    // Not owned.
    void SetSink(CXGfxSink* sink);
    CXGfxSink* GetSink() const { return m_pSink; }
    // The GPU device made by System_Initiate (null with a test sink).
    GpuDevice* GetGpu() const { return m_pGpu.get(); }
    bool IsReady() const { return m_bDeviceReady; }
    bool InScene() const { return m_pVertices != nullptr; }
    HTARGET GetCurrentTarget() const { return m_pCurTarget; }
    // Runs the device check of the frame loop (lost -> release, reset -> restore).
    bool CheckDevice();
    // Modules are not owned; a module removes itself before it goes.
    void AddModule(CXGfxModule* module);
    void RemoveModule(CXGfxModule* module);
    bool HasGraphics() const { return m_bGraphics; }
    // The frame's sprite batch: made at graphics start-up (and registered as the engine's),
    // told about losses and restores, gone at shutdown. Null without graphics.
    class CXSpriteBatch* GetSpriteBatch() const { return m_pSpriteBatch.get(); }
    HWND GetWindow() const { return m_hWnd; }
    // The application's window procedure (state 35, which reads back as 0).
    WNDPROC GetWndProcHook() const { return m_pWndProcHook; }
    int GetScreenWidth() const { return m_nScreenWidth; }
    int GetScreenHeight() const { return m_nScreenHeight; }

    // Drawing enabled: sprite, sprite-batch and text drawing do nothing while it is clear.
    bool m_bLastPass = true;

    // --- Textures and resources ------------------------------------------------------------
    // Formats are 21 A8R8G8B8, 22 X8R8G8B8, 23 R5G6B5 (0: the image's own, read as A8R8G8B8).
    // Failures write "Can't create texture", "Can't lock texture" or "Can't load resource: %s" to
    // the log and the error text.
    HTEXTURE Texture_Create(int width, int height, uint32_t format);
    // Decodes an image file held in memory; formatA is tried first, then formatB. Not cached.
    HTEXTURE Texture_LoadFromMemory(const void* data, uint32_t size, struct CXImageInfo* info,
                                    uint32_t formatA, uint32_t formatB);
    // size 0: nameOrData is a file name, cached by its trimmed upper-cased name and read through
    // Resource_Load. Otherwise nameOrData holds size bytes of an image file (not cached).
    HTEXTURE Texture_Load(const void* nameOrData, uint32_t size = 0, uint32_t format = 0,
                          uint32_t colourKey = 0);
    // The two halves of a load by name (size 0), so that decoding can run ahead on other threads:
    // Texture_Decode reads and decodes the file of a name from disk (false on any failure; it
    // keeps no state and may run on any thread); Texture_LoadDecoded is Texture_Load of that name
    // with its pixels already decoded: the name cache first, then a texture from `image` (with a
    // zip pack attached, a plain Texture_Load, as the pack may hold the name).
    static bool Texture_Decode(const char* name, struct ImageData& image);
    HTEXTURE Texture_LoadDecoded(const char* name, const struct ImageData& image);
    HTEXTURE Texture_LoadPCX(const char* name);
    bool Texture_Save(HTEXTURE texture, const char* file);  // uncompressed DDS
    // Unregisters and releases a texture the loaders made; false for any other.
    bool Texture_Free(HTEXTURE texture);
    // recorded: the size registered at creation; otherwise the texture's own (0 for null).
    int Texture_GetWidth(HTEXTURE texture, bool recorded = false);
    int Texture_GetHeight(HTEXTURE texture, bool recorded = false);
    // Locks (x, y, w, h), or the whole texture when w or h is 0; rows are Texture_GetWidth
    // pixels apart.
    void* Texture_Lock(HTEXTURE texture, bool readOnly = true, int x = 0, int y = 0, int w = 0,
                       int h = 0);
    bool Texture_LockRect(GpuLocked* locked, HTEXTURE texture, bool readOnly, int x, int y, int w,
                          int h);
    void Texture_Unlock(HTEXTURE texture);

    // A new buffer (free it with Resource_Free) with the file's bytes: zip packs, then the disk.
    void* Resource_Load(const char* name, uint32_t* size);
    void Resource_Free(void* buffer);
    bool Resource_AttachPack(const char* file, const char* password = nullptr);
    void Resource_RemovePack(const char* file);
    void Resource_RemoveAllPacks();
    // Absolute path of a name (relative names are under the program folder); valid until the
    // next call. Null for a null or over-long name.
    const char* Resource_MakePath(const char* name);
    // A wildcard starts a search, null continues it; null at the end. Valid until the next call.
    const char* Resource_EnumFiles(const char* wildcard = nullptr);
    const char* Resource_EnumFolders(const char* wildcard = nullptr);

    // Empties the caches and makes the shared-texture name index (graphics start-up); releases
    // every registered texture and deletes the index (shutdown, while the GPU still exists).
    void Texture_StartUp();
    void Texture_ShutDown();
    // Caches, zip packs and lookup buffers (CXTextureList.h), made on first use.
    struct CXTextureStore& TextureStore();
    // A texture from decoded pixels (format first, then A8R8G8B8), entered in both caches under
    // the key; null with "Can't create texture" when there are no pixels or no texture.
    HTEXTURE AddNamedTexture(const std::string& key, const struct ImageData* image,
                             uint32_t format);
    std::shared_ptr<struct CXTextureStore> m_pTextureStore;
    // --- end of textures and resources -----------------------------------------------------

    // --- Sound -----------------------------------------------------------------------------
    // Opens the sound device (44100 Hz, 16 bits, stereo), then makes the sound manager with
    // soundGroups groups after group 0, then the wave cache. False when the device or the manager
    // cannot be made; nothing is left behind then.
    bool InitSound(int soundGroups);
    // Frees the wave cache, the sound manager (every sound and buffer) and the sound device, in
    // that order. Nothing when sound was never started.
    void FreeSound();
    void FreeWaveList();
    // Null while sound is off or failed to start.
    class CXSoundMgr* GetSoundMgr() const { return m_pSoundMgr; }
    class CXDSDevice* GetDSDevice() const { return m_pDSDevice; }

    class CXDSDevice* m_pDSDevice = nullptr;
    class CXSoundMgr* m_pSoundMgr = nullptr;
    class CXWaveList* m_pWaveList = nullptr;
    // --- end of sound ----------------------------------------------------------------------

private:
    friend CXGfxDevice* CreateGfxDevice(int version);
    CXGfxDevice();
    CXGfxDevice(const CXGfxDevice&) = delete;
    CXGfxDevice& operator=(const CXGfxDevice&) = delete;

    void SetError(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The state groups of System_SetState; each ignores the ids of the others.
    void SetCallbackState(int id, intptr_t value);
    void SetTextState(int id, const char* text);
    void SetDisplayState(int id, int n);
    void SetSoundState(int id, int n);
    void SetWindowState(int id, intptr_t value);
    // The ini file under the resource folder; none for an empty name or a path too long.
    void SetIniFile(const char* name);
    // The log file (relative to the program's folder), emptied; none when it cannot be written.
    void SetLogFile(const char* path);
    // Switches a working window between windowed and full screen; ignored while hosted or in a
    // scene.
    void SetWindowed(bool windowed);
    // The steps of System_Initiate.
    void LogStartBanner();
    bool CreateMainWindow();
    // The window's creation values; sets the centred windowed rectangle, and windowed when hosted.
    WindowCreateInfo MainWindowInfo();
    // Graphics, then every module, then sound when used; false at the first that fails.
    bool StartSubsystems(int soundGroups);
    void ResetFrameTiming();
    bool InitiateGraphics();
    void ReleaseDeviceObjects();
    bool RestoreDeviceObjects();
    // The restore routine: device objects back and the restored callback; false while the
    // device is still lost.
    bool RestoreRoutine();
    // A mode change on a working device: objects released, lost callback, restore routine.
    void ReplayLoss();
    void ApplyWindowMode();
    // The window icon from state 6 (an image file through Resource_Load); nothing without one.
    void ApplyIcon();
    // Hosted mode: the back buffer and the screen follow the window's new client size.
    void ResizeHosted(int width, int height);
    bool CreateTargetObjects(CXRenderTarget* target);
    void ApplyFrameRate(int rate);
    void SetProjectionFor(int width, int height);
    void ApplyBlend(uint32_t blend);
    void ApplyTexture(HTEXTURE texture);
    // Continues the current run, or flushes it and starts one of this kind, texture, blend and
    // path.
    void SwitchRun(int kind, HTEXTURE texture, uint32_t blend, bool spritePath = false);
    void Flush(bool endOfScene);
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool CallExitCallback() const;
    // The ini value as text, cut to 255 bytes; false without an ini file or text.
    bool ReadIni(const char* section, const char* key, char* buffer, size_t size) const;
    void WriteIni(const char* section, const char* key, const char* value);

    int m_nRefCount = 0;

    // Window.
    HWND m_hWnd = nullptr;
    bool m_bActive = false;
    bool m_bSingleStep = false;
    RECT m_rcWindow;  // outer rectangle kept while full screen

    // States.
    CXGfxCallback m_pFrameFunc = nullptr;
    CXGfxCallback m_pLostFunc = nullptr;
    CXGfxCallback m_pRestoreFunc = nullptr;
    CXGfxCallback m_pExitFunc = nullptr;
    WNDPROC m_pWndProcHook = nullptr;
    char m_szIcon[260] = {};
    char m_szTitle[256] = {};
    char m_szIniFile[260] = {};
    char m_szLogFile[260] = {};
    int m_nScreenWidth = 800;
    int m_nScreenHeight = 600;
    int m_nScreenBPP = 32;
    bool m_bWindowed = false;
    bool m_bZBuffer = false;
    bool m_bTextureFilter = true;
    int m_nReserved14 = 0;
    bool m_bUseSound = true;
    int m_nSampleRate = 44100;
    int m_nEffectVolume = 100;
    int m_nMusicVolume = 100;
    int m_nFrameRate = 0;
    bool m_bRunInactive = false;
    int m_nReserved25 = 1;
    HWND m_hParent = nullptr;
    uint32_t m_dwWindowStyle = 0;
    uint32_t m_dwWindowExStyle = 0;
    HCURSOR m_hCursor = nullptr;
    int m_nWindowWidth = 0;
    int m_nWindowHeight = 0;

    char m_szError[256] = {};
    char m_szIniString[256] = {};

    // Timing.
    CXGfxClock* m_pClock = nullptr;
    uint32_t m_dwLastFrame = 0;
    uint32_t m_dwElapsed = 0;
    uint32_t m_dwFrameInterval = 0;
    float m_fFixedDelta = 0.0f;
    float m_fDeltaTime = 0.0f;
    double m_dTotalTime = 0.0;
    int m_nFrameCounter = 0;
    uint32_t m_dwFPSSample = 0;
    int m_nFPS = 0;
    uint32_t m_dwSeed = 0;

    // Device.
    std::unique_ptr<GpuDevice> m_pGpu;
    std::unique_ptr<CXGfxSink> m_pOwnSink;
    CXGfxSink* m_pSink = nullptr;
    bool m_bGraphics = false;
    bool m_bDeviceReady = true;
    std::vector<CXGfxModule*> m_Modules;
    std::unique_ptr<class CXSpriteBatch> m_pSpriteBatch;
    bool m_bLossHandled = false;

    // Input.
    struct EventNode {
        CXInputEvent event;
        EventNode* pNext;
    };
    EventNode* m_pQueueHead = nullptr;
    EventNode* m_pQueueTail = nullptr;
    int m_nLastKey = 0;
    int m_nLastChar = 0;
    int m_nWheel = 0;
    float m_fMouseX = 0.0f;
    float m_fMouseY = 0.0f;

    // Batch.
    CXVertex* m_pVertices = nullptr;  // locked vertices; null outside a scene
    int m_nPrim = 0;
    int m_nCurPrimType = CXPRIM_QUADS;
    uint32_t m_dwCurBlendMode = BLEND_DEFAULT;
    HTEXTURE m_pCurTexture = nullptr;
    bool m_bSpritePath = false;  // the current run draws under the sprite path's states
    float m_matView[16] = {};
    float m_matProj[16] = {};

    // Render targets (newest first) and the one being drawn into (null = the back buffer).
    CXRenderTarget* m_pTargets = nullptr;
    CXRenderTarget* m_pCurTarget = nullptr;
};

// The one device: created on first use; every successful call adds a reference. Only version 16.
CXGfxDevice* CreateGfxDevice(int version);
// The device while it exists (null otherwise); every engine object reaches it through this.
extern CXGfxDevice* g_pGfxDevice;
