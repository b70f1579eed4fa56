#pragma once
// One line of text for the widgets. Rendered to a texture (drawn thereafter as one sprite, and
// rendered again only when the text changes), or drawn through the font every frame.
// Alignment bits: 1 centre horizontally in the box, 2 align right, 4 centre vertically.

#include <cstdint>
#include <string>

class CX2DGDI;
class CX2DSprite;
class CXFont;

constexpr uint32_t TEXTTEX_CENTER = 1;
constexpr uint32_t TEXTTEX_RIGHT = 2;
constexpr uint32_t TEXTTEX_VCENTER = 4;

class CTextTexture {
public:
    CTextTexture() = default;
    virtual ~CTextTexture();
    CTextTexture(const CTextTexture&) = delete;
    CTextTexture& operator=(const CTextTexture&) = delete;

    // The font is not owned. Keeps the current text (call Render after changing the font).
    void Create(CXFont* font, float boxWidth, float boxHeight, uint32_t textColour, uint32_t align,
                bool renderToTexture);
    void SetBox(float width, float height)
    {
        m_fBoxWidth = width;
        m_fBoxHeight = height;
    }
    void SetAlign(uint32_t align) { m_dwAlign = align; }
    // The text's colour when it is rendered next (the texture keeps the old one until then).
    void SetTextColour(uint32_t argb) { m_dwTextColour = argb; }

    // Stores the text and renders it, unless it equals the current one.
    void SetText(const char* text);
    // Render to texture: measures the text, draws it into the GDI surface and copies that into
    // the sprite's texture; the rendered size is the text's extent. Empty text leaves no texture
    // and a rendered size of 0. Direct mode: only measures.
    void Render();
    // At (x, y) in the box, aligned by the flags, in the colour given.
    void Draw(float x, float y, uint32_t colour) const;
    // The same in a box given by the caller.
    void DrawInBox(float x, float y, float boxWidth, float boxHeight, uint32_t colour) const;

    const std::string& GetText() const { return m_strText; }
    int32_t GetRenderedWidth() const { return m_nRenderedWidth; }
    int32_t GetRenderedHeight() const { return m_nRenderedHeight; }
    bool HasTexture() const;
    bool IsRenderToTexture() const { return m_bRenderToTexture != 0; }

    // Texts rendered into textures by every object since start (a measure of per-frame work).
    static uint64_t RenderCount();

private:
    bool RenderTexture();
    void ReleaseTexture();

    uint8_t m_bRenderToTexture = 1;
    CXFont* m_pFont = nullptr;
    float m_fBoxWidth = 0.0f;
    float m_fBoxHeight = 0.0f;
    uint32_t m_dwTextColour = 0xFFFFFFFF;
    uint32_t m_dwAlign = 0;
    std::string m_strText;
    CX2DGDI* m_pGDI = nullptr;        // owned, made on the first render
    CX2DSprite* m_pSprite = nullptr;  // owned; none while no text is rendered
    int32_t m_nRenderedWidth = 0;
    int32_t m_nRenderedHeight = 0;
};
