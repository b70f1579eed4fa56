#pragma once
// The application's UI fonts: each made at the manager's scale (scaled fonts) or at 1.0, and made
// again at a new scale after a resize.

#include <vector>

#include "CXFont.h"

class CFontMgr {
public:
    CFontMgr() = default;
    virtual ~CFontMgr() { ReleaseAll(); }
    CFontMgr(const CFontMgr&) = delete;
    CFontMgr& operator=(const CFontMgr&) = delete;

    // A new font, kept here; null (nothing kept) when it cannot be created.
    CXFont* CreateFont(const CXFontDesc& desc, bool scaled);
    // Re-creates every scaled font at the manager's scale.
    void ApplyScale();
    void ReleaseAll();
    void SetScale(float x, float y)
    {
        m_fScaleX = x;
        m_fScaleY = y;
    }
    float GetScaleX() const { return m_fScaleX; }
    float GetScaleY() const { return m_fScaleY; }

    template <class F>
    void ForEach(F f) const
    {
        for (const Record& r : m_Fonts)
            f(r.pFont);
    }

private:
    struct Record {
        bool bScaled;
        CXFont* pFont;  // owned
    };
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    std::vector<Record> m_Fonts;
};
