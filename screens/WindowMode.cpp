#include "WindowMode.h"

#include "CWndMain.h"
#include "platform/window.h"

void SaveWindowRect()
{
    if (g_hWndMain)
        platform::GetWindowRect(g_hWndMain, &g_rcWindow);
}

void ApplyWindowMode()
{
    if (!g_hWndMain)
        return;
    if (g_bFullScreen) {
        platform::SetWindowStyle(g_hWndMain, kFullScreenStyle);
        platform::SetWindowExStyle(g_hWndMain, kFullScreenExStyle);
        platform::MoveWindow(g_hWndMain, 0, 0, platform::GetSystemMetrics(SM_CXSCREEN),
                             platform::GetSystemMetrics(SM_CYSCREEN));
    } else {
        platform::SetWindowStyle(g_hWndMain, kFramedStyle);
        platform::SetWindowExStyle(g_hWndMain, kFramedExStyle);
        platform::MoveWindow(g_hWndMain, g_rcWindow.left, g_rcWindow.top,
                             g_rcWindow.right - g_rcWindow.left,
                             g_rcWindow.bottom - g_rcWindow.top);
    }
    platform::UpdateWindow(g_hWndMain);
}

void ToggleWindowMode(bool saveRect)
{
    if (!g_bFullScreen && saveRect)
        SaveWindowRect();
    g_bFullScreen = !g_bFullScreen;
    ApplyWindowMode();
    if (g_pWndMain)
        g_pWndMain->Relayout();
}
