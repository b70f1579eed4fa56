#include "CTextTexture.h"

#include "CX2DGDI.h"
#include "CX2DSprite.h"
#include "CXFont.h"
#include "CXSpriteBatch.h"
#include "platform/text.h"

namespace {

uint64_t g_nTextRenders = 0;

}  // namespace

CTextTexture::~CTextTexture()
{
    ReleaseTexture();
    delete m_pGDI;
}

uint64_t CTextTexture::RenderCount()
{
    return g_nTextRenders;
}

void CTextTexture::Create(CXFont* font, float boxWidth, float boxHeight, uint32_t textColour,
                          uint32_t align, bool renderToTexture)
{
    m_pFont = font;
    m_fBoxWidth = boxWidth;
    m_fBoxHeight = boxHeight;
    m_dwTextColour = textColour;
    m_dwAlign = align;
    m_bRenderToTexture = renderToTexture ? 1 : 0;
    if (!renderToTexture)
        ReleaseTexture();
}

void CTextTexture::SetText(const char* text)
{
    const char* value = text ? text : "";
    if (m_strText == value)
        return;
    m_strText = value;
    Render();
}

bool CTextTexture::HasTexture() const
{
    return m_pSprite && m_pSprite->GetTexture();
}

void CTextTexture::ReleaseTexture()
{
    delete m_pSprite;
    m_pSprite = nullptr;
}

void CTextTexture::Render()
{
    m_nRenderedWidth = 0;
    m_nRenderedHeight = 0;
    TextSize extent;
    if (!Measure(extent) || (m_bRenderToTexture && !RenderTexture(extent))) {
        ReleaseTexture();
        return;
    }
    m_nRenderedWidth = extent.cx;
    m_nRenderedHeight = extent.cy;
}

// The text's extent with the font's GDI twin, selected into the surface's drawing context. False
// when there is nothing to show (no font or no text).
bool CTextTexture::Measure(TextSize& extent)
{
    if (!m_pFont || m_strText.empty() || !m_pFont->GetGDIFont())
        return false;
    if (!m_pGDI && !(m_pGDI = new CX2DGDI))
        return false;
    m_pGDI->SetFont(m_pFont->GetGDIFont());
    return m_pGDI->GetDC() &&
           platform::GetTextExtent(m_pGDI->GetDC(), m_strText.c_str(), -1, &extent) &&
           extent.cx > 0 && extent.cy > 0;
}

// Draws the measured text into the surface and copies it into a new texture of the sprite.
bool CTextTexture::RenderTexture(const TextSize& extent)
{
    if (!m_pGDI->Resize(extent.cx, extent.cy))
        return false;
    TextDC dc = m_pGDI->GetDC();
    platform::SetBkMode(dc, TEXT_BK_TRANSPARENT);
    platform::SetTextColor(dc, m_dwTextColour & 0x00FFFFFF);
    TextRect rect{0, 0, extent.cx, extent.cy};
    platform::DrawText(dc, m_strText.c_str(), -1, &rect, 0);

    if (!m_pSprite && !(m_pSprite = new CX2DSprite))
        return false;
    if (!m_pSprite->CreateEmpty(extent.cx, extent.cy))
        return false;
    HTEXTURE texture = m_pSprite->GetTexture();
    // The surface's untouched pixels are skipped by the copy: they stay transparent.
    m_pGDI->FillTexture(texture, 0, 0);
    m_pGDI->CopyToTexture(texture, 0, 0, 0, 0, 0, 0);
    ++g_nTextRenders;
    return true;
}

void CTextTexture::Draw(float x, float y, uint32_t colour) const
{
    DrawInBox(x, y, m_fBoxWidth, m_fBoxHeight, colour);
}

void CTextTexture::DrawInBox(float x, float y, float boxWidth, float boxHeight,
                             uint32_t colour) const
{
    if (!m_bRenderToTexture) {
        if (m_pFont && !m_strText.empty())
            m_pFont->DrawText(m_strText.c_str(), x, y, boxWidth, boxHeight, colour, m_dwAlign);
        return;
    }
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!HasTexture() || !batch)
        return;
    const float width = static_cast<float>(m_nRenderedWidth);
    const float height = static_cast<float>(m_nRenderedHeight);
    float left = x;
    if (m_dwAlign & TEXTTEX_CENTER)
        left = x + boxWidth / 2 - width / 2;
    else if (m_dwAlign & TEXTTEX_RIGHT)
        left = x + boxWidth - width;
    const float top = (m_dwAlign & TEXTTEX_VCENTER) ? y + boxHeight / 2 - height / 2 : y;
    const CXSpriteRect source{0, 0, m_nRenderedWidth, m_nRenderedHeight};
    batch->DrawPlain(m_pSprite->GetTexture(), left, top, &source, colour);
}
