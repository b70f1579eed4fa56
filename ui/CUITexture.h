#pragma once
// One UI image: an engine texture and its size, drawn through the frame's sprite batch in
// virtual-screen coordinates.

#include <cstdint>

#include "CXGfxTypes.h"

class CUITexture {
public:
    // The size is read from the texture's top-level description (0 x 0 for no texture).
    explicit CUITexture(HTEXTURE texture);
    virtual ~CUITexture() = default;
    CUITexture(const CUITexture&) = delete;
    CUITexture& operator=(const CUITexture&) = delete;

    // The whole texture at (x, y), its size times the scale, modulated by the colour.
    void Draw(float x, float y, float scale = 1.0f, uint32_t colour = 0xFFFFFFFF) const;
    // The source region (srcX, srcY, srcW, srcH) at (x, y) with the two scale factors.
    void DrawRegion(float x, float y, float srcX, float srcY, float srcW, float srcH, float scaleX,
                    float scaleY, uint32_t colour = 0xFFFFFFFF) const;

    HTEXTURE GetTexture() const { return m_pTexture; }
    int32_t GetWidth() const { return m_nWidth; }
    int32_t GetHeight() const { return m_nHeight; }

private:
    HTEXTURE m_pTexture = nullptr;  // the device's cached texture, not owned
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};
