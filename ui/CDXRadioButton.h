#pragma once
// A radio button: frames 0 checked, 1 unchecked, 2 pressed, 3 hover (unchecked). Releasing it
// inside posts WM_DX_RADIO_SELECT with its id as lParam; in toggle mode it also flips itself,
// otherwise the parent decides (CDXWnd::SelectRadio).

#include "CDXButton.h"

class CDXRadioButton : public CDXButton {
public:
    CDXRadioButton();
    ~CDXRadioButton() override = default;

    bool CreateRadioButton(int id, int x, int y, CUIFrames* frames, bool toggle, CDXWnd* parent);

    void DrawFrame() override;
    void DrawCaption() override;
    int Update(float seconds) override;
    void OnEnable(bool enable) override;
    void OnMouseLeave() override;
    int OnMouseMove(int x, int y) override;
    int OnLButtonDown(int x, int y) override;
    int OnLButtonUp(int x, int y) override;

    virtual void SetChecked(bool checked);  // 60
    bool IsChecked() const { return m_nBaseState == 0; }
    bool IsToggle() const { return m_bToggle; }

private:
    int32_t m_nBaseState = 1;
    uint32_t m_dwUncheckedColour = 0xFF606060;
    bool m_bToggle = true;
};
