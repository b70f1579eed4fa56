// The deck panel's move button drawn into a render target: when the pointer changes its state, the
// previous state's image fades out over the new one within the button's fade time.
#include <gtest/gtest.h>

#include "CWndDeck.h"
#include "widget_fixture.h"

namespace {

using DeckMoveButtonDrawTest = WidgetTest;

TEST_F(DeckMoveButtonDrawTest, StateChangeCrossFadesFromThePreviousImage)
{
    // State images: 0 blue, 2 red (hover).
    auto* move = new CBtnDeckGameMove();
    ASSERT_TRUE(move->CreateButton(40, 10, 10, &m_buttonFrames, nullptr, root));
    move->FadeShow(true);
    root->Update(0.2f);
    ASSERT_FALSE(move->IsFading());

    auto drawn = [&] {
        Begin();
        root->Draw();
        End();
        return Pixel(20, 15);
    };
    EXPECT_EQ(drawn(), 0xFF0000FFu);

    Mouse(WM_MOUSEMOVE, 20, 15);  // hover: state 2
    ASSERT_EQ(move->GetState(), 2);
    struct Case {
        float seconds;  // since the change
        int red, blue;
    };
    const Case cases[] = {{0.0f, 0, 255}, {0.05f, 128, 128}, {0.1f, 255, 0}};
    float elapsed = 0.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        root->Update(c.seconds - elapsed);
        elapsed = c.seconds;
        const uint32_t p = drawn();
        EXPECT_NEAR(int((p >> 16) & 0xFF), c.red, 12);
        EXPECT_NEAR(int(p & 0xFF), c.blue, 12);
    }
    EXPECT_FALSE(move->IsCrossFading());
}

}  // namespace
