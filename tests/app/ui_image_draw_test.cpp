// UI images, caption fonts and frame animations drawn into a render target and read back.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "CUIAni.h"
#include "CUIFont.h"
#include "CUIFrames.h"
#include "CUITexture.h"
#include "CXFont.h"
#include "ui_device_fixture.h"

namespace {

class UIImageDrawTest : public UIDeviceTest {
protected:
    template <typename Draw>
    Ink Drawn(Draw draw)
    {
        Begin();
        draw();
        End();
        return FindInk();
    }
};

TEST_F(UIImageDrawTest, ImagesDrawAtTheirPlaceAndScale)
{
    CUITexture image(Solid(8, 4, 0xFFFF0000));
    EXPECT_EQ(image.GetWidth(), 8);
    EXPECT_EQ(image.GetHeight(), 4);
    struct Case {
        const char* name;
        std::function<void()> draw;
        Ink ink;
    };
    const Case cases[] = {
        {"whole", [&] { image.Draw(10, 20); }, {10, 20, 17, 23}},
        {"scaled 2", [&] { image.Draw(10, 20, 2.0f); }, {10, 20, 25, 27}},
        {"region", [&] { image.DrawRegion(30, 5, 2, 1, 4, 2, 1.0f, 1.0f); }, {30, 5, 33, 6}},
        {"region scaled 3 by 1",
         [&] { image.DrawRegion(30, 5, 0, 0, 2, 2, 3.0f, 1.0f); },
         {30, 5, 35, 6}},
        {"no texture", [] { CUITexture(nullptr).Draw(10, 20); }, {}},
    };
    for (const Case& c : cases) {
        const Ink ink = Drawn(c.draw);
        EXPECT_EQ(ink.left, c.ink.left) << c.name;
        EXPECT_EQ(ink.top, c.ink.top) << c.name;
        EXPECT_EQ(ink.right, c.ink.right) << c.name;
        EXPECT_EQ(ink.bottom, c.ink.bottom) << c.name;
    }
    Begin();
    image.Draw(0, 0, 1.0f, 0xFF00FF00);  // modulated: red x green is black
    image.Draw(0, 10, 1.0f, 0xFFFFFFFF);
    End();
    EXPECT_EQ(Pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(1, 11), 0xFFFF0000u);
}

TEST_F(UIImageDrawTest, AnimationDrawsItsCurrentFrameScaled)
{
    CUIFrames frames;
    frames.Add(new CUITexture(Solid(4, 4, 0xFFFF0000)));
    frames.Add(new CUITexture(Solid(4, 4, 0xFF00FF00)));
    frames.Add(new CUITexture(Solid(4, 4, 0xFF0000FF)));
    CUIAni ani;
    ani.Set(&frames, 1.0f, 50, 30, 2.0f, 1.5f);
    Begin();
    ani.Draw();
    End();
    EXPECT_EQ(Pixel(51, 31), 0xFFFF0000u);
    const Ink first = FindInk();
    EXPECT_EQ(first.right, 57);
    EXPECT_EQ(first.bottom, 35);

    ani.Update(0.5f);
    ani.SetPos(60, 30);
    Begin();
    ani.Draw();
    End();
    EXPECT_EQ(Pixel(61, 31), 0xFF00FF00u);
}

TEST_F(UIImageDrawTest, CaptionFontDrawsCentredInItsBox)
{
    CXFont font;
    CXFontDesc desc;
    desc.Height = -16;
    std::strcpy(desc.FaceName, "나눔고딕");
    font.SetDesc(desc);
    ASSERT_TRUE(font.Create(1.0f, 1.0f));
    const CUIFont caption(&font, 100, 40, 0xFFFFFFFF, 5);
    const Ink centred = Drawn([&] { caption.Draw(20.7f, 10.2f, "확인"); });
    ASSERT_FALSE(centred.Empty());
    // Centred both ways in the 100 x 40 box at (20, 10).
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 70, 3);
    EXPECT_NEAR((centred.top + centred.bottom) / 2.0, 30, 4);
    EXPECT_TRUE(Drawn([&] { caption.Draw(20, 10, ""); }).Empty());
    EXPECT_TRUE(Drawn([] { CUIFont().Draw(20, 10, "x"); }).Empty());
}

}  // namespace
