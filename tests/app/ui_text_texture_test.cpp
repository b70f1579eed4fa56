// Text textures drawn into a render target and read back: when a text is rendered, where the
// alignment puts it, what empty text leaves, and the direct mode that draws through the font.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CTextTexture.h"
#include "CXFont.h"
#include "ui_device_fixture.h"

namespace {

class TextTextureTest : public UIDeviceTest {
protected:
    void SetUp() override
    {
        UIDeviceTest::SetUp();
        CXFontDesc desc;
        desc.Height = -16;
        desc.Weight = 700;
        std::strcpy(desc.FaceName, "나눔고딕");
        m_font.SetDesc(desc);
        ASSERT_TRUE(m_font.Create(1.0f, 1.0f));
    }

    Ink DrawAt(const CTextTexture& text, float x, float y)
    {
        Begin();
        text.Draw(x, y, 0xFFFFFFFF);
        End();
        return FindInk();
    }

    CXFont m_font;
};

TEST_F(TextTextureTest, RendersOnlyWhenTheTextChanges)
{
    struct Case {
        const char* name;
        std::vector<const char*> texts;
        uint64_t renders;
        bool texture;
    };
    const Case cases[] = {
        {"same text twice", {"점수 100", "점수 100"}, 1, true},
        {"changed text", {"점수 100", "점수 200"}, 2, true},
        {"back and forth", {"a", "b", "a"}, 3, true},
        {"empty text", {""}, 0, false},
        {"null is empty", {nullptr}, 0, false},
        {"emptied", {"abc", ""}, 1, false},
        {"emptied twice", {"abc", "", nullptr, ""}, 1, false},
    };
    for (const Case& c : cases) {
        CTextTexture text;
        text.Create(&m_font, 100.0f, 30.0f, 0xFFFFFFFF, 0, true);
        const uint64_t before = CTextTexture::RenderCount();
        for (const char* value : c.texts)
            text.SetText(value);
        EXPECT_EQ(CTextTexture::RenderCount() - before, c.renders) << c.name;
        EXPECT_EQ(text.HasTexture(), c.texture) << c.name;
        EXPECT_EQ(text.GetRenderedWidth() > 0, c.texture) << c.name;
        EXPECT_EQ(text.GetRenderedHeight() > 0, c.texture) << c.name;
    }
}

TEST_F(TextTextureTest, EmptyTextDrawsNothing)
{
    CTextTexture text;
    text.Create(&m_font, 100.0f, 30.0f, 0xFFFFFFFF, TEXTTEX_CENTER | TEXTTEX_VCENTER, true);
    text.SetText("abc");
    EXPECT_FALSE(DrawAt(text, 10, 10).Empty());
    text.SetText("");
    EXPECT_EQ(text.GetRenderedWidth(), 0);
    EXPECT_EQ(text.GetRenderedHeight(), 0);
    EXPECT_TRUE(DrawAt(text, 10, 10).Empty());
}

TEST_F(TextTextureTest, AlignmentPlacesTheTextInItsBox)
{
    constexpr float kX = 100;
    CTextTexture text;
    text.Create(&m_font, 120.0f, 60.0f, 0xFFFFFFFF, 0, true);
    text.SetText("WW한글");
    const int w = text.GetRenderedWidth(), h = text.GetRenderedHeight();
    ASSERT_GT(w, 20);
    ASSERT_LT(w, 110);
    // Where the ink starts inside the rendered rectangle (the glyphs' bearings).
    const Ink plain = DrawAt(text, kX, 10);
    ASSERT_FALSE(plain.Empty());
    const int dx = plain.left - kX, dy = plain.top - 10;

    struct Case {
        const char* name;
        uint32_t align;
        float boxWidth, boxHeight;
        float left, top;  // of the rendered rectangle
    };
    const Case cases[] = {
        {"centred", TEXTTEX_CENTER, 120, 60, kX + 60 - w / 2.0f, 10},
        {"right", TEXTTEX_RIGHT, 120, 60, kX + 120 - float(w), 10},
        {"centred wins over right", TEXTTEX_CENTER | TEXTTEX_RIGHT, 120, 60, kX + 60 - w / 2.0f,
         10},
        {"vertically centred", TEXTTEX_VCENTER, 120, 60, kX, 10 + 30 - h / 2.0f},
        {"right, wider than the box", TEXTTEX_RIGHT, 10, 60, kX + 10 - float(w), 10},
    };
    for (const Case& c : cases) {
        text.SetAlign(c.align);
        text.SetBox(c.boxWidth, c.boxHeight);
        const Ink ink = DrawAt(text, kX, 10);
        EXPECT_NEAR(ink.left, c.left + dx, 1.0) << c.name;
        EXPECT_NEAR(ink.top, c.top + dy, 1.0) << c.name;
    }
}

TEST_F(TextTextureTest, TextColourIsRenderedIntoTheTexture)
{
    CTextTexture text;
    text.Create(&m_font, 200.0f, 40.0f, 0xFFFF2000, 0, true);
    text.SetText("■■");
    Begin();
    text.Draw(4, 4, 0xFFFFFFFF);
    End();
    uint32_t brightest = 0;
    for (uint32_t pixel : ReadBack())
        if ((pixel >> 16 & 0xFF) > (brightest >> 16 & 0xFF))
            brightest = pixel;
    EXPECT_EQ(brightest & 0xFFFFFF, 0xFF2000u);
}

TEST_F(TextTextureTest, DirectModeMeasuresAndDrawsThroughTheFont)
{
    CTextTexture text;
    text.Create(&m_font, 200.0f, 40.0f, 0xFFFFFFFF, 0, false);
    const uint64_t before = CTextTexture::RenderCount();
    text.SetText("direct");
    EXPECT_EQ(CTextTexture::RenderCount(), before);
    EXPECT_FALSE(text.HasTexture());
    EXPECT_GT(text.GetRenderedWidth(), 0);
    EXPECT_GT(text.GetRenderedHeight(), 0);
    const Ink ink = DrawAt(text, 20, 20);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + text.GetRenderedWidth());

    text.SetText("");
    EXPECT_TRUE(DrawAt(text, 20, 20).Empty());
}

}  // namespace
