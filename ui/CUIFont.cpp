#include "CUIFont.h"

#include <cmath>

#include "CXFont.h"

void CUIFont::Draw(float x, float y, const char* text) const
{
    if (!m_pFont || !text || !*text)
        return;
    m_pFont->DrawText(text, std::floor(x), std::floor(y), static_cast<float>(m_nWidth),
                      static_cast<float>(m_nHeight), m_dwColour, m_dwFormat);
}
