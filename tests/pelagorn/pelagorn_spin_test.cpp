// The game scene's spin results and items on a real game: the spin cycle through the server
// link, the event record's result state and prize-effect lookup, item hits.
#include <gtest/gtest.h>

#include <string>

#include "CXDrawCOIN.h"
#include "CXDrawEFFECT.h"
#include "CXDrawITEM.h"
#include "CXDrawPRIZE.h"
#include "CXDrawREEL.h"
#include "pelagorn_game_fixture.h"

namespace {

class PelagornSpin : public PelagornGameTest {
protected:
    // Reels of 100-pixel cells that spin up in 0.77 s, with a symbol look for every kind, and an
    // item belt of 50-pixel cells whose line is at y 300 (above the coins' bottom line at 500).
    void WriteReelsAndItems()
    {
        std::string reel = "SPEED=100\nVELOCITY=10\nX_POS=10\nY_POS=100\nW=100\nH=100\nX_SPACE=20\n"
                           "SOUND_REEL_STOP=30\nREEL_IDLE_TICK=500\nREEL_PRIZE_TICK=1000\n"
                           "REEL_PRIZE_IDLE_TICK=250\n";
        for (int n = 0; n <= 12; ++n) {
            const std::string k = std::to_string(n);
            WriteAnf("DATA_PELAGORN/image/reel/sym/n" + k + ".anf", 80, 60,
                     {0xFF102030u + static_cast<uint32_t>(n)});
            WriteText("DATA_PELAGORN/image/reel/sym/s" + k + ".cfg",
                      "REEL=n" + k + ".anf, n" + k + ".anf\n");
            reel += "REEL_" + k + "=sym\\s" + k + ".cfg\n";
        }
        WriteText("DATA_PELAGORN/image/reel/reel.cfg", reel);
        std::string item = "SPEED=0\nY_POS=300\nW=50\nH=40\n";
        for (int k = 0; k < 8; ++k) {
            const std::string folder = "DATA_PELAGORN/image/item/k" + std::to_string(k) + "/";
            WriteAnf(folder + "pic.anf", 50, 40, {0xFF20A040});
            WriteAnf(folder + "hit.anf", 50, 40, {0xFFE0E0E0}, 3, "FPS=10\nLOOP_MODE=FWD|NOLOOP\n");
            WriteText(folder + "kind.cfg",
                      "ITEM_COUNT=1\nITEM_0=1, pic.anf, hit.anf\nITEM_EFFECT_ANF=hit.anf\n");
            item += "ITEM_" + std::to_string(k) + "=k" + std::to_string(k) + "\\kind.cfg\n";
        }
        WriteText("DATA_PELAGORN/image/item/item.cfg", item);
    }
    // Runs 1/20 s frames until the predicate holds; false after `limit` seconds.
    template <class F>
    bool FramesUntil(F&& done, double limit)
    {
        for (double t = 0.0; t < limit; t += 0.05) {
            Frames(1, 0.05);
            if (done())
                return true;
        }
        return false;
    }

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
    bytes[12] = 2;          // SPIN
    bytes[32 + 33] = 0x88;  // total win 5000
    bytes[32 + 34] = 0x13;
    bytes[32 + 41] = 1;
    bytes[99 + 17] = 5;   // last event type
    bytes[163 + 46] = 3;  // both background groups
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
    Scene().m_iGift = 0;
    Scene().m_byError = CXSerialComm::ERROR_GIFT_UNANSWERED;
    Scene().StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 0);
    Scene().m_byError = 0;
    Scene().StartScrollReel();
    EXPECT_EQ(m_sender.Count(PelagornRequest::SpinData), 1)
        << "nothing owed: the spin is asked for";
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
    for (const Case c :
         {Case{"no reach lowers the demo spin counter", 0, 1}, Case{"a reach keeps it", 2, 2}}) {
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
    for (const Case& c : cases) {
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

TEST_F(PelagornSpin, EveryRowOfTheItemEffectTable)
{
    MakeGame();
    struct Row {
        uint8_t symbol, line, count;
        uint16_t win;
        int32_t ordinary, type3;
    };
    const Row rows[] = {
        {6, 1, 4, 10000, 1, 11},  {7, 1, 4, 15000, 2, 12},  {8, 1, 4, 15000, 3, 13},
        {9, 1, 3, 10000, 4, 14},  {9, 0, 4, 10000, 4, 14},  {9, 2, 4, 10000, 4, 14},
        {9, 1, 4, 20000, 4, 14},  {10, 1, 3, 15000, 5, 15}, {10, 0, 4, 10000, 5, 15},
        {10, 2, 4, 10000, 5, 15}, {10, 1, 4, 20000, 5, 15}, {12, 0, 4, 10000, 6, 16},
        {12, 2, 4, 10000, 6, 16}, {12, 1, 4, 20000, 6, 16},
    };
    for (const Row& r : rows) {
        const std::string name = std::to_string(r.symbol) + "." + std::to_string(r.line) + "." +
                                 std::to_string(r.count) + "." + std::to_string(r.win);
        CXProbDataInfo e;
        e.m_bySymbol[r.line] = r.symbol;
        e.m_byCount[r.line] = r.count;
        e.m_wLineWin[r.line] = r.win;
        e.m_byType = 1;
        EXPECT_EQ(Scene().FindItemEffect(e), r.ordinary) << name;
        e.m_byType = 3;
        EXPECT_EQ(Scene().FindItemEffect(e), r.type3) << name;
        // The same line one reel short, or with another win, is not in the table.
        e.m_byCount[r.line] = static_cast<uint8_t>(r.count - 2);
        EXPECT_EQ(Scene().FindItemEffect(e), 0) << name;
    }
}

TEST_F(PelagornSpin, ItemHitsSendAndCount)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    struct Case {
        float x;
        uint8_t right;
    };
    for (const Case c : {Case{384.0f, 0}, Case{385.0f, 1}}) {
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
    bytes[21] = 4;     // SPIN
    bytes[38] = 0xF4;  // gift amount 500
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

TEST_F(PelagornSpin, DirectItemPrizeIsCentredOverItsSlotAtTheLine)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    CXDrawPrizeInfo* prize = s.m_pPrize->FindPrize(1, 500);
    ASSERT_NE(prize, nullptr) << "the generated tree's direct prize of 500";
    const float width = prize->m_Animation.GetWidth();
    ASSERT_GT(width, 0.0f);
    s.m_pItem->m_fWidth = 100.0f;
    s.ReportItemHit(3, 500, 130.0f, 80.0f, 900.0f);
    const CXDrawEffectAniInfo* entry = nullptr;
    for (auto* e = s.m_pEffect->m_Entries.m_pHead; e; e = e->m_pNext)
        if (e->m_pData && e->m_pData->m_pAnimation == &prize->m_Animation && !e->m_pData->m_bDone)
            entry = e->m_pData;
    ASSERT_NE(entry, nullptr);
    EXPECT_FLOAT_EQ(entry->m_fX, 80.0f + 50.0f - width / 2.0f) << "centred on the slot's middle";
    EXPECT_FLOAT_EQ(entry->m_fY, 900.0f) << "at the item line";
}

TEST_F(PelagornSpin, DemoItemHitsSendNothing)
{
    MakeGame(true);
    Scene().m_iDemoSpinCount = 0;
    Scene().ReportItemHit(1, 0, 500.0f, 400.0f, 900.0f);
    EXPECT_EQ(Scene().m_iDemoSpinCount, 1);
    EXPECT_TRUE(m_sender.sent.empty());
}

TEST_F(PelagornSpin, SpinDataTurnsTheReelsOntoTheServersStops)
{
    WriteReelsAndItems();
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    ASSERT_NE(s.m_pReel->GetBelt(3), nullptr) << "the reels are built";
    s.StartScrollReel();

    std::vector<uint8_t> bytes(227, 0);
    bytes[12] = 2;  // SPIN
    const uint8_t stops[4] = {3, 5, 7, 9};
    for (int i = 0; i < 4; ++i)
        bytes[32 + 5 + 4 * i] = stops[i];
    bytes[163 + 17] = 1;
    CPelagornSpinRecord spin;
    spin.Read(bytes.data(), bytes.size());
    m_game->GetProbClient()->OnSpinData(true, spin);
    EXPECT_TRUE(s.m_pReel->IsMoving()) << "the spin data starts the reels";

    ASSERT_TRUE(FramesUntil([&] { return !s.m_pReel->IsMoving(); }, 20.0));
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(s.m_pReel->GetBelt(i)->m_nPosition, stops[i]) << "reel " << i;
    ASSERT_TRUE(
        FramesUntil([&] { return m_sender.Count(PelagornRequest::ReelsStopped) == 1; }, 2.0));
    EXPECT_EQ(m_sender.Count(PelagornRequest::Result), 1)
        << "no prize: the next result is asked for at once";
    Frames(10, 0.05);
    EXPECT_EQ(m_sender.Count(PelagornRequest::ReelsStopped), 1) << "once per cycle";
}

TEST_F(PelagornSpin, AStopPastTheBeltKeepsTheReelsTarget)
{
    WriteReelsAndItems();
    MakeGame();
    CXSceneGAME& s = Scene();
    const int32_t first[4] = {1, 2, 3, 4};
    s.SetReelStops(first);
    const int32_t broken[4] = {5, 5000, -1, 6};
    s.SetReelStops(broken);
    EXPECT_EQ(s.m_pReel->GetBelt(0)->m_nTarget, 5);
    EXPECT_EQ(s.m_pReel->GetBelt(1)->m_nTarget, 2) << "beyond the belt";
    EXPECT_EQ(s.m_pReel->GetBelt(2)->m_nTarget, 3) << "a negative stop";
    EXPECT_EQ(s.m_pReel->GetBelt(3)->m_nTarget, 6);
}

TEST_F(PelagornSpin, ReelPrizeIsPaidOnceWhenItsDisplayEnds)
{
    MakeGame();
    CXSceneGAME& s = Scene();
    s.m_Result.iTotalWin = 5000;
    s.m_Result.iPrizeEffect = 4;
    s.m_Result.byReelPrizeMode = 1;
    s.ShowReelPrize();
    EXPECT_EQ(s.m_iLastTotalWin, 5000);
    EXPECT_EQ(s.m_iReelPrizeCount, 1);
    s.FinishReelPrize(3);
    EXPECT_EQ(s.m_iGift, 5000);
    EXPECT_EQ(s.m_Result.iPrizeEffect, 4) << "another effect's end leaves the pending one";
    s.FinishReelPrize(4);
    EXPECT_EQ(s.m_iGift, 5000) << "the stored prize was cleared";
    EXPECT_EQ(s.m_Result.iPrizeEffect, 0);
}

TEST_F(PelagornSpin, ADroppedCoinReachesTheItemBelt)
{
    WriteReelsAndItems();
    MakeGame();
    EnterGame();
    CXSceneGAME& s = Scene();
    s.m_iCredit = 1000;
    m_game->SetAutoPlay(true);
    Frames(1, 0.05);
    ASSERT_EQ(m_sender.Count(PelagornRequest::CoinDrop), 1);
    const uint8_t answer[16] = {0x84, 0x03, 0, 0, 0, 0, 0, 0,
                                1,    0,    0, 0, 0, 0, 0, 0};  // CREDIT 900, paid from it
    CPelagornCoinDropRecord drop;
    drop.Read(answer, sizeof answer);
    m_game->GetProbClient()->OnCoinDrop(true, drop);
    m_game->SetAutoPlay(false);
    ASSERT_EQ(s.m_pCoins->m_Coins.GetCount(), 1u) << "the answer drops the coin";
    EXPECT_EQ(s.m_iCoinsInPlay, 100);

    ASSERT_TRUE(FramesUntil([&] { return s.m_pCoins->m_Coins.GetCount() == 0; }, 60.0));
    EXPECT_EQ(s.m_iCoinsInPlay, 0) << "the coin left play at the item line";
    EXPECT_EQ(m_sender.Count(PelagornRequest::ItemHit), 1) << "it fell onto a cell of the belt";
    int hit = 0;
    for (auto* e = s.m_pItem->m_Belt.m_pHead; e; e = e->m_pNext)
        hit += e->m_pData->m_bHit;
    EXPECT_EQ(hit, 1);
    EXPECT_EQ(m_sender.Count(PelagornRequest::CoinDrop), 1)
        << "without auto play, no further request";
}

TEST_F(PelagornSpin, ACoinAboveTheBeltLineHitsNothing)
{
    WriteReelsAndItems();
    MakeGame();
    CXSceneGAME& s = Scene();
    s.m_iCoinsInPlay = 100;
    s.CheckItemHit(110.0f, 299.0f);
    EXPECT_EQ(s.m_iCoinsInPlay, 100);
    EXPECT_EQ(m_sender.Count(PelagornRequest::ItemHit), 0);
    s.CheckItemHit(110.0f, 300.0f);
    EXPECT_EQ(s.m_iCoinsInPlay, 0);
    EXPECT_EQ(m_sender.lastHit.wItemType, 1) << "x 110 lies in the third cell, of kind 1";
    EXPECT_FLOAT_EQ(m_sender.lastHit.fX, 100.0f);
    EXPECT_FLOAT_EQ(m_sender.lastHit.fY, 300.0f);
}
