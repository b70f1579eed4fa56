#pragma once
// An image button with four states (0 normal, 1 pressed, 2 hover, 3 disabled: the four images of
// a registry button set) and an optional caption. Pressing posts WM_DX_PRESS, and again every
// repeat interval once the button has been held for half a second; releasing inside after a
// press posts WM_DX_CLICK.

#include <string>

#include "CDXWnd.h"
#include "CUIFont.h"

class CDXButton : public CDXWnd {
public:
    static constexpr float kRepeatDelay = 0.5f;

    CDXButton();
    ~CDXButton() override = default;

    // The first image gives the size; false without one.
    bool CreateButton(int id, int x, int y, CUIFrames* frames, CXFont* font, CDXWnd* parent);

    int Update(float seconds) override;
    void Draw() override;
    void OnEnable(bool enable) override;
    void OnMouseLeave() override;
    int OnMouseMove(int x, int y) override;
    int OnLButtonDown(int x, int y) override;
    int OnLButtonUp(int x, int y) override;

    virtual void DrawCaption();                 // 57
    virtual void SetCaption(const char* text);  // 58
    virtual bool HitTestFrame(int x, int y);    // 59

    void SetRepeatInterval(float seconds) { m_fRepeatInterval = seconds; }
    float GetRepeatInterval() const { return m_fRepeatInterval; }
    void SetCaptionColour(uint32_t argb) { m_dwCaptionColour = argb; }
    const std::string& GetCaption() const { return m_strCaption; }

protected:
    // Posts msg with (parent id << 16) | id; lParam as given.
    bool NotifyParent(UINT msg, LPARAM lParam) { return PostToOwner(msg, lParam); }
    void DrawCaptionIn(uint32_t colour);

    float m_fHoldTime = 0.0f;
    bool m_bRepeatStarted = false;
    float m_fRepeatInterval = 0.5f;
    CUIFont m_CaptionFont;
    std::string m_strCaption;
    uint32_t m_dwCaptionColour = 0xFFFFFFFF;
};
