#pragma once
// A text label: one text texture whose box is the label's size, vertically centred. Rendered
// textures are drawn in white (the colour is in the texture), direct text in the label's colour.

#include "CDXWnd.h"
#include "CTextTexture.h"

class CDXLabel : public CDXWnd {
public:
    CDXLabel();
    ~CDXLabel() override = default;

    bool CreateLabel(int id, CXFont* font, int x, int y, int width, int height,
                     bool renderToTexture, CDXWnd* parent);

    // Renders only when the text changes.
    void SetText(const char* text);
    // Text and colour together; renders when either changes.
    void SetText(const char* text, uint32_t colour);
    const std::string& GetText() const { return m_Text.GetText(); }
    void SetAlign(uint32_t align) { m_Text.SetAlign(align); }
    void SetColour(uint32_t argb) override;
    void OnLayout() override;
    void Draw() override;

    CTextTexture& GetTextTexture() { return m_Text; }

private:
    CTextTexture m_Text;
};
