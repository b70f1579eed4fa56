#pragma once
// The root of the widget tree: one current screen (loading 12, login 13, lobby 19) with the
// caption bar, the shared message box and the exit dialog above it. Screens are created by id;
// the history of ids lets a screen go back to the one before. A replaced screen is deleted once
// the update or message that replaced it has returned, never under its own method.

#include <deque>
#include <vector>

#include "CDXWnd.h"

class CDlgCommon;
class CDlgGameExit;
class CWndCaption;

class CWndMain : public CDXWnd {
public:
    static constexpr int kScreenLoading = 12;
    static constexpr int kScreenLogin = 13;
    static constexpr int kScreenGame = 19;

    // Sets g_pWndMain.
    CWndMain();
    // Deletes the screens, clears g_pWndMain and the history before the children go.
    ~CWndMain() override;

    bool Create(int id, int flag) override;
    int DispatchMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int Update(float seconds) override;
    void Draw() override;
    void NotifyChildren31() override;
    void NotifyChildren32() override;
    void OnLayout() override;

    // Replaces the newest history entry with the id and creates that screen; true whatever the
    // creation gave.
    bool ChangeScreen(int id);
    // Creates the screen before the current one; false when there is none.
    bool GoBackScreen();
    bool CreateScreen(int id);
    // Drops the newest id; the id now newest, or -1.
    int PopScreenHistory();
    // Caption bar after a window-mode change (only once a screen enabled the layout).
    void Relayout();

    CDXWnd* GetCurrentScreen() const { return m_pCurrent; }
    CDXWnd* GetPreviousScreen() const { return m_pPrevious; }
    CDlgCommon* GetMessageBox() const { return m_pMessageBox; }
    CDlgGameExit* GetExitDialog() const { return m_pExitDialog; }
    CWndCaption* GetCaption() const { return m_pCaption; }
    const std::deque<int>& GetHistory() const { return m_History; }
    void SetLayoutEnabled(bool on) { m_bLayoutEnabled = on; }
    bool IsLayoutEnabled() const { return m_bLayoutEnabled; }

    // The screen object for an id (null for an unknown id); tests replace it.
    using ScreenFactory = CDXWnd* (*)(int id);
    static ScreenFactory SetScreenFactory(ScreenFactory factory);

private:
    bool CreateChildren();
    // Deletes the screens replaced since the last call; only outside every screen method.
    void DeleteRetired();

    CDXWnd* m_pCurrent = nullptr;   // owned
    CDXWnd* m_pPrevious = nullptr;  // owned
    CDlgGameExit* m_pExitDialog = nullptr;
    CDlgCommon* m_pMessageBox = nullptr;
    CWndCaption* m_pCaption = nullptr;
    std::deque<int> m_History;
    bool m_bLayoutEnabled = false;
    std::vector<CDXWnd*> m_Retired;  // owned; replaced screens waiting to be deleted
    int m_nDepth = 0;                // nesting of Update/DispatchMessage
};

extern CWndMain* g_pWndMain;

// The main window's message box; null before it exists.
CDlgCommon* MainMessageBox();
