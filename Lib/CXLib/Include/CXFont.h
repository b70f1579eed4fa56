#pragma once
// A text font for Direct3D-style drawing: a device font that draws into the sprite batch, paired
// with a GDI font made from the same description, and an x and y scale for the GDI twin so that the
// application can re-create its fonts when the window is scaled.

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "CXGfxTypes.h"
#include "platform/text.h"

class GpuDevice;

// The device font's description.
struct CXFontDesc {
    int32_t Height = 0;
    uint32_t Width = 0;
    uint32_t Weight = 0;
    uint32_t MipLevels = 0;
    int32_t Italic = 0;
    uint8_t CharSet = 0;
    uint8_t OutputPrecision = 0;
    uint8_t Quality = 0;
    uint8_t PitchAndFamily = 0;
    char FaceName[32] = {};  // CP949
};

class CXFont {
public:
    CXFont() = default;
    virtual ~CXFont();
    CXFont(const CXFont&) = delete;
    CXFont& operator=(const CXFont&) = delete;

    // Copies the description into both the device font's and the GDI font's descriptions.
    void SetDesc(const CXFontDesc& desc);
    // (Re)creates both fonts: the device font at the described size, the GDI font with width and
    // height times the scales (rounded). True when the GDI font exists.
    bool Create(float scaleX, float scaleY);

    int32_t GetHeight() const { return m_Desc.Height; }
    uint32_t GetWidth() const { return m_Desc.Width; }
    // The device font's drawing context (its font selected).
    TextDC GetDC() const { return m_hDC; }
    TextFont GetGDIFont() const { return m_hGDIFont; }
    const TextFontDesc& GetLogFont() const { return m_LogFont; }
    const CXFontDesc& GetDesc() const { return m_Desc; }
    float GetScaleX() const { return m_fScaleX; }
    float GetScaleY() const { return m_fScaleY; }

    bool GetTextExtent(const char* text, TextSize* size);
    // Draws into the device's sprite batch, or when the batch is not begun, straight into the quad
    // batch as a Begin and End around the call would.
    // w or h 0 take the measured text's. The format takes the TEXT_DT_ flags; vertical centring and
    // bottom alignment apply to several lines too.
    bool DrawText(const char* text, float x, float y, float w, float h, const uint32_t& colour,
                  uint32_t format);
    // First the first n characters (bytes), then the whole text over them.
    bool DrawTextN(const char* text, int n, float x, float y, float w, float h,
                   const uint32_t& colour, uint32_t format);

    void OnLostDevice();
    bool OnResetDevice();

private:
    // One text rendered as white with coverage alpha, ready for the sprite batch: only the part
    // of the rectangle that holds ink, at (x, y) from the rectangle's top left. No texture when
    // the text leaves no ink.
    struct Rendered {
        std::string text;
        int32_t w = 0;
        int32_t h = 0;
        uint32_t format = 0;
        size_t hash = 0;
        HTEXTURE texture = nullptr;
        int32_t x = 0;
        int32_t y = 0;
    };
    static constexpr size_t kCacheSize = 64;

    static size_t Hash(std::string_view text, int32_t w, int32_t h, uint32_t format);
    void ReleaseFonts();
    void ReleaseCache();
    // Null when the text cannot be drawn into a w x h rectangle.
    const Rendered* Render(const char* text, int length, int32_t w, int32_t h, uint32_t format);
    bool DrawRendered(const Rendered& rendered, float x, float y, uint32_t colour, bool begun);
    // The cached rendering of these values, moved to the front; null when there is none.
    const Rendered* FindCached(std::string_view text, int32_t w, int32_t h, uint32_t format,
                               size_t hash);
    // The texture of the ink in the w x h drawing and its place; false when it cannot be made.
    static bool MakeInkTexture(GpuDevice& gpu, const uint32_t* pixels, Rendered& rendered);
    // Drops the least recently used rendering and its texture.
    void EvictOldest(GpuDevice& gpu);

    TextFont m_hDeviceFont = nullptr;
    TextDC m_hDC = nullptr;
    CXFontDesc m_Desc;
    TextFontDesc m_LogFont;
    TextFont m_hGDIFont = nullptr;
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    std::list<Rendered> m_Cache;  // most recently used first
    // The cache by the hash of (text, w, h, format); entries of one hash are told apart by those.
    std::unordered_multimap<size_t, std::list<Rendered>::iterator> m_Index;
};
