#include "CWndMain.h"

#include <cstdio>

#include "AppWindow.h"
#include "Base/CXLog.h"
#include "CAppCore.h"
#include "CDlgCommon.h"
#include "CDlgGameExit.h"
#include "CWndCaption.h"
#include "ScreenFactory.h"

CWndMain* g_pWndMain = nullptr;

namespace {

CWndMain::ScreenFactory s_factory = CreateScreenObject;

// Counts the nesting of the main window's entry points, so replaced screens are deleted only
// when the outermost one returns.
struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

// Keys go to the modal dialog or the current screen, never to the caption bar, which takes only
// its own mouse messages.
bool IsKeyMessage(UINT msg)
{
    return msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_CHAR;
}

}  // namespace

CDlgCommon* MainMessageBox()
{
    return g_pWndMain ? g_pWndMain->GetMessageBox() : nullptr;
}

CWndMain::ScreenFactory CWndMain::SetScreenFactory(ScreenFactory factory)
{
    ScreenFactory previous = s_factory;
    s_factory = factory ? factory : CreateScreenObject;
    return previous;
}

CWndMain::CWndMain()
{
    g_pWndMain = this;
}

CWndMain::~CWndMain()
{
    delete m_pPrevious;
    m_pPrevious = nullptr;
    delete m_pCurrent;
    m_pCurrent = nullptr;
    for (CDXWnd* screen : m_Retired)
        delete screen;
    m_Retired.clear();
    if (g_pWndMain == this)
        g_pWndMain = nullptr;
    m_History.clear();
    DeleteChildren();
}

bool CWndMain::Create(int id, int)
{
    if (id < 0)
        return false;
    if (!CreateWidget(0, 0, 1920, 1080, id, nullptr, 0, 255))
        return false;
    if (!CreateChildren())
        return false;
    Relayout();
    return true;
}

bool CWndMain::CreateChildren()
{
    CXFont* titleFont = g_pAppCore ? g_pAppCore->Font14 : nullptr;
    CXFont* textFont = g_pAppCore ? g_pAppCore->Font15 : nullptr;
    auto* box = new CDlgCommon();
    if (!box->Create(this, titleFont, textFont)) {
        if (box->GetParent() != this)
            delete box;
        return false;
    }
    m_pMessageBox = box;
    auto* exitDialog = new CDlgGameExit();
    if (!exitDialog->Create(this)) {
        if (exitDialog->GetParent() != this)
            delete exitDialog;
        return false;
    }
    exitDialog->SetColour(0xFF808080);
    exitDialog->Show(false);
    m_pExitDialog = exitDialog;
    auto* caption = new CWndCaption();
    if (!caption->Create(this)) {
        if (caption->GetParent() != this)
            delete caption;
        return false;
    }
    m_pCaption = caption;
    return true;
}

bool CWndMain::ChangeScreen(int id)
{
    if (!m_History.empty())
        m_History.pop_back();
    m_History.push_back(id);
    CreateScreen(id);
    return true;
}

int CWndMain::PopScreenHistory()
{
    if (m_History.empty())
        return -1;
    m_History.pop_back();
    return m_History.empty() ? -1 : m_History.back();
}

bool CWndMain::GoBackScreen()
{
    const int id = PopScreenHistory();
    if (id == -1)
        return false;
    CreateScreen(id);
    return true;
}

bool CWndMain::CreateScreen(int id)
{
    if (m_pPrevious)
        m_Retired.push_back(m_pPrevious);
    m_pPrevious = m_pCurrent;
    m_pCurrent = nullptr;
    CDXWnd* screen = s_factory(id);
    if (!screen) {
        DeleteRetired();
        return false;
    }
    m_pCurrent = screen;
    if (!screen->Create(id, 0)) {
        m_pCurrent = nullptr;
        delete screen;
        CX_LOG_ERROR("CWndMain::CreateScreen", "screen %d (%s) fail.", id, ScreenName(id));
        if (m_pMessageBox) {
            char text[256];
            std::snprintf(text, sizeof text,
                          "초기화 오류가 발생하였습니다.(%d)\n 프로그램을 종료합니다.", id);
            m_pMessageBox->ShowMessage(text, "오류", true, -1, -1);
        }
        DeleteRetired();
        return false;
    }
    if (m_pPrevious) {
        m_pPrevious->Enable(false);
        m_Retired.push_back(m_pPrevious);
        m_pPrevious = nullptr;
    }
    DeleteRetired();
    return true;
}

void CWndMain::DeleteRetired()
{
    if (m_nDepth > 0)
        return;
    std::vector<CDXWnd*> retired;
    retired.swap(m_Retired);
    for (CDXWnd* screen : retired)
        delete screen;
}

int CWndMain::DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    int result = -1;
    {
        DepthGuard guard(m_nDepth);
        if (msg < WM_DX_CHANGE_SCREEN || msg > WM_DX_SCREEN_MSG) {
            if (m_pCaption && m_pCaption->IsVisible() && !IsKeyMessage(msg)) {
                const int r = m_pCaption->DispatchMessage(msg, wParam, lParam);
                if (r >= 0)
                    return r;
            }
            if (m_pExitDialog && m_pExitDialog->IsVisible()) {
                const int r = m_pExitDialog->DispatchMessage(msg, wParam, lParam);
                if (m_pExitDialog->IsModal())
                    return r;
            }
            if (m_pMessageBox && m_pMessageBox->IsVisible()) {
                const int r = m_pMessageBox->DispatchMessage(msg, wParam, lParam);
                if (m_pMessageBox->IsModal())
                    return r;
            }
        } else if (msg == WM_DX_CHANGE_SCREEN) {
            ChangeScreen(static_cast<int>(wParam));
        } else if (msg == WM_DX_PREV_SCREEN) {
            if (!GoBackScreen()) {
                platform::PostQuitMessage(-1);
                return -1;
            }
        } else {
            if (!m_pCurrent)
                return -1;
            if (HIWORD(wParam) != m_pCurrent->GetId())
                return 0;
        }
        result = m_pCurrent ? m_pCurrent->DispatchMessage(msg, wParam, lParam) : -1;
    }
    DeleteRetired();
    return result;
}

int CWndMain::Update(float seconds)
{
    {
        DepthGuard guard(m_nDepth);
        if (m_pMessageBox && m_pMessageBox->IsVisible())
            m_pMessageBox->Update(seconds);
        if (m_pExitDialog && m_pExitDialog->IsVisible())
            m_pExitDialog->Update(seconds);
        else if (m_pCurrent)
            m_pCurrent->Update(seconds);
    }
    DeleteRetired();
    return 1;
}

void CWndMain::Draw()
{
    if (m_pCurrent)
        m_pCurrent->Draw();
    CDXWnd::Draw();
}

void CWndMain::NotifyChildren31()
{
    if (m_pCurrent)
        m_pCurrent->NotifyChildren31();
    if (m_pPrevious)
        m_pPrevious->NotifyChildren31();
}

void CWndMain::NotifyChildren32()
{
    if (m_pCurrent)
        m_pCurrent->NotifyChildren32();
    if (m_pPrevious)
        m_pPrevious->NotifyChildren32();
}

void CWndMain::OnLayout()
{
    CDXWnd::OnLayout();
    if (m_pCurrent)
        m_pCurrent->OnLayout();
}

void CWndMain::Relayout()
{
    if (!m_bLayoutEnabled || !m_pCaption)
        return;
    m_pCaption->ApplyMode(g_bFullScreen);
}
