#include "CWndGameNotice.h"

#include "CXFont.h"
#include "UIScissor.h"

bool CWndGameNotice::Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width,
                            int height)
{
    if (!font)
        return false;
    m_pFont = font;
    m_Text.Create(font, static_cast<float>(width), static_cast<float>(height), m_dwColour,
                  TEXTTEX_VCENTER, true);
    if (!CreateWidget(x, y, width, height, id, parent, 0, 255))
        return false;
    ShowNext(false);
    return true;
}

void CWndGameNotice::AddNotice(const char* text)
{
    m_Pending.emplace_back(text ? text : "");
}

void CWndGameNotice::SetColour(uint32_t argb)
{
    CDXWnd::SetColour(argb);
    m_Text.SetTextColour(argb);
    if (!m_Text.GetText().empty())
        m_Text.Render();
}

void CWndGameNotice::RestartText()
{
    const float fontWidth = m_pFont ? static_cast<float>(m_pFont->GetWidth()) : 0.0f;
    m_fTextX = static_cast<float>(AbsoluteX() + m_nWidth) + fontWidth;
    m_fTextY = static_cast<float>(AbsoluteY());
}

void CWndGameNotice::ShowNext(bool advance)
{
    if (!m_Pending.empty()) {
        m_Current.swap(m_Pending);
        m_Pending.clear();
        m_nIndex = 0;
        m_Text.SetText(m_Current.front().c_str());
        m_fElapsed = 0.0f;
        m_nPasses = 0;
        if (!m_bVisible)
            Show(true);
    } else {
        if (advance && !m_Current.empty()) {
            m_nIndex = (m_nIndex + 1) % m_Current.size();
            m_Text.SetText(m_Current[m_nIndex].c_str());
        }
        if (m_bVisible && m_fShowLimit > 0.0f && m_fElapsed > m_fShowLimit) {
            m_fElapsed = 0.0f;
            Show(false);
        }
        if (m_bVisible && m_nMaxPasses > 0 && ++m_nPasses >= m_nMaxPasses) {
            m_nPasses = 0;
            Show(false);
        }
    }
    if (m_bVisible)
        RestartText();
}

int CWndGameNotice::OnUpdate(float seconds)
{
    if (!m_bVisible) {
        ShowNext(false);
        return 1;
    }
    if (m_fShowLimit > 0.0f)
        m_fElapsed += seconds;
    m_fTextX -= m_fSpeed * seconds;
    if (m_fTextX + static_cast<float>(m_Text.GetRenderedWidth()) < static_cast<float>(AbsoluteX()))
        ShowNext(true);
    return 1;
}

int CWndGameNotice::OnDraw()
{
    RECT clip;
    clip.left = static_cast<int32_t>(static_cast<float>(AbsoluteX()) * g_fUIScaleX);
    clip.top = static_cast<int32_t>(static_cast<float>(AbsoluteY()) * g_fUIScaleY);
    clip.right = static_cast<int32_t>(static_cast<float>(AbsoluteX() + m_nWidth) * g_fUIScaleX);
    clip.bottom = static_cast<int32_t>(static_cast<float>(AbsoluteY() + m_nHeight) * g_fUIScaleY);
    const bool clipped = BeginScissor(clip);
    m_Text.Draw(m_fTextX, m_fTextY, 0xFFFFFFFF);
    if (clipped)
        EndScissor();
    return 1;
}
