#include "CGameMain.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "CDXWnd.h"
#include "CDlgGameExit.h"
#include "CGameBase.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "CX2DEngine.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXImagePrefetch.h"
#include "CXSpriteBatch.h"
#include "KoreanLocale.h"
#include "NetClientGlobal.h"
#include "UIFontFiles.h"
#include "WindowMode.h"
#include "platform/clock.h"
#include "platform/keys.h"

CGameMain* g_pGameMain = nullptr;

namespace {

struct FontRow {
    CXFont* CGameMain::*member;
    int32_t height;
    uint32_t width;
    uint32_t weight;
    bool hyFace;  // "HY울릉도E", else "나눔고딕"
    bool scaled;
};

// In the order the fonts are created.
const FontRow kFonts[] = {
    {&CGameMain::Font02, 50, 0, 300, true, false},  {&CGameMain::Font03, 40, 0, 300, true, false},
    {&CGameMain::Font04, 20, 0, 300, true, false},  {&CGameMain::Font05, 30, 0, 300, true, false},
    {&CGameMain::Font01, 20, 0, 600, false, false}, {&CGameMain::Font06, 30, 0, 700, false, true},
    {&CGameMain::Font07, 23, 0, 400, false, true},  {&CGameMain::Font08, 17, 0, 700, false, true},
    {&CGameMain::Font09, 19, 9, 400, false, true},  {&CGameMain::Font10, 26, 9, 700, false, true},
    {&CGameMain::Font11, 40, 9, 900, false, true},  {&CGameMain::Font12, 24, 9, 700, false, true},
    {&CGameMain::Font13, 80, 20, 700, false, true}, {&CGameMain::Font14, 41, 20, 700, false, true},
    {&CGameMain::Font15, 31, 12, 700, false, true},
};

}  // namespace

bool CGameMain::Init(const char* uiFolder)
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!CreateScreenTarget())
        return false;
    RECT rc;
    if (g_hWndMain && platform::GetClientRect(g_hWndMain, &rc) && rc.right > 0 && rc.bottom > 0)
        SetUIScale(static_cast<float>(rc.right) / 1920.0f, static_cast<float>(rc.bottom) / 1080.0f);
    if (!LoadFonts())
        return false;
    m_pUIRes = new CUIRes(uiFolder);
    // The images are decoded on the other cores; LoadAll then finds their textures made.
    CXImagePrefetch::PreloadTextures(m_pUIRes->ImagePaths());
    if (!m_pUIRes->LoadAll())
        return false;
    g_hDXWnd = g_hWndMain;
    m_pWndMain = new CWndMain();
    if (!m_pWndMain->Create(1, 0))
        return false;
    m_pDeckList = new CGameDeckList();
    if (!m_pDeckList->BuildDecks())
        return false;
    ToggleWindowMode(true);
    m_nMode = MODE_LOADING;
    if (g_hWndMain)
        platform::UpdateWindow(g_hWndMain);
    platform::ShowCursor(false);
    m_pWndMain->ChangeScreen(CWndMain::kScreenLoading);
    return true;
}

void CGameMain::SetUIScale(float x, float y)
{
    m_fUIScaleX = x;
    m_fUIScaleY = y;
    g_fUIScaleX = x;
    g_fUIScaleY = y;
}

void CGameMain::ReleaseScreenTarget()
{
    delete m_pScreenSprite;
    m_pScreenSprite = nullptr;
    delete m_pScreenTarget;  // its destructor releases the GPU target
    m_pScreenTarget = nullptr;
}

bool CGameMain::CreateScreenTarget()
{
    ReleaseScreenTarget();
    auto* target = new CX2DTarget();
    if (!target->Create(g_nBackBufferWidth, g_nBackBufferHeight, false)) {
        delete target;
        return false;
    }
    m_pScreenTarget = target;
    m_pScreenSprite = new CX2DSprite();
    if (!m_pScreenSprite->CreateFromTexture(target->GetTexture(), 0, 0,
                                            static_cast<float>(g_nBackBufferWidth),
                                            static_cast<float>(g_nBackBufferHeight)))
        return false;
    return true;
}

bool CGameMain::LoadFonts()
{
    SetKoreanLocale();
    m_bFontFilesAdded = true;
    AddUIFontFiles();
    m_FontMgr.SetScale(m_fUIScaleX, m_fUIScaleY);
    for (const FontRow& row : kFonts) {
        CXFontDesc desc;
        desc.Height = row.height;
        desc.Width = row.width;
        desc.Weight = row.weight;
        desc.CharSet = 129;
        desc.PitchAndFamily = 0x12;
        std::strncpy(desc.FaceName, row.hyFace ? "HY울릉도E" : "나눔고딕",
                     sizeof desc.FaceName - 1);
        this->*row.member = m_FontMgr.CreateFont(desc, row.scaled);
    }
    return true;
}

void CGameMain::PumpNetwork()
{
    const uint32_t now = g_pGfxDevice ? g_pGfxDevice->Timer_GetClock() : platform::TickCount();
    const uint32_t elapsed = m_bClockRead ? now - m_dwLastClockMs : 0;
    m_dwLastClockMs = now;
    m_bClockRead = true;
    if (!g_NetClient)
        return;
    // Process may release the client (a handler that ends the session): hold it for this frame.
    HiPointer<NetworkClient> client = g_NetClient;
    client->Process();
    if (client->GetState() != HiNetworkClient::STATE_CONNECTED)
        return;
    m_dwPingMs = elapsed >= kPingIntervalMs - m_dwPingMs ? kPingIntervalMs : m_dwPingMs + elapsed;
    if (m_dwPingMs >= kPingIntervalMs) {
        client->SendPing();
        m_dwPingMs = 0;
    }
}

void CGameMain::Frame()
{
    const float dt = EngineGetDelta();
    g_dTotalTime += dt;
    PumpNetwork();
    ProcessInput();
    HTARGET target = m_pScreenTarget ? m_pScreenTarget->GetTarget() : nullptr;
    if (m_nMode == MODE_LOADING || m_nMode == MODE_LOGIN) {
        if (EngineBeginScene(target)) {
            EngineClear(0);
            EngineEndScene(false);
        }
    } else if (m_nMode == MODE_LOBBY) {
        if (m_pDeckList)
            m_pDeckList->UpdateGames();
        if (EngineBeginScene(target)) {
            EngineClear(0);
            if (m_pDeckList)
                m_pDeckList->DrawGames();
            EngineEndScene(false);
        }
    }
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (batch && EngineBeginScene(target)) {
        batch->SetScale(m_fUIScaleX, m_fUIScaleY);
        batch->Begin(CXSPRITE_ALPHABLEND);
        if (m_pWndMain) {
            m_pWndMain->Update(dt);
            if (batch->CanBegin())
                m_pWndMain->Draw();
        }
        batch->End();
        batch->SetScale(1.0f, 1.0f);
        EngineEndScene(false);
    }
    DrawScreen();
}

void CGameMain::DrawScreen()
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!batch || !m_pScreenSprite || !EngineBeginScene(nullptr))
        return;
    batch->Begin(CXSPRITE_ALPHABLEND);
    const float w = m_pScreenSprite->GetWidth();
    const float h = m_pScreenSprite->GetHeight();
    if (w > 0 && h > 0)
        batch->Draw(m_pScreenSprite->GetTexture(), 0, 0, 0, 0, w, h, 1920.0f / w, 1080.0f / h, 0, 0,
                    0, 0xFFFFFFFF);
    batch->End();
    EngineEndScene(true);
}

void CGameMain::ProcessInput()
{
    if (!g_pGfxDevice)
        return;
    CXInputEvent event;
    while (g_pGfxDevice->Input_GetEvent(&event)) {
        const bool alt = platform::GetAsyncKeyState(VK_MENU) < 0;
        if (event.type == INPUT_KEYDOWN && event.key == VK_RETURN && alt && m_nMode >= MODE_LOGIN) {
            ToggleWindowMode(true);
            return;
        }
        if (!m_pDeckList)
            continue;
        for (int32_t i = 0; i < m_pDeckList->GetCount(); ++i)
            if (CGameBase* game = m_pDeckList->GetDeck(i)->GetGame())
                game->OnInputEvent(&event);
    }
}

void CGameMain::OnDeviceLost()
{
    m_FontMgr.ForEach([](CXFont* font) { font->OnLostDevice(); });
    if (m_pDeckList)
        m_pDeckList->NotifyDeviceLost();
}

void CGameMain::RestoreDevice()
{
    if (m_pScreenSprite && m_pScreenTarget)
        m_pScreenSprite->SetTexture(m_pScreenTarget->GetTexture());
    m_FontMgr.ForEach([](CXFont* font) { font->OnResetDevice(); });
    if (m_pDeckList)
        m_pDeckList->NotifyDeviceReset();
}

void CGameMain::OnResize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    g_nBackBufferWidth = width;
    g_nBackBufferHeight = height;
    CreateScreenTarget();
    g_fPointerScaleX = 1920.0f / static_cast<float>(width);
    g_fPointerScaleY = 1080.0f / static_cast<float>(height);
    const float spriteW =
        m_pScreenSprite ? static_cast<float>(static_cast<int>(m_pScreenSprite->GetWidth())) : 0;
    const float spriteH =
        m_pScreenSprite ? static_cast<float>(static_cast<int>(m_pScreenSprite->GetHeight())) : 0;
    SetUIScale(spriteW / 1920.0f, spriteH / 1080.0f);
    m_FontMgr.SetScale(m_fUIScaleX, m_fUIScaleY);
    m_FontMgr.ApplyScale();
    if (m_pWndMain)
        m_pWndMain->OnLayout();
}

LRESULT CGameMain::WndProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (wParam == SIZE_MAXIMIZED && m_pWndMain) {
            g_bFullScreen = !g_bFullScreen;
            ApplyWindowMode();
            m_pWndMain->Relayout();
            return 1;
        }
        OnResize(LOWORD(static_cast<uintptr_t>(lParam)), HIWORD(static_cast<uintptr_t>(lParam)));
        break;
    case WM_CLOSE:
        if (m_pWndMain && m_pWndMain->GetExitDialog() &&
            !m_pWndMain->GetExitDialog()->IsVisible()) {
            m_pWndMain->GetExitDialog()->Show(true);
            return 1;
        }
        return 0;
    case WM_SIZING:
    case WM_MOVING:
        SaveWindowRect();
        break;
    default:
        break;
    }
    if (!m_pWndMain)
        return 0;
    const int r = m_pWndMain->DispatchMessage(msg, wParam, lParam);
    return r >= 0 ? r : 0;
}

void CGameMain::ReleaseAll()
{
    delete m_pDeckList;
    m_pDeckList = nullptr;
    delete m_pUIRes;
    m_pUIRes = nullptr;
    delete m_pWndMain;
    m_pWndMain = nullptr;
    m_FontMgr.ReleaseAll();
    Font01 = Font02 = Font03 = Font04 = Font05 = Font06 = Font07 = Font08 = nullptr;
    Font09 = Font10 = Font11 = Font12 = Font13 = Font14 = Font15 = nullptr;
    ReleaseScreenTarget();
    if (m_bFontFilesAdded) {
        RemoveUIFontFiles();
        m_bFontFilesAdded = false;
    }
}
