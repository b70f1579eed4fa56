#include "CDXDialog.h"

#include "CUIFrames.h"

CDXDialog::CDXDialog()
{
    m_nType = DXWND_DIALOG;
}

void CDXDialog::Show(bool show)
{
    if (g_hDXWnd) {
        platform::SetFocus(g_hDXWnd);
        platform::SetCursor(platform::LoadArrowCursor());
    }
    const bool wasShown = m_bVisible != 0;
    CDXWnd::Show(show);
    if (show)
        Enable(true);
    else if (wasShown)
        OnOpen();
}

void CDXDialog::DrawFrame()
{
    if (m_nDrawMode == 1 && m_pFrames)
        m_pFrames->Draw(m_nState, static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY()),
                        1.0f, m_bEnabled ? m_dwColour : m_dwDisabledColour);
}

void CDXDialog::OnOpen()
{
    if (m_pParent)
        m_pParent->FocusEdit(m_nId);
}

bool CDXDialog::CreateCentred(int id, CDXWnd* parent, CUIFrames* background)
{
    const int w = background ? background->GetWidth(0) : 0;
    const int h = background ? background->GetHeight(0) : 0;
    const int pw = parent ? parent->GetWidth() : 1920;
    const int ph = parent ? parent->GetHeight() : 1080;
    m_pFrames = background;
    m_bModal = 1;
    return CreateWidget(pw / 2 - w / 2, ph / 2 - h / 2, w, h, id, parent, 1, 255);
}
