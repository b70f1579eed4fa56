// A deck's drawing of its game's picture on the real device: scaled into the deck, greyed for a
// demonstration game, placed by the slide, and shifted down to the reel window for Morvane.
#include <gtest/gtest.h>

#include "CDXWnd.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CX2DTarget.h"
#include "CXSoundMgr.h"
#include "fake_game.h"
#include "ui_device_fixture.h"

namespace {

class DeckDrawTest : public UIDeviceTest {
protected:
    void SetUp() override
    {
        UIDeviceTest::SetUp();
        g_fUIScaleX = g_fUIScaleY = 1.0f;
        sounds.CreateGroups(3);
        ASSERT_TRUE(decks.BuildDecks());
    }
    void TearDown() override
    {
        decks.BuildDecks();  // games and their targets go before the device's frame ends
        UIDeviceTest::TearDown();
    }

    // Starts a game whose picture (its render target) is all white.
    CGameBase* StartWhite(int deck, int type, int machine, bool demo)
    {
        CGameBase* game = decks.StartGame(deck, type, machine, demo);
        EXPECT_NE(game, nullptr);
        if (!game)
            return nullptr;
        game->m_pTarget = new CX2DTarget;
        const bool portrait = type == 1 || type == 3;
        EXPECT_TRUE(game->m_pTarget->Create(portrait ? 768 : 800, portrait ? 1280 : 600, false));
        EXPECT_TRUE(s_dev->Gfx_BeginScene(game->m_pTarget->GetTarget()));
        s_dev->Gfx_Clear(0xFFFFFFFF);
        s_dev->Gfx_EndScene(false);
        return game;
    }
    void DrawDeck(int deck)
    {
        ASSERT_TRUE(s_dev->Gfx_BeginScene(m_target));
        s_dev->Gfx_Clear(kClear);
        decks.GetDeck(deck)->Draw();
        s_dev->Gfx_EndScene(false);
    }

    FakeGameTypes types{1, 2, 3, 4};
    CXSoundMgr sounds{nullptr};
    CGameDeckList decks{&sounds};
};

TEST_F(DeckDrawTest, PictureIsGreyedForADemoGame)
{
    struct Case {
        bool demo;
        uint32_t colour;
    } cases[] = {{false, 0xFFFFFFFF}, {true, 0xFFA0A0A0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.demo);
        StartWhite(0, 3, c.demo ? 0 : 5, c.demo);
        DrawDeck(0);
        EXPECT_EQ(Pixel(10, 10), c.colour);
        EXPECT_EQ(Pixel(kTargetWidth - 1, kTargetHeight - 1), c.colour)
            << "the picture covers the deck";
    }
}

TEST_F(DeckDrawTest, MorvanePictureStartsBelowTheFrame)
{
    StartWhite(0, 2, 5, false);
    decks.GetDeck(0)->m_nY = -200;  // brings the reel window into the test target
    DrawDeck(0);
    const Ink ink = FindInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_EQ(ink.top, 15) << "the small deck's reel window starts 215 pixels down";
    EXPECT_EQ(ink.left, 0);
}

TEST_F(DeckDrawTest, SlidingPictureFollowsTheSlide)
{
    StartWhite(1, 3, 6, false);
    ASSERT_TRUE(decks.SwapGames(0, 1));  // deck 0 slides in from 382 to 0
    decks.GetDeck(0)->AdvanceSlide(0.1f);
    DrawDeck(0);
    const Ink ink = FindInk();
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.left, 150);
    EXPECT_LT(ink.left, 200);
    EXPECT_EQ(ink.right, kTargetWidth - 1);
}

}  // namespace
