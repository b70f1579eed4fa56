// A machine button drawn into a render target: its number as digit images side by side, centred,
// from two thirds of its height down, in the free or taken colour; numbers past 999 keep their
// leading digits.
#include <gtest/gtest.h>

#include <string>

#include "CRdoMachine.h"
#include "widget_fixture.h"

namespace {

class MachineButtonDrawTest : public WidgetTest {
protected:
    static constexpr int kDigitWidth = 6;
    static constexpr int kButtonWidth = 80;
    static constexpr int kButtonHeight = 30;
    static constexpr uint32_t kFrame = 0xFF0000FF;

    // Digit d is a solid block whose red channel names it.
    static uint32_t DigitColour(int d) { return 0xFF000000u | uint32_t(40 + d * 20) << 16; }

    void SetUp() override
    {
        WidgetTest::SetUp();
        for (int d = 0; d < 10; ++d)
            m_digits.Add(new CUITexture(Solid(kDigitWidth, 10, DigitColour(d))));
        m_frames.Add(new CUITexture(Solid(kButtonWidth, kButtonHeight, kFrame)));
        m_frames.Add(new CUITexture(Solid(kButtonWidth, kButtonHeight, kFrame)));
    }

    // The digits read back along the row two thirds down, and where the first one starts.
    std::string DigitsShown(int& firstX)
    {
        const std::vector<uint32_t> pixels = ReadBack();
        const int y = kButtonHeight * 2 / 3 + 2;
        std::string digits;
        firstX = -1;
        for (int x = 0; x < kButtonWidth; ++x) {
            const uint32_t p = pixels[size_t(y) * kTargetWidth + size_t(x)];
            if (p == kFrame || p == kClear)
                continue;
            if (firstX < 0)
                firstX = x;
            if ((x - firstX) % kDigitWidth == 0)
                digits += char('0' + (int((p >> 16) & 0xFF) - 40) / 20);
        }
        return digits;
    }

    CUIFrames m_digits;
    CUIFrames m_frames;
};

TEST_F(MachineButtonDrawTest, NumberDrawnAsCentredDigits)
{
    auto* button = new CRdoMachine();
    ASSERT_TRUE(button->Create(300, 0, 0, &m_frames, &m_digits, root));
    button->SetDigitColours(0xFF404040, 0xFFFFFFFF);
    struct Case {
        int value;
        const char* digits;
    } cases[] = {{7, "007"}, {42, "042"}, {999, "999"}, {1001, "1001"}, {65535, "65535"}, {-1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        button->SetUserValue(c.value);
        Begin();
        root->Draw();
        End();
        int firstX = -1;
        EXPECT_EQ(DigitsShown(firstX), c.digits);
        const int count = int(std::string(c.digits).size());
        if (count > 0) {
            EXPECT_EQ(firstX, kButtonWidth / 2 - count * kDigitWidth / 2);
        }
    }

    // Taken: the digits darken to the taken colour.
    button->SetUserValue(5);
    button->SetChecked(true);
    Begin();
    root->Draw();
    End();
    const uint32_t taken = Pixel(kButtonWidth / 2 + kDigitWidth, kButtonHeight * 2 / 3 + 2);
    EXPECT_LT((taken >> 16) & 0xFF, (DigitColour(5) >> 16) & 0xFF);
    EXPECT_GT((taken >> 16) & 0xFF, 0u);
}

}  // namespace
