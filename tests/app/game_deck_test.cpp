// Decks and the deck list with fake games: layout, starting by type, the same machine in two
// decks, swaps with their sound groups and slides, lookups by machine key.
#include <gtest/gtest.h>

#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CXSoundMgr.h"
#include "fake_game.h"

namespace {

class DeckListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sounds.CreateGroups(3);  // groups 0..3, one per deck
        ASSERT_TRUE(decks.BuildDecks());
    }
    CGameBase* Game(int deck) { return decks.GetDeck(deck)->GetGame(); }

    FakeGameTypes types{1, 2, 3, 4};
    RecordingPanel panels[4];  // outlive the decks
    CXSoundMgr sounds{nullptr};
    CGameDeckList decks{&sounds};
};

TEST_F(DeckListTest, DecksFollowTheLayoutTable)
{
    ASSERT_EQ(decks.GetCount(), 4);
    EXPECT_EQ(g_pGameDeckList, &decks);
    const int expected[4][4] = {
        {0, 0, 382, 698}, {382, 0, 578, 1080}, {960, 0, 578, 1080}, {1538, 0, 382, 698}};
    for (int i = 0; i < 4; ++i) {
        CGameDeck* deck = decks.GetDeck(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(deck->m_nIndex, i);
        EXPECT_EQ(deck->m_nSoundGroup, i);
        EXPECT_FLOAT_EQ(deck->m_fX, expected[i][0]);
        EXPECT_EQ(deck->m_nY, expected[i][1]);
        EXPECT_EQ(deck->m_nWidth, expected[i][2]);
        EXPECT_EQ(deck->m_nHeight, expected[i][3]);
        EXPECT_EQ(deck->GetGame(), nullptr);
        EXPECT_TRUE(deck->IsFree());
    }
    EXPECT_EQ(decks.GetDeck(4), nullptr);
    EXPECT_EQ(decks.GetDeck(-1), nullptr);
}

TEST_F(DeckListTest, StartGameCreatesByTypeInitialisesAndSelectsTheSoundGroup)
{
    CGameBase* game = decks.StartGame(2, 3, 17, false);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->m_nGameType, 3);
    EXPECT_EQ(game->m_nMachineNo, 17);
    EXPECT_FALSE(game->IsDemo());
    EXPECT_EQ(game->GetDeck(), decks.GetDeck(2));
    EXPECT_EQ(sounds.m_nCurrentGroup, 2);
    EXPECT_EQ(FakeGame::log, (std::vector<std::string>{"3:17:init hosted"}));

    // A new start replaces (deletes) the deck's game.
    ASSERT_NE(decks.StartGame(2, 1, 5, false), nullptr);
    EXPECT_EQ(FakeGame::live, 1);
}

TEST_F(DeckListTest, SameMachineRefusedInASecondDeckUnlessTheRunningOneIsDemo)
{
    struct Case {
        bool firstDemo;
        int type, machine;  // the second start
        bool started;
    } cases[] = {
        {false, 2, 7, false},  // the same machine twice
        {true, 2, 7, true},    // the running one is a demo game
        {false, 4, 7, true},   // same number, other type
        {false, 2, 8, true},   // same type, other number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.firstDemo << " " << c.type << ":" << c.machine);
        ASSERT_TRUE(decks.BuildDecks());
        ASSERT_NE(decks.StartGame(0, 2, 7, c.firstDemo), nullptr);
        EXPECT_EQ(decks.StartGame(1, c.type, c.machine, false) != nullptr, c.started);
        EXPECT_EQ(Game(1) != nullptr, c.started) << "a refused start leaves the deck as it was";
    }
}

TEST_F(DeckListTest, TypesWithoutAGameLeaveTheDeckEmpty)
{
    for (int type : {0, 5, -1}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(decks.StartGame(3, type, 0, true), nullptr);
        EXPECT_EQ(Game(3), nullptr);
    }
    EXPECT_EQ(decks.StartGame(4, 2, 1, false), nullptr);
    EXPECT_EQ(decks.StartGame(-1, 2, 1, false), nullptr);
    EXPECT_EQ(FakeGame::live, 0);
}

TEST_F(DeckListTest, AFailedMachineStartGivesTheDeckItsDemoGameBack)
{
    ASSERT_NE(decks.StartGame(1, 4, 0, true), nullptr);
    // The type has a creator but its game fails to initialise: it is deleted, the demo returns.
    FakeGame::next.failInitializeType = 2;
    EXPECT_EQ(decks.StartGame(1, 2, 9, false), nullptr);
    ASSERT_NE(Game(1), nullptr);
    EXPECT_TRUE(Game(1)->IsDemo());
    EXPECT_EQ(Game(1)->m_nGameType, 4) << "deck 1 shows the bet-200 Morvane demo";
    EXPECT_EQ(FakeGame::live, 1);

    // A type without a creator: the machine is not started, the demo comes back.
    FakeGameTypes only{2, 4};
    EXPECT_EQ(decks.StartGame(1, 3, 9, false), nullptr);
    ASSERT_NE(Game(1), nullptr);
    EXPECT_TRUE(Game(1)->IsDemo());
}

TEST_F(DeckListTest, FindGameIgnoresMachineZeroAndDemoGames)
{
    decks.StartGame(0, 2, 0, true);
    decks.StartGame(1, 4, 12, true);
    decks.StartGame(2, 1, 12, false);
    EXPECT_EQ(decks.FindGame(2, 0), nullptr);
    EXPECT_EQ(decks.FindGame(4, 12), nullptr);
    EXPECT_EQ(decks.FindGame(1, 12), Game(2));
    EXPECT_EQ(decks.FindGame(3, 12), nullptr);
}

TEST_F(DeckListTest, IsFreeForNoGameDemoOrOutOfCredit)
{
    decks.StartGame(0, 2, 0, true);
    decks.StartGame(1, 2, 3, false);
    FakeGame::next.outOfCredit = true;
    decks.StartGame(2, 2, 4, false);
    EXPECT_TRUE(decks.GetDeck(0)->IsFree());
    EXPECT_FALSE(decks.GetDeck(1)->IsFree());
    EXPECT_TRUE(decks.GetDeck(2)->IsFree());
    EXPECT_TRUE(decks.GetDeck(3)->IsFree());
}

TEST_F(DeckListTest, SwapExchangesGamesSoundGroupsAndSlidesBothIn)
{
    for (int i = 0; i < 4; ++i)
        decks.GetDeck(i)->SetPanel(&panels[i]);
    CGameBase* left = decks.StartGame(1, 2, 5, false);
    CGameBase* right = decks.StartGame(2, 3, 6, false);

    EXPECT_FALSE(decks.SwapGames(1, 1));
    EXPECT_EQ(Game(1), left);
    EXPECT_EQ(sounds.GetGroup(1)->GetIndex(), 1);

    const int before1 = panels[1].refreshes, before2 = panels[2].refreshes;
    ASSERT_TRUE(decks.SwapGames(2, 1)) << "the pair in either order";
    EXPECT_EQ(Game(1), right);
    EXPECT_EQ(Game(2), left);
    EXPECT_EQ(right->GetDeck(), decks.GetDeck(1));
    EXPECT_EQ(left->GetDeck(), decks.GetDeck(2));
    EXPECT_EQ(sounds.GetGroup(1)->GetIndex(), 2) << "the games' sounds move with them";
    EXPECT_EQ(sounds.GetGroup(2)->GetIndex(), 1);
    EXPECT_EQ(panels[1].refreshes, before1 + 1);
    EXPECT_EQ(panels[2].refreshes, before2 + 1);

    // Deck 1 (the lower index) slides in from the right, deck 2 from the left.
    CGameDeck* a = decks.GetDeck(1);
    CGameDeck* b = decks.GetDeck(2);
    EXPECT_TRUE(a->m_bSliding);
    EXPECT_FLOAT_EQ(a->m_fX, 382.0f + 578.0f);
    EXPECT_FLOAT_EQ(b->m_fX, 960.0f - 578.0f);

    // Swapping with an empty deck moves the game and leaves the other deck empty.
    ASSERT_TRUE(decks.SwapGames(2, 3));
    EXPECT_EQ(Game(2), nullptr);
    EXPECT_EQ(Game(3), left);
    EXPECT_EQ(decks.SwapGames(3, 4), false);
    EXPECT_EQ(Game(3), left);
}

TEST_F(DeckListTest, SwapNeedsTheSoundGroups)
{
    CXSoundMgr oneGroup{nullptr};
    CGameDeckList few{&oneGroup};
    ASSERT_TRUE(few.BuildDecks());
    CGameBase* game = few.StartGame(0, 2, 1, false);
    EXPECT_FALSE(few.SwapGames(0, 1));
    EXPECT_EQ(few.GetDeck(0)->GetGame(), game);
    EXPECT_FALSE(few.GetDeck(0)->m_bSliding);
}

TEST_F(DeckListTest, SlideRunsForAFifthOfASecondAndRestartsFromTheNewStart)
{
    decks.StartGame(0, 2, 1, false);
    decks.StartGame(1, 2, 2, false);
    ASSERT_TRUE(decks.SwapGames(0, 1));
    CGameDeck* deck = decks.GetDeck(0);  // target 0, from the right: start 382
    struct Step {
        float dt;
        float x;
        bool sliding;
    } steps[] = {
        {0.05f, 286.5f, true}, {0.05f, 191.0f, true}, {0.05f, 95.5f, true}, {0.06f, 0.0f, false}};
    for (const Step& s : steps) {
        deck->AdvanceSlide(s.dt);
        EXPECT_NEAR(deck->m_fX, s.x, 0.01f);
        EXPECT_EQ(deck->m_bSliding != 0, s.sliding);
    }

    // A second swap while the first slide runs starts again from the new start position.
    ASSERT_TRUE(decks.SwapGames(0, 1));
    deck->AdvanceSlide(0.1f);
    ASSERT_TRUE(decks.SwapGames(0, 1));
    EXPECT_FLOAT_EQ(deck->m_fX, 382.0f);
    EXPECT_FLOAT_EQ(deck->m_fSlideTime, 0.0f);
}

TEST_F(DeckListTest, SharedAutoPlayFollowsCanPlayAndMirrorsIntoThePanel)
{
    RecordingPanel& panel = panels[0];
    decks.GetDeck(0)->SetPanel(&panel);
    CGameBase* game = decks.StartGame(0, 2, 1, false);
    EXPECT_TRUE(game->SetAutoPlay(true));
    EXPECT_EQ(game->m_bAutoPlay, 1);
    static_cast<FakeGame*>(game)->config.canPlay = false;
    EXPECT_FALSE(game->SetAutoPlay(true));
    EXPECT_EQ(game->m_bAutoPlay, 0);
    EXPECT_EQ(panel.radio, (std::vector<bool>{true, false}));
}

TEST_F(DeckListTest, UpdateAndDeviceNotificationsReachEveryHostedGame)
{
    decks.StartGame(0, 2, 1, false);
    decks.StartGame(3, 3, 0, true);
    FakeGame::log.clear();
    decks.UpdateGames();
    decks.NotifyDeviceLost();
    decks.NotifyDeviceReset();
    EXPECT_EQ(FakeGame::log, (std::vector<std::string>{"2:1:update", "3:0:update", "2:1:lost",
                                                       "3:0:lost", "2:1:reset", "3:0:reset"}));
}

TEST(GameFactoryTest, OnlyTypesOneToFourTakeACreator)
{
    FakeGameTypes none{};
    EXPECT_FALSE(RegisterGameType(0, CreateFakeGame<1>));
    EXPECT_FALSE(RegisterGameType(5, CreateFakeGame<1>));
    EXPECT_TRUE(RegisterGameType(4, CreateFakeGame<4>));
    EXPECT_EQ(FindGameCreator(4), &CreateFakeGame<4>);
    EXPECT_EQ(FindGameCreator(5), nullptr);
    EXPECT_TRUE(RegisterGameType(4, nullptr));
    EXPECT_EQ(FindGameCreator(4), nullptr);
}

}  // namespace
