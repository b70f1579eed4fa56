#pragma once
// A caption font: an engine font with the box the text is laid out in, a colour and DrawText
// format flags (buttons centre their captions with 5: centred both ways).

#include <cstdint>

class CXFont;

class CUIFont {
public:
    CUIFont() = default;
    CUIFont(CXFont* font, int32_t width, int32_t height, uint32_t colour = 0xFFFFFFFF,
            uint32_t format = 0)
        : m_pFont(font), m_nWidth(width), m_nHeight(height), m_dwColour(colour), m_dwFormat(format)
    {}
    virtual ~CUIFont() = default;

    // The text at (floor x, floor y) in the font's box, colour and format. Nothing without a font
    // or text.
    void Draw(float x, float y, const char* text) const;

    CXFont* m_pFont = nullptr;  // not owned
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
    uint32_t m_dwColour = 0xFFFFFFFF;
    uint32_t m_dwFormat = 0;
};
