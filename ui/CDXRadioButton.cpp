#include "CDXRadioButton.h"

#include "CUIFrames.h"

CDXRadioButton::CDXRadioButton()
{
    m_nType = DXWND_RADIO;
    m_nState = m_nBaseState;
}

bool CDXRadioButton::CreateRadioButton(int id, int x, int y, CUIFrames* frames, bool toggle,
                                       CDXWnd* parent)
{
    m_bToggle = toggle;
    if (!CreateButton(id, x, y, frames, nullptr, parent))
        return false;
    SetChecked(false);
    return true;
}

void CDXRadioButton::SetChecked(bool checked)
{
    m_nBaseState = checked ? 0 : 1;
    SetState(m_nBaseState);
}

// No press repeat: a radio button posts only on release.
int CDXRadioButton::Update(float seconds)
{
    return CDXWnd::Update(seconds);
}

void CDXRadioButton::DrawFrame()
{
    if (m_nDrawMode != 1 || !m_pFrames)
        return;
    const int index = m_pFrames->Get(m_nState) ? m_nState : m_nBaseState;
    m_pFrames->Draw(index, static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY()), 1.0f,
                    m_dwColour);
}

void CDXRadioButton::DrawCaption()
{
    DrawCaptionIn(IsChecked() ? m_dwCaptionColour : m_dwUncheckedColour);
}

void CDXRadioButton::OnEnable(bool)
{
    SetState(m_nBaseState);
}

void CDXRadioButton::OnMouseLeave()
{
    SetState(m_nBaseState);
    CDXWnd::OnMouseLeave();
}

int CDXRadioButton::OnMouseMove(int x, int y)
{
    if (!m_bEnabled)
        return 1;
    if (g_bDXLButtonDown) {
        if (!HitTestFrame(x, y))
            SetState(m_nBaseState);
        else if (GetCaptured() == this)
            SetState(2);
    } else if (!IsChecked()) {
        SetState(3);
    }
    return 1;
}

int CDXRadioButton::OnLButtonDown(int, int)
{
    if (!m_bEnabled)
        return 1;
    SetState(2);
    TakeCapture();
    return 1;
}

int CDXRadioButton::OnLButtonUp(int x, int y)
{
    if (m_bEnabled) {
        if (HitTestFrame(x, y)) {
            if (m_bToggle)
                SetChecked(!IsChecked());
            else
                SetState(m_nBaseState);
            NotifyParent(WM_DX_RADIO_SELECT, m_nId);
        } else {
            SetState(m_nBaseState);
        }
    }
    ReleaseCapture();
    return 1;
}
