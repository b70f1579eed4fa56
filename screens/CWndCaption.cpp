#include "CWndCaption.h"

#include "CDXButton.h"
#include "CDlgGameExit.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "WindowMode.h"

bool CWndCaption::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateWidget(0, 0, 1920, 36, kId, parent, 1, 255))
        return false;
    SetFrames(g_pUIRes->GetFrames(0));
    SetColour(0x60FFFFFF);
    m_pToWindow = CreateButton(kToWindowId, 1840, 10, g_pUIRes->GetFrames(1), nullptr);
    m_pToFullScreen = CreateButton(kToFullScreenId, 1840, 10, g_pUIRes->GetFrames(2), nullptr);
    m_pExit = CreateButton(kExitId, 1880, 10, g_pUIRes->GetFrames(3), nullptr);
    if (!m_pToWindow || !m_pToFullScreen || !m_pExit)
        return false;
    if (g_hWndMain)
        platform::SetWindowTitle(g_hWndMain, "Brisvane");
    Show(false);
    return true;
}

void CWndCaption::ApplyMode(bool fullScreen)
{
    Show(fullScreen);
    m_pToWindow->Show(fullScreen);
    m_pExit->Show(fullScreen);
    m_pToFullScreen->Show(!fullScreen);
}

void CWndCaption::OnClick(int id)
{
    if (id == kToWindowId || id == kToFullScreenId) {
        ToggleWindowMode(true);
    } else if (id == kExitId) {
        if (g_pWndMain && g_pWndMain->GetExitDialog())
            g_pWndMain->GetExitDialog()->Show(true);
    }
}

int CWndCaption::OnLButtonDblClk(int, int)
{
    ToggleWindowMode(true);
    return 1;
}

int CWndCaption::OnLButtonDown(int, int)
{
    platform::GetCursorPos(&m_ptDragStart);
    m_bDragging = true;
    if (g_hWndMain)
        platform::SetCapture(g_hWndMain);
    TakeCapture();
    return 1;
}

int CWndCaption::OnLButtonUp(int, int)
{
    m_bDragging = false;
    ReleaseCapture();
    platform::ReleaseCapture();
    return 1;
}

int CWndCaption::OnMouseMove(int, int)
{
    if (g_bFullScreen || !m_bDragging || !g_hWndMain)
        return 1;
    POINT now;
    RECT rc;
    if (!platform::GetCursorPos(&now) || !platform::GetWindowRect(g_hWndMain, &rc))
        return 1;
    const int dx = now.x - m_ptDragStart.x;
    const int dy = now.y - m_ptDragStart.y;
    m_ptDragStart = now;
    platform::MoveWindow(g_hWndMain, rc.left + dx, rc.top + dy, rc.right - rc.left,
                         rc.bottom - rc.top);
    return 1;
}
