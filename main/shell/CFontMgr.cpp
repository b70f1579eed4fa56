#include "CFontMgr.h"

CXFont* CFontMgr::CreateFont(const CXFontDesc& desc, bool scaled)
{
    auto* font = new CXFont();
    font->SetDesc(desc);
    if (!font->Create(scaled ? m_fScaleX : 1.0f, scaled ? m_fScaleY : 1.0f)) {
        delete font;
        return nullptr;
    }
    m_Fonts.push_back(Record{scaled, font});
    return font;
}

void CFontMgr::ApplyScale()
{
    for (Record& r : m_Fonts)
        if (r.bScaled)
            r.pFont->Create(m_fScaleX, m_fScaleY);
}

void CFontMgr::ReleaseAll()
{
    std::vector<Record> fonts;
    fonts.swap(m_Fonts);
    for (Record& r : fonts)
        delete r.pFont;
}
