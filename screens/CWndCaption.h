#pragma once
// The bar across the top of the screen in full-screen mode: back to a window, quit, double click
// to toggle the mode, and dragging the window by it while framed.

#include "CDXWnd.h"

class CWndCaption : public CDXWnd {
public:
    static constexpr int kId = 2;
    static constexpr int kToWindowId = 3;
    static constexpr int kToFullScreenId = 4;
    static constexpr int kExitId = 5;

    // Background slot 0 at (0, 0), 1920x36, the three buttons; sets the window title; hidden.
    bool Create(CDXWnd* parent);
    // Full screen: bar, to-window and exit buttons shown. Framed: bar hidden, only the
    // to-full-screen button marked shown.
    void ApplyMode(bool fullScreen);

    void OnClick(int id) override;
    int OnLButtonDblClk(int x, int y) override;
    int OnLButtonDown(int x, int y) override;
    int OnLButtonUp(int x, int y) override;
    int OnMouseMove(int x, int y) override;

    bool IsDragging() const { return m_bDragging; }

private:
    POINT m_ptDragStart;  // screen pixels
    bool m_bDragging = false;
    CDXWnd* m_pToWindow = nullptr;
    CDXWnd* m_pToFullScreen = nullptr;
    CDXWnd* m_pExit = nullptr;
};
