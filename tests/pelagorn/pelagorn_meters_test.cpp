// The game scene's money rules on a real game: coin drops, automatic gift-out, the gift-out
// accounting, ticket-out pacing, the meter displays and the enter answer's settings.
#include <gtest/gtest.h>

#include "CXDrawFRAME.h"
#include "pelagorn_game_fixture.h"

using PelagornMeters = PelagornGameTest;

TEST_F(PelagornMeters, AutomaticGiftOutCases)
{
    struct Case {
        const char* name;
        int32_t credit;
        int32_t gift;
        int32_t expectedCommGift;
        int32_t expectedNormalBonus;
    };
    const Case cases[] = {
        {"the maximum starts 4 units whatever the credit", 100000, 23000, 20000, 3000},
        {"whole units with no credit left", 99, 10099, 10000, 99},
        {"a remainder of a coin or more waits", 99, 10100, 0, 0},
        {"credit left for coins waits", 100, 10000, 0, 0},
        {"less than one unit", 0, 4999, 0, 0},
    };
    for (const Case& c : cases) {
        MakeGame();
        Scene().m_iCredit = c.credit;
        Scene().m_iGift = c.gift;
        Scene().m_iSpin = 3;
        Scene().CheckAutoGiftOut();
        EXPECT_EQ(Scene().m_iCommGift, c.expectedCommGift) << c.name;
        EXPECT_EQ(Scene().m_iNormalBonus, c.expectedNormalBonus) << c.name;
        if (c.expectedCommGift) {
            EXPECT_EQ(Scene().m_iGift, 0) << c.name;
            EXPECT_EQ(Scene().m_iSpin, 0) << c.name;
            EXPECT_EQ(Scene().m_iSkipCount, 3) << c.name;
        }
    }
}

TEST_F(PelagornMeters, CoinPaidFromGiftStartsAGiftOutOnlyNearAWholeUnit)
{
    struct Case {
        int32_t gift;
        int32_t expectedCommGift;
    };
    for (const Case c : {Case{10150, 10000}, Case{10151, 0}}) {
        MakeGame();
        Scene().m_iCredit = 0;
        Scene().m_iGift = c.gift;
        Scene().ApplyCoinDrop(false);
        EXPECT_EQ(Scene().m_iCommGift, c.expectedCommGift) << c.gift;
        EXPECT_EQ(Scene().m_iCoinsInPlay, c.expectedCommGift ? 0 : 100) << c.gift;
    }
    MakeGame();
    Scene().m_iCredit = 50;
    Scene().ApplyCoinDrop(true);
    EXPECT_EQ(Scene().m_iCredit, 0) << "CREDIT never goes below 0";
    EXPECT_EQ(Scene().m_iCoinsInPlay, 100);
}

TEST_F(PelagornMeters, CoinDropNeedsACoinOfCreditOrGift)
{
    MakeGame();
    EnterGame();
    m_game->SetAutoPlay(true);
    Scene().m_iCredit = 99;
    Scene().m_iGift = 99;
    Frames(3, 0.02);
    EXPECT_EQ(m_sender.Count(PelagornRequest::CoinDrop), 0);
    Scene().m_iGift = 100;
    Frames(3, 0.02);
    EXPECT_EQ(m_sender.Count(PelagornRequest::CoinDrop), 1) << "one request until its answer";
    CPelagornCoinDropRecord accepted;
    accepted.dwFromCredit = 0;
    m_game->GetProbClient()->OnCoinDrop(true, accepted);
    EXPECT_EQ(Scene().m_iGift, 0);
    Frames(1, 0.02);
    EXPECT_EQ(m_sender.Count(PelagornRequest::CoinDrop), 1);
}

TEST_F(PelagornMeters, TicketOutPacedUntilPaid)
{
    MakeGame();
    EnterGame();
    Scene().m_iCommGift = 5000;
    Scene().m_pOwner->GetProbClient()->StampTicketOut();
    Frames(10, 0.1);  // 1.1 s of game time
    EXPECT_EQ(m_sender.Count(PelagornRequest::TicketOut), 0);
    Frames(5, 0.1);
    EXPECT_EQ(m_sender.Count(PelagornRequest::TicketOut), 1);
    Frames(10, 0.1);
    EXPECT_EQ(m_sender.Count(PelagornRequest::TicketOut), 1)
        << "a second try within 1500 ms sends nothing";
    CPelagornTicketOutRecord paid;
    paid.bComplete = true;
    paid.iCredit = 700;
    m_game->GetProbClient()->OnTicketOut(true, paid);
    EXPECT_EQ(Scene().m_iCommGift, 0);
    EXPECT_EQ(Scene().m_iCredit, 700);
    Frames(30, 0.1);
    EXPECT_EQ(m_sender.Count(PelagornRequest::TicketOut), 1) << "paid: no more tries";
}

TEST_F(PelagornMeters, GiftShowsAtMostTheMaximum)
{
    MakeGame();
    CXDrawFRAME* frame = Scene().m_pFrame;
    ASSERT_GT(frame->m_Scores.GetSize(), CXDrawFRAME::kGiftScore);
    Scene().m_iGift = 25000;
    Scene().ShowGift();
    EXPECT_EQ(frame->m_Scores.GetAt(CXDrawFRAME::kGiftScore)->m_dwTarget, 20000u);
    EXPECT_FLOAT_EQ(frame->m_fGiftGaugeTarget, 100.0f);
    EXPECT_EQ(Scene().m_iGift, 25000) << "GIFT itself keeps its value";
}

TEST_F(PelagornMeters, CommGiftAccounting)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    s.AddCommGiftToGo(5);
    EXPECT_EQ(s.m_iCommGift, 0) << "5 units are over the gift maximum";
    s.AddCommGiftToGo(2);
    EXPECT_EQ(s.m_iCommGift, 10000);
    s.AddCommGiftToGo(1);
    EXPECT_EQ(s.m_iCommGift, 10000) << "no second gift-out while one is to be paid";
    s.AddCommGiftToGo(-1);
    EXPECT_EQ(s.m_iCommGift, 5000);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_OUTPUT_GIFT], 1);
    s.AddCommGiftToGo(-2);
    EXPECT_EQ(s.m_iCommGift, 5000) << "more gifts than are owed are not counted";
    s.AddCommGiftToGo(-1);
    EXPECT_EQ(s.m_iCommGift, 0);
    s.AddCommGiftToGo(-1);
    EXPECT_EQ(s.m_iCommGift, 0);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_OUTPUT_GIFT], 2);
}

TEST_F(PelagornMeters, EnterAnswerRefusesZeroDivisors)
{
    MakeGame();
    std::vector<uint8_t> bytes(117, 0);
    bytes[0] = 0x10;  // CREDIT 0x2710 = 10000
    bytes[1] = 0x27;
    bytes[40] = 50;  // oil maximum
    bytes[44] = 25;  // L_OIL
    bytes[48] = 50;  // R_OIL
    CPelagornEnterRecord record;
    record.Read(bytes.data(), bytes.size());
    m_game->GetProbClient()->OnEnter(record);
    CXSceneGAME& s = Scene();
    EXPECT_EQ(s.m_iCredit, 10000);
    EXPECT_EQ(s.m_iCoinThreshold, 100);
    EXPECT_EQ(s.m_iGiftMaximum, 20000);
    EXPECT_EQ(s.m_iGiftUnit, 5000);
    EXPECT_DOUBLE_EQ(s.m_pFrame->m_dLeftOilTarget, 50.0);
    EXPECT_DOUBLE_EQ(s.m_pFrame->m_dRightOilTarget, 100.0);
    EXPECT_EQ(m_game->GetSceneLOGO()->m_dElapsed, 0.0)
        << "the title's seconds count from the answer";
    // No gauge for an oil maximum of 0, and no division by it.
    s.m_iOilMaximum = 0;
    s.m_iLOil = 10;
    s.ShowOil();
    EXPECT_DOUBLE_EQ(s.m_pFrame->m_dLeftOilTarget, 50.0);
}

TEST_F(PelagornMeters, DemoStartsOnlyWithoutMoneyOnTheMachine)
{
    MakeGame();
    // The frame's two sign pieces lit, beside a piece that is not one of them.
    CXDrawFRAME& frame = *Scene().m_pFrame;
    ASSERT_GE(frame.m_Pieces.GetSize(), 3u);
    frame.m_nSignPieces[0] = 1;
    frame.m_nSignPieces[1] = 2;
    for (uint32_t piece = 0; piece < 3; ++piece)
        frame.m_Pieces.GetAt(piece)->m_nState = 1;
    Scene().m_iGift = 100;
    Scene().StartDemo(m_game->GetSceneAccount());
    EXPECT_FALSE(Scene().IsDemoMode());
    EXPECT_EQ(frame.m_Pieces.GetAt(1)->m_nState, 1) << "a demo that does not start changes nothing";
    Scene().m_iGift = 99;
    Scene().StartDemo(m_game->GetSceneAccount());
    EXPECT_TRUE(Scene().IsDemoMode());
    EXPECT_EQ(m_game->GetCurrentScene(), static_cast<CX2DSceneObject*>(m_game->GetSceneLOGO()));
    EXPECT_EQ(Scene().m_iGift, 0);
    EXPECT_EQ(frame.m_Pieces.GetAt(1)->m_nState, 0);
    EXPECT_EQ(frame.m_Pieces.GetAt(2)->m_nState, 0);
    EXPECT_EQ(frame.m_Pieces.GetAt(0)->m_nState, 1);
}
