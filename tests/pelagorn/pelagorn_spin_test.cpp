// The game scene's spin results and items on a real game: the spin cycle through the server
// link, the event record's result state and prize-effect lookup, item hits.
#include <gtest/gtest.h>

#include "pelagorn_game_fixture.h"

namespace {

class PelagornSpin : public PelagornGameTest {
protected:
    CXProbDataInfo Event()
    {
        CXProbDataInfo e;
        e.m_byType = 1;
        e.m_byStop[0] = 3;
        e.m_byStop[3] = 9;
        return e;
    }
};

}  // namespace

TEST_F(PelagornSpin, OnlineSpinFromSpinDataToGameFin)
{
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    CPelagornProbClient& link = *m_game->GetProbClient();
    s.StartScrollReel();
    s.StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 1);

    std::vector<uint8_t> bytes(227, 0);
    bytes[4] = 0xE8;  // CREDIT 1000
    bytes[5] = 0x03;
    bytes[12] = 2;    // SPIN
    bytes[32 + 33] = 0x88;  // total win 5000
    bytes[32 + 34] = 0x13;
    bytes[32 + 41] = 1;
    bytes[99 + 17] = 5;     // last event type
    bytes[163 + 46] = 3;    // both background groups
    CPelagornSpinRecord spin;
    spin.Read(bytes.data(), bytes.size());
    link.OnSpinData(true, spin);
    EXPECT_EQ(s.m_iCredit, 1000);
    EXPECT_EQ(s.m_iSpin, 2);
    EXPECT_EQ(s.m_Result.iTotalWin, 5000) << "online, the state is the server's";
    EXPECT_EQ(s.m_Result.abyReelMark[0][0], 1);
    EXPECT_EQ(s.m_LastEvent.m_byType, 5);
    EXPECT_TRUE(s.IsSecondGroupShown());
    s.StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 1) << "held until the game-fin answer";

    EXPECT_TRUE(link.RequestReelsStopped());
    EXPECT_TRUE(link.RequestResult());
    link.OnSpinResult(false, nullptr);
    link.OnSpinEnd(true);
    EXPECT_TRUE(link.RequestGameFin());
    CPelagornGameFinRecord fin;
    const uint8_t finBytes[12] = {0x10, 0x27, 0, 0, 0x88, 0x13, 0, 0, 1, 0, 0, 0};
    fin.Read(finBytes, sizeof finBytes);
    link.OnGameFin(true, fin);
    EXPECT_EQ(s.m_iCredit, 10000);
    EXPECT_EQ(s.m_iGift, 5000);
    EXPECT_EQ(s.m_iSpin, 1);
    s.StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 2);
}

TEST_F(PelagornSpin, NoSpinWhileAGiftOutIsOwed)
{
    MakeGame();
    Scene().m_iCommGift = 5000;
    Scene().StartScrollReel();
    Scene().m_iCommGift = 0;
    Scene().m_iGift = 20000;
    Scene().StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 0);
}

TEST_F(PelagornSpin, DemoEventBuildsTheResultState)
{
    MakeGame(true);
    CXSceneGAME& s = Scene();
    struct Case {
        const char* name;
        uint8_t reach;
        int32_t expectedCounter;
    };
    for (const Case c : {Case{"no reach lowers the demo spin counter", 0, 1}, Case{"a reach keeps it", 2, 2}})
    {
        s.m_iDemoSpinCount = 2;
        CXProbDataInfo e = Event();
        e.m_byReach = c.reach;
        e.m_wLineWin[1] = 700;
        s.ApplyEventData(e);
        EXPECT_EQ(s.m_iDemoSpinCount, c.expectedCounter) << c.name;
        EXPECT_EQ(s.m_Result.byReach, c.reach ? 1 : 0) << c.name;
        EXPECT_EQ(s.m_Result.aiReelStop[0], 3) << c.name;
        EXPECT_EQ(s.m_Result.aiReelStop[3], 9) << c.name;
    }
    EXPECT_EQ(s.m_Result.iReachReel, 1);
    EXPECT_EQ(s.m_Result.iReachStop, 0) << "the stop of reel 2";
    EXPECT_EQ(s.m_Result.iMiddleWin, 700);
}

TEST_F(PelagornSpin, PrizeEffectFromTheFirstWinningLine)
{
    MakeGame(true);
    CXSceneGAME& s = Scene();
    struct Case {
        const char* name;
        uint8_t type;
        uint8_t symbol0, count0;
        uint16_t win0;
        uint8_t symbol1, count1;
        uint16_t win1;
        int32_t expected;
    };
    const Case cases[] = {
        {"middle line 6,1,4,10000", 1, 0, 0, 0, 6, 4, 10000, 1},
        {"the same under type 3", 3, 0, 0, 0, 6, 4, 10000, 11},
        {"top line 9,0,4,10000", 1, 9, 4, 10000, 0, 0, 0, 4},
        {"first winning line not in the table ends at 0", 1, 9, 3, 500, 6, 4, 10000, 0},
        {"no win", 1, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        CXProbDataInfo e = Event();
        e.m_byType = c.type;
        e.m_bySymbol[0] = c.symbol0;
        e.m_byCount[0] = c.count0;
        e.m_wLineWin[0] = c.win0;
        e.m_bySymbol[1] = c.symbol1;
        e.m_byCount[1] = c.count1;
        e.m_wLineWin[1] = c.win1;
        e.m_wTotalWin = static_cast<uint16_t>(c.win0 + c.win1);
        s.ApplyEventData(e);
        EXPECT_EQ(s.m_Result.iPrizeEffect, c.expected) << c.name;
    }
    CXProbDataInfo e = Event();
    e.m_byType = 4;
    e.m_wTotalWin = 100;
    s.m_byType4Effect = 1;
    s.ApplyEventData(e);
    EXPECT_EQ(s.m_Result.iPrizeEffect, CXSceneGAME::kType4EffectIndex);
}

TEST_F(PelagornSpin, ItemHitsSendAndCount)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    struct Case {
        float x;
        uint8_t right;
    };
    for (const Case c : {Case{384.0f, 0}, Case{385.0f, 1}})
    {
        s.ReportItemHit(1, 0, c.x, 300.0f, 900.0f);
        EXPECT_EQ(m_sender.lastHit.byRightHalf, c.right) << c.x;
        EXPECT_EQ(m_sender.lastHit.wItemType, 1);
        EXPECT_FLOAT_EQ(m_sender.lastHit.fX, 300.0f);
        EXPECT_FLOAT_EQ(m_sender.lastHit.fY, 900.0f);
    }
    s.ReportItemHit(3, 250, 100.0f, 80.0f, 900.0f);
    s.ReportItemHit(5, 0, 100.0f, 80.0f, 900.0f);
    s.ReportItemHit(8, 0, 100.0f, 80.0f, 900.0f);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_SPIN_ITEM_COUNT], 2);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_DIRECT_ITEM_COUNT], 1);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_DIRECT_BONUS], 250);
    EXPECT_EQ(s.m_SaveData.m_aiAccounts[ACCOUNT_NOBONUS_ITEM_COUNT], 1);
    EXPECT_EQ(m_sender.Count(PelagornRequest::ItemHit), 5);

    // The item answer: kind 3 adds its gift, the meters from the record.
    std::vector<uint8_t> bytes(42, 0);
    bytes[0] = 3;
    bytes[21] = 4;      // SPIN
    bytes[38] = 0xF4;   // gift amount 500
    bytes[39] = 0x01;
    CPelagornItemRecord item;
    item.Read(bytes.data(), bytes.size());
    s.m_iGift = 1000;
    m_game->GetProbClient()->OnItemHit(true, item);
    EXPECT_EQ(s.m_iGift, 1500);
    EXPECT_EQ(s.m_iSpin, 4);
    bytes[20] = 1;  // gift reset
    item.Read(bytes.data(), bytes.size());
    m_game->GetProbClient()->OnItemHit(true, item);
    EXPECT_EQ(s.m_iGift, 500);
}

TEST_F(PelagornSpin, DemoItemHitsSendNothing)
{
    MakeGame(true);
    Scene().m_iDemoSpinCount = 0;
    Scene().ReportItemHit(1, 0, 500.0f, 400.0f, 900.0f);
    EXPECT_EQ(Scene().m_iDemoSpinCount, 1);
    EXPECT_TRUE(m_sender.sent.empty());
}
