#pragma once
// An off-screen GDI-like drawing surface for text textures: a drawing context with the engine's
// GDI font and a 32-bit top-down surface (0x00RRGGBB). Callers draw text into it through the
// context, then copy it into a texture, where the untouched key colour 0x010101 leaves the
// texture as it was.

#include <cstdint>

#include "CXGfxTypes.h"
#include "CXMemoryPoolTmpl.h"
#include "platform/text.h"

// Pixels nothing drew on.
constexpr uint32_t CX2DGDI_KEY_COLOR = 0x010101;

// Allocated from its class pool; a derived class declares its own pool (CX_DECLARE_MEMORY_POOL),
// or `new` of it yields null.
class CX2DGDI {
public:
    CX_DECLARE_MEMORY_POOL(CX2DGDI)

    // Font = the engine's GDI font; a 1 x 1 surface.
    CX2DGDI();
    virtual ~CX2DGDI();
    CX2DGDI(const CX2DGDI&) = delete;
    CX2DGDI& operator=(const CX2DGDI&) = delete;

    // A new surface of w x h filled with the key colour; the font, colours and background mode of
    // the context carry over. False (and no surface) when it cannot be made.
    bool Resize(int32_t width, int32_t height);
    // Every pixel = rgb with the top byte 0.
    void Clear(uint32_t rgb);
    // Every texel of the texture = alpha << 24 | rgb; nothing when it cannot be locked.
    void FillTexture(HTEXTURE texture, uint8_t alpha, uint32_t rgb);
    // Copies the rectangle (sx, sy, w, h) of the surface to (dx, dy) of the texture, cut to both;
    // w or h 0 (or wider than the surface) mean the surface's. Key-coloured pixels are skipped,
    // others become opaque. Offsets outside the surface or texture are clamped to their edges.
    void CopyToTexture(HTEXTURE texture, int32_t dx, int32_t dy, int32_t sx, int32_t sy, int32_t w,
                       int32_t h);

    // The drawing context: callers set colours and modes and draw text into it.
    TextDC GetDC() const { return m_hDC; }
    // A font for the context (null: the engine's GDI font again).
    void SetFont(TextFont font);
    uint32_t* GetPixels() const { return m_pPixels; }
    int32_t GetWidth() const { return m_nWidth; }
    int32_t GetHeight() const { return m_nHeight; }

private:
    TextDC m_hDC = nullptr;
    TextFont m_hFont = nullptr;  // not owned
    TextBitmap m_hBitmap = nullptr;
    uint32_t* m_pPixels = nullptr;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};
