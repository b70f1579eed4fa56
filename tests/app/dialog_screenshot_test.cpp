// A dialog with a Korean label drawn through the widget tree into a render target and read back:
// the frame image at the dialog's place, yellow text ink inside the label, nothing elsewhere.
#include <gtest/gtest.h>

#include "CDXDialog.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "widget_fixture.h"

namespace {

class DialogScreenshotTest : public WidgetTest {};

TEST_F(DialogScreenshotTest, FrameAndKoreanLabelLandWhereTheTreePlacesThem)
{
    constexpr uint32_t kFrame = 0xFF204080;
    constexpr uint32_t kYellow = 0xFFFFFF00;
    CUIFrames background;
    background.Add(new CUITexture(Solid(240, 80, kFrame)));
    CXFont font;
    MakeFont(font, 20);

    auto* dialog = new CDXDialog();
    ASSERT_TRUE(dialog->CreateCentred(30, root, &background));
    dialog->SetPos(8, 8);
    CDXLabel* label = dialog->CreateLabel(31, &font, 12, 12, 200, 40, true);
    ASSERT_NE(label, nullptr);
    label->SetText("한글 확인", kYellow);

    Begin();
    root->Draw();
    End();

    EXPECT_EQ(Pixel(2, 2), kClear) << "outside the dialog";
    EXPECT_EQ(Pixel(10, 10), kFrame) << "frame, left of the label";
    EXPECT_EQ(Pixel(240, 80), kFrame) << "frame, bottom right";
    EXPECT_EQ(Pixel(250, 90), kClear) << "beyond the frame";

    // Text ink: bright red and green over the frame's blue, all inside the label's rectangle.
    const std::vector<uint32_t> pixels = ReadBack();
    int ink = 0, left = kTargetWidth, right = -1, top = kTargetHeight, bottom = -1;
    for (int y = 0; y < kTargetHeight; ++y)
        for (int x = 0; x < kTargetWidth; ++x) {
            const uint32_t p = pixels[size_t(y) * kTargetWidth + x];
            if (((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0) {
                ++ink;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    EXPECT_GT(ink, 40);
    EXPECT_GE(left, 20);
    EXPECT_LT(right, 220);
    EXPECT_GE(top, 20);
    EXPECT_LT(bottom, 60);
    EXPECT_GT(right - left, 40) << "four Hangul syllables are wider than this";

    // Hidden: nothing of it is drawn.
    dialog->Show(false);
    Begin();
    root->Draw();
    End();
    EXPECT_TRUE(FindInk().Empty());
}

TEST_F(DialogScreenshotTest, EditBoxDrawsItsTextWhereItsFormatPutsIt)
{
    CXFont font;
    MakeFont(font, 18);
    CDXEdit* edit = root->CreateEdit(40, &font, 10, 10, 200, 40, 20, false);
    ASSERT_NE(edit, nullptr);
    edit->SetText("123");
    // Not focused: drawn with its text format; right-aligned and vertically centred.
    edit->SetTextFormat(6);
    Begin();
    root->Draw();
    End();
    Ink ink = FindInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.left, 150);
    EXPECT_LE(ink.right, 210);
    EXPECT_GT(ink.top, 15);
    EXPECT_LT(ink.bottom, 45);
    // Focused: from the left edge, with the caret after the text.
    edit->TakeFocus();
    Begin();
    root->Draw();
    End();
    ink = FindInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.left, 10);
    EXPECT_LT(ink.left, 20);
}

} // namespace
