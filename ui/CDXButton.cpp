#include "CDXButton.h"

#include "CUIFrames.h"

CDXButton::CDXButton()
{
    m_nType = DXWND_BUTTON;
}

bool CDXButton::CreateButton(int id, int x, int y, CUIFrames* frames, CXFont* font, CDXWnd* parent)
{
    if (!frames || !frames->Get(0))
        return false;
    const int w = frames->GetWidth(0);
    const int h = frames->GetHeight(0);
    m_pFrames = frames;
    m_CaptionFont = CUIFont(font, w, h, m_dwCaptionColour, 5);
    return CreateWidget(x, y, w, h, id, parent, 1, 255);
}

int CDXButton::Update(float seconds)
{
    if (m_bVisible && m_nState == 1 && GetCaptured() == this) {
        m_fHoldTime += seconds;
        if (!m_bRepeatStarted) {
            if (m_fHoldTime >= kRepeatDelay) {
                m_bRepeatStarted = true;
                m_fHoldTime = 0.0f;
            }
        } else if (m_fRepeatInterval > 0.0f) {
            while (m_fHoldTime >= m_fRepeatInterval) {
                m_fHoldTime -= m_fRepeatInterval;
                NotifyParent(WM_DX_PRESS, 0);
            }
        }
    }
    return CDXWnd::Update(seconds);
}

void CDXButton::Draw()
{
    if (!m_bVisible)
        return;
    DrawFrame();
    DrawCaption();
    DrawChildren();
    OnDraw();
}

void CDXButton::DrawCaption()
{
    DrawCaptionIn(m_dwCaptionColour);
}

void CDXButton::DrawCaptionIn(uint32_t colour)
{
    if (m_strCaption.empty())
        return;
    CUIFont font = m_CaptionFont;
    font.m_dwColour = colour;
    font.m_dwFormat = 5;
    font.Draw(static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY()),
              m_strCaption.c_str());
}

void CDXButton::SetCaption(const char* text)
{
    m_strCaption = text ? text : "";
}

bool CDXButton::HitTestFrame(int x, int y)
{
    if (!m_pFrames || !m_pFrames->Get(0))
        return false;
    const int ax = AbsoluteX();
    const int ay = AbsoluteY();
    return x >= ax && y >= ay && x <= ax + m_pFrames->GetWidth(0) - 1 &&
           y <= ay + m_pFrames->GetHeight(0) - 1;
}

void CDXButton::OnEnable(bool enable)
{
    SetState(enable ? 0 : 3);
}

void CDXButton::OnMouseLeave()
{
    if (m_bEnabled && m_nState != 0)
        SetState(0);
    CDXWnd::OnMouseLeave();
}

int CDXButton::OnMouseMove(int x, int y)
{
    if (!m_bEnabled)
        return 1;
    if (g_bDXLButtonDown)
        SetState(HitTestFrame(x, y) ? 1 : 0);
    else
        SetState(2);
    return 1;
}

int CDXButton::OnLButtonDown(int, int)
{
    if (!m_bEnabled)
        return 1;
    SetState(1);
    TakeCapture();
    m_fHoldTime = 0.0f;
    m_bRepeatStarted = false;
    NotifyParent(WM_DX_PRESS, 0);
    return 1;
}

int CDXButton::OnLButtonUp(int x, int y)
{
    if (!HitTestFrame(x, y)) {
        SetState(0);
    } else if (m_bEnabled) {
        if (m_nState == 1)
            NotifyParent(WM_DX_CLICK, 0);
        SetState(2);
        m_bRepeatStarted = false;
    }
    ReleaseCapture();
    return 1;
}
