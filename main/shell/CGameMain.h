#pragma once
// The application object (the core sees its fonts and mode as CAppCore): UI fonts, the screen
// render target, the UI image registry, the main window and the deck list. Once per engine frame it
// pumps the network, keeps the connection alive, routes input, runs and draws the games and the
// widgets into the screen target and stretches that onto the window; it sees the window's size,
// close and maximise messages before the widget tree.

#include <cstdint>

#include "CAppCore.h"
#include "CFontMgr.h"
#include "platform/window.h"

class CGameDeckList;
class CUIRes;
class CWndMain;
class CX2DSprite;
class CX2DTarget;
class CXFont;

class CGameMain : public CAppCore {
public:
    // The keep-alive goes out every 30 s of the monotonic clock while connected.
    static constexpr uint32_t kPingIntervalMs = 30000;

    CGameMain() = default;
    ~CGameMain() override { ReleaseAll(); }
    CGameMain(const CGameMain&) = delete;
    CGameMain& operator=(const CGameMain&) = delete;

    // The UI images come from the folder (relative names are under the program's folder).
    bool Init(const char* uiFolder = "./data_ui");
    void Frame();
    // Connection events and answers of this frame, then the keep-alive while connected. The
    // keep-alive counts the graphics device's clock, not the frame deltas: those are clamped on a
    // slow frame and would stretch the interval on a slow machine.
    void PumpNetwork();
    void ProcessInput();
    void RestoreDevice();
    void OnDeviceLost();
    // A 0x0 size (a minimised window) is ignored.
    void OnResize(int width, int height);
    LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool CreateScreenTarget();
    bool LoadFonts();
    void ReleaseAll();

    // Milliseconds counted towards the next keep-alive.
    uint32_t GetPingTime() const { return m_dwPingMs; }
    float GetUIScaleX() const { return m_fUIScaleX; }
    float GetUIScaleY() const { return m_fUIScaleY; }
    CWndMain* GetMainWindow() const { return m_pWndMain; }
    CGameDeckList* GetDeckList() const { return m_pDeckList; }
    CX2DTarget* GetScreenTarget() const { return m_pScreenTarget; }
    CX2DSprite* GetScreenSprite() const { return m_pScreenSprite; }
    CFontMgr& GetFontMgr() { return m_FontMgr; }

private:
    void SetUIScale(float x, float y);
    void DrawScreen();
    // Frees the picture the screen is drawn into and its sprite.
    void ReleaseScreenTarget();

    CGameDeckList* m_pDeckList = nullptr;
    CFontMgr m_FontMgr;
    CUIRes* m_pUIRes = nullptr;
    CWndMain* m_pWndMain = nullptr;
    uint32_t m_dwPingMs = 0;       // connected time since the last keep-alive
    uint32_t m_dwLastClockMs = 0;  // the clock at the previous PumpNetwork
    bool m_bClockRead = false;
    CX2DTarget* m_pScreenTarget = nullptr;
    CX2DSprite* m_pScreenSprite = nullptr;
    float m_fUIScaleX = 1.0f;
    float m_fUIScaleY = 1.0f;
    bool m_bFontFilesAdded = false;
};

extern CGameMain* g_pGameMain;
