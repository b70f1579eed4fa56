#include "CDXLabel.h"

CDXLabel::CDXLabel()
{
    m_nType = DXWND_LABEL;
}

bool CDXLabel::CreateLabel(int id, CXFont* font, int x, int y, int width, int height,
                           bool renderToTexture, CDXWnd* parent)
{
    if (!font || id < 0)
        return false;
    m_Text.Create(font, static_cast<float>(width), static_cast<float>(height), m_dwColour,
                  TEXTTEX_VCENTER, renderToTexture);
    return CreateWidget(x, y, width, height, id, parent, 0, 255);
}

void CDXLabel::SetText(const char* text)
{
    m_Text.SetText(text ? text : "");
}

void CDXLabel::SetText(const char* text, uint32_t colour)
{
    if (colour == m_dwColour) {
        SetText(text);
        return;
    }
    SetColour(colour);
    const std::string value = text ? text : "";
    if (value == m_Text.GetText())
        m_Text.Render();
    else
        m_Text.SetText(value.c_str());
}

void CDXLabel::SetColour(uint32_t argb)
{
    CDXWnd::SetColour(argb);
    m_Text.SetTextColour(argb);
}

void CDXLabel::OnLayout()
{
    m_Text.Render();
    CDXWnd::OnLayout();
}

void CDXLabel::Draw()
{
    if (!m_bVisible)
        return;
    const uint32_t colour = m_Text.IsRenderToTexture() ? 0xFFFFFFFF : m_dwColour;
    m_Text.Draw(static_cast<float>(AbsoluteX()), static_cast<float>(AbsoluteY()), colour);
    DrawChildren();
    OnDraw();
}
