// Widgets drawn through the widget tree into a render target and read back: a dialog frame with a
// Korean label, edit boxes in their text formats, the grouped number display and the selection
// fill.
#include <gtest/gtest.h>

#include "CDXDialog.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "platform/line_editor.h"
#include "widget_fixture.h"

namespace {

class DialogScreenshotTest : public WidgetTest {
protected:
    static constexpr uint32_t kFrame = 0xFF204080;
    // A dialog of the tree at (x, y) on a 240 x 80 frame of kFrame; nullptr if it was not made.
    CDXDialog* FramedDialog(int x, int y)
    {
        m_background.Add(new CUITexture(Solid(240, 80, kFrame)));
        auto* dialog = new CDXDialog();
        if (!dialog->CreateCentred(30, root, &m_background))
            return nullptr;
        dialog->SetPos(x, y);
        return dialog;
    }
    CUIFrames m_background;
};

TEST_F(DialogScreenshotTest, FrameAndKoreanLabelLandWhereTheTreePlacesThem)
{
    constexpr uint32_t kYellow = 0xFFFFFF00;
    CXFont font;
    MakeFont(font, 20);

    CDXDialog* dialog = FramedDialog(8, 8);
    ASSERT_NE(dialog, nullptr);
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

// Not focused, a number box shows the grouped value exactly as a plain box showing the grouped
// text; focused, it shows what was typed.
TEST_F(DialogScreenshotTest, NumberBoxShowsGroupedValueUntilFocused)
{
    CXFont font;
    MakeFont(font, 18);
    CDXEdit* edit = root->CreateEdit(40, &font, 10, 10, 200, 40, 20, false);
    ASSERT_NE(edit, nullptr);
    edit->SetTextFormat(6);
    const auto shot = [&](const char* text, bool numberFormat) {
        edit->SetText(text);
        edit->SetNumberFormat(numberFormat);
        Begin();
        root->Draw();
        End();
        return ReadBack();
    };
    const std::vector<uint32_t> grouped = shot("1,234,567", false);
    const std::vector<uint32_t> plain = shot("1234567", false);
    ASSERT_NE(grouped, plain);
    EXPECT_EQ(shot("1234567", true), grouped);
    EXPECT_EQ(shot("-1234567", true), shot("-1,234,567", false));
    EXPECT_EQ(shot("", true), shot("0", false));
    // Too large for 64 bits: shown as typed, never as another value.
    EXPECT_EQ(shot("99999999999999999999", true), shot("99999999999999999999", false));

    edit->TakeFocus();
    edit->OnUpdate(0.5f);  // caret off
    ASSERT_FALSE(edit->IsCaretShown());
    EXPECT_EQ(shot("1234567", true), shot("1234567", false));
}

// A selection in a focused box is a filled rectangle of the selection colour from the first to
// the last selected character, the box's full height, over the dialog's frame and under the text.
TEST_F(DialogScreenshotTest, SelectionIsFilledBehindTheSelectedText)
{
    constexpr uint32_t kSelection = 0xFF808080;
    CXFont font;
    MakeFont(font, 18);
    CDXDialog* dialog = FramedDialog(0, 0);
    ASSERT_NE(dialog, nullptr);
    CDXEdit* edit = dialog->CreateEdit(31, &font, 10, 10, 200, 40, 20, false);
    ASSERT_NE(edit, nullptr);
    edit->SetText("WWWWWW");
    edit->TakeFocus();
    edit->OnUpdate(0.5f);  // caret off
    ASSERT_TRUE(edit->HasKeyboardFocus());

    const auto selectionBox = [&](int from, int to) {
        platform::SendMessage(edit->GetEditWindow(), EM_SETSEL, static_cast<WPARAM>(from), to);
        edit->GetText();
        Begin();
        root->Draw();
        End();
        const std::vector<uint32_t> pixels = ReadBack();
        const Ink box = InkBox(pixels, [](uint32_t argb) { return argb == kSelection; });
        // Text ink inside the fill.
        int white = 0;
        for (int y = box.top; y <= box.bottom; ++y)
            for (int x = box.left; x <= box.right; ++x)
                white += pixels[size_t(y) * kTargetWidth + x] == 0xFFFFFFFF;
        return std::make_pair(box, white);
    };

    EXPECT_TRUE(selectionBox(3, 3).first.Empty()) << "no selection, no fill";
    TextSize two{}, four{};
    ASSERT_TRUE(font.GetTextExtent("WW", &two));
    ASSERT_TRUE(font.GetTextExtent("WWWW", &four));
    for (const auto& [from, to] : {std::pair{2, 4}, std::pair{4, 2}}) {
        const auto [box, white] = selectionBox(from, to);
        ASSERT_FALSE(box.Empty()) << from << ".." << to;
        EXPECT_NEAR(box.left, 10 + two.cx, 1) << from << ".." << to;
        EXPECT_NEAR(box.right, 10 + four.cx - 1, 1) << from << ".." << to;
        EXPECT_EQ(box.top, 10) << from << ".." << to;
        EXPECT_EQ(box.bottom, 49) << from << ".." << to;
        EXPECT_GT(white, 20) << "the text lies over the fill";
    }
    EXPECT_EQ(Pixel(5, 5), kFrame) << "the frame is still under the box";
}

}  // namespace
