// The Pelagorn game host and its scene machine on the real device: title hand-over, scene changes,
// coin-in, the game clock, demo idle return.
#include <gtest/gtest.h>

#include "CXDrawCOIN.h"
#include "pelagorn_game_fixture.h"

using PelagornGame = PelagornGameTest;

TEST_F(PelagornGame, TitleHandsOverAfterThreeSecondsOfGameTime)
{
    CPelagorn& game = MakeGame();
    CX2DSceneObject* logo = game.GetSceneLOGO();
    CX2DSceneObject* scene = game.GetSceneGAME();
    ASSERT_EQ(game.GetCurrentScene(), logo);
    // 0.5 s of wall time is 0.55 s of game time: 5 frames make 2.75 s, the sixth 3.3 s.
    Frames(5, 0.5);
    EXPECT_EQ(game.GetCurrentScene(), logo);
    EXPECT_EQ(Scene().m_bMenuSwitches.load(), 1) << "the cabinet switches serve the title";
    Frames(1, 0.5);
    EXPECT_EQ(game.GetCurrentScene(), scene);
    EXPECT_EQ(game.GetPreviousScene(), logo);
    EXPECT_EQ(Scene().m_bMenuSwitches.load(), 0);
}

TEST_F(PelagornGame, ChangeSceneIgnoresNullWithoutPreviousAndTheCurrentScene)
{
    m_game = std::make_unique<CPelagorn>(nullptr, 7, 3, false);
    m_game->ChangeScene(nullptr);
    EXPECT_EQ(m_game->GetCurrentScene(), nullptr);

    CPelagorn& game = MakeGame();
    CXSceneLOGO* logo = game.GetSceneLOGO();
    Frames(2, 0.5);
    ASSERT_GT(logo->m_dElapsed, 0.0);
    game.ChangeScene(logo);
    EXPECT_GT(logo->m_dElapsed, 0.0) << "entering the current scene again does not Init it";
    EnterGame();
    game.ChangeScene(nullptr);
    EXPECT_EQ(game.GetCurrentScene(), static_cast<CX2DSceneObject*>(logo)) << "null goes back";
    EXPECT_EQ(logo->m_dElapsed, 0.0);
}

TEST_F(PelagornGame, CoinInAndIdle)
{
    CPelagorn& game = MakeGame(false, true);
    EXPECT_EQ(m_sender.sent, (std::vector<int>{34})) << "entering the machine asks for its state";
    EXPECT_EQ(m_sender.lastKind, 3);
    EXPECT_EQ(m_sender.lastMachine, 7);
    EXPECT_TRUE(game.IsIdle());
    EXPECT_TRUE(game.RequestCoinIn(false));
    EXPECT_FALSE(game.IsIdle());
    EXPECT_FALSE(game.RequestCoinIn(false));
    EXPECT_TRUE(game.RequestCoinIn(true));
    EXPECT_EQ(m_sender.Count(PelagornRequest::CoinIn), 2);
    game.GetProbClient()->OnCoinIn(5000);
    EXPECT_TRUE(game.IsIdle());
    EXPECT_EQ(Scene().m_iCredit, 5000);
    EXPECT_EQ(Scene().m_bCreditArrived, 1);
    EnterGame();
    EXPECT_EQ(Scene().m_bCreditArrived, 0) << "the hand-over plays the credit sound once";
}

TEST_F(PelagornGame, DemoInstanceSendsNothingAndReturnsToTheTitleWhenIdle)
{
    CPelagorn& game = MakeGame(true, true);
    EXPECT_TRUE(m_sender.sent.empty());
    EXPECT_FALSE(game.RequestCoinIn(true));
    EXPECT_FALSE(game.IsIdle());
    EXPECT_TRUE(Scene().IsDemoMode());
    EnterGame();
    EXPECT_TRUE(Scene().IsDemoUnderTitle() == false);
    // 180000 ms of game time after the stamp: not yet; past it: back to the title.
    const double idleWall = CXSceneGAME::kIdleReturnMs / 1000.0 / CPelagorn::kTimeScale;
    Scene().m_dwIdleStamp = game.GetTimeMs();
    s_seconds += idleWall - 0.01;
    game.RunScene(0.0f);
    EXPECT_EQ(game.GetCurrentScene(), static_cast<CX2DSceneObject*>(game.GetSceneGAME()));
    s_seconds += 0.02;
    game.RunScene(0.0f);
    EXPECT_EQ(game.GetCurrentScene(), static_cast<CX2DSceneObject*>(game.GetSceneLOGO()));
    EXPECT_TRUE(Scene().IsDemoUnderTitle());
    EXPECT_TRUE(m_sender.sent.empty());
}

TEST_F(PelagornGame, GameClockScalesAndWraps)
{
    CPelagorn& game = MakeGame();
    s_seconds = 10.0;
    EXPECT_EQ(game.GetTimeMs(), 11000u);
    // 2^32 ms of game time wraps to 0; the clock is computed in 64 bits.
    s_seconds = 4294967.296 / 1.1 + 1.0;
    EXPECT_EQ(game.GetTimeMs(),
              static_cast<uint32_t>(static_cast<uint64_t>(s_seconds * 1.1 * 1000.0)));
    EXPECT_LT(game.GetTimeMs(), 2000u);
}

TEST_F(PelagornGame, OutOfCreditOnlyWhenAllMetersAreZero)
{
    CPelagorn& game = MakeGame();
    EXPECT_TRUE(game.IsOutOfCredit());
    int32_t* meters[] = {&Scene().m_iCredit, &Scene().m_iGift, &Scene().m_iSpin};
    for (int32_t* meter : meters) {
        *meter = 1;
        EXPECT_FALSE(game.IsOutOfCredit());
        *meter = 0;
    }
}

TEST_F(PelagornGame, DemoDropsItsOwnCoinsAtTheDropInterval)
{
    CPelagorn& game = MakeGame(true, true);
    EnterGame();
    CXSceneGAME& s = Scene();
    ASSERT_EQ(game.GetCurrentScene(), static_cast<CX2DSceneObject*>(game.GetSceneGAME()));
    // One coin at once (the last drop lies far back), the next after DROP_TICK of game time.
    const uint32_t before = s.m_pCoins->m_dwLastDrop;
    EXPECT_NE(before, 0u) << "a coin dropped in the first frames";
    const double tickWall = s.m_pCoins->m_dwDropTick / 1000.0 / CPelagorn::kTimeScale;
    Frames(1, tickWall * 0.5);
    EXPECT_EQ(s.m_pCoins->m_dwLastDrop, before) << "not before the interval";
    Frames(1, tickWall * 0.6);
    EXPECT_GT(s.m_pCoins->m_dwLastDrop, before);
    EXPECT_EQ(s.m_iCoinsInPlay, 0) << "demo coins are not paid for";
    EXPECT_TRUE(m_sender.sent.empty());
}
