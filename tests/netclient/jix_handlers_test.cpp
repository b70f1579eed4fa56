// The protocol client's Jix handlers over the real application object: each answer reaches the
// Jix game of its machine in the lobby (the enter answer on any screen), as the game screen's
// answers for type 1 say.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "CJixSpinData.h"
#include "CNetClient.h"
#include "CWndLogin.h"
#include "GameFactory.h"
#include "netclient_lobby_fixture.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

// A zero spin-data block.
std::string ZeroBlock()
{
    return std::string(360, '0');
}

class JixHandlersTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        RegisterJixGameType();
        // The games start without their files: the loaders only register them.
        g_pFileLoad->SetRegisterOnly(true);
    }
};

TEST_F(JixHandlersTest, AnswersReachTheJixGameOfTheirMachine)
{
    SetRow(1, 1, 42, 1000);
    ASSERT_NE(EnterLobby(), nullptr);
    CJix* jix = dynamic_cast<CJix*>(Game(1));
    ASSERT_NE(jix, nullptr);
    CDemo& demo = *jix->GetEngine();
    CDemoLink& link = *demo.GetLink();
    EXPECT_FALSE(jix->IsStarted());

    // 14: credit 1000, two spins, score 0, a zero block.
    Client().Deliver(Hex("0e00 01 2a00 e8030000 02000000 00000000 " + ZeroBlock()));
    EXPECT_TRUE(jix->IsStarted());
    EXPECT_EQ(demo.m_nCredit, 1000);
    EXPECT_EQ(demo.m_nSpinsLeft, 2);

    // 15: coin-in accepted, credit 11000.
    link.m_bCoinInPending = 1;
    Client().Deliver(Hex("0f00 00 10270000 01 2a00 f82a0000"));
    EXPECT_EQ(link.m_bCoinInPending, 0);
    EXPECT_EQ(demo.m_nCredit, 11000);
    EXPECT_EQ(jix->m_nCreditIn, 10000);

    // 16: play start granted; the coin flies.
    link.m_bPlayStartPending = 1;
    Client().Deliver(Hex("1000 01 2a00 01 00000000 942a0000 03000000 00000000"));
    EXPECT_EQ(link.m_bPlayStartPending, 0);
    EXPECT_EQ(demo.m_bFlying, 1);
    EXPECT_EQ(demo.m_nCredit, 10900);

    // 17: bonus granted with 100 points, not playing: the score is shown.
    link.m_bBonusPending = 1;
    Client().Deliver(Hex("1100 01 2a00 942a0000 03000000 64000000 01 64000000"));
    EXPECT_EQ(link.m_bBonusPending, 0);
    EXPECT_EQ(demo.m_nScoreShown, 100);

    // 18: a granted block.
    link.m_bSpinDataRequested = 1;
    Client().Deliver(Hex("1200 01 2a00 942a0000 02000000 64000000 01 " + ZeroBlock()));
    EXPECT_EQ(link.m_bSpinDataRequested, 0);
    EXPECT_EQ(link.m_bSpinDataHeld, 1);
    EXPECT_EQ(link.m_bPlaying, 1);
    EXPECT_EQ(jix->m_nCreditPlayed, 100);

    // 19: spin end confirmed.
    link.m_bSpinEnded = 0;
    demo.m_nWinSum = 600;
    Client().Deliver(Hex("1300 01 2a00 01 942a0000 02000000 64000000"));
    EXPECT_EQ(link.m_bSpinEnded, 1);
    EXPECT_EQ(jix->m_nTotalGift, 600);

    // 20: a valid ticket.
    link.m_bTicketOutPending = 1;
    Client().Deliver(Hex("1400 01 2a00 942a0000 02000000 64000000 01 04000000"));
    EXPECT_EQ(link.m_bTicketOutPending, 0);
    EXPECT_EQ(jix->m_nTotalTicket, 1);

    // 22: game fin: the next spin may start.
    link.m_bGameFinPending = 1;
    demo.m_nSpinPhase = 40;
    Client().Deliver(Hex("1600 01 2a00 01 942a0000 02000000 64000000"));
    EXPECT_EQ(link.m_bGameFinPending, 0);
    EXPECT_EQ(link.m_bPlaying, 0);
    EXPECT_EQ(demo.m_nSpinPhase, 0);
}

TEST_F(JixHandlersTest, LobbyAnswersNeedTheLobbyAndTheirMachinesJixGame)
{
    SetRow(1, 1, 42, 1000);
    ASSERT_NE(EnterLobby(), nullptr);
    CJix* jix = dynamic_cast<CJix*>(Game(1));
    ASSERT_NE(jix, nullptr);
    CDemoLink& link = *jix->GetEngine()->GetLink();

    // Another machine's answer does not reach this game.
    link.m_bSpinDataRequested = 1;
    Client().Deliver(Hex("1200 01 2b00 942a0000 02000000 64000000 01 " + ZeroBlock()));
    EXPECT_EQ(link.m_bSpinDataRequested, 1);

    // Away from the lobby the game's answers are dropped.
    g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
    ASSERT_NE(dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen()), nullptr);
    link.m_bPlayStartPending = 1;
    Client().Deliver(Hex("1000 01 2a00 01 00000000 942a0000 03000000 00000000"));
    EXPECT_EQ(link.m_bPlayStartPending, 1);
}

// Extreme amounts from the server: every sum, product and count-up of them is clamped to the int32
// range, never overflowed.

constexpr uint32_t U(int32_t v)
{
    return static_cast<uint32_t>(v);
}

Bytes Block(const CJixSpinData& data)
{
    Bytes block(CJixSpinData::kSize);
    data.Write(block.data());
    return block;
}

Bytes Append(Bytes head, std::initializer_list<uint32_t> values, const Bytes& tail = {})
{
    for (uint32_t v : values)
        U32(head, v);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Answer 14 for machine 42: credit, spins left, score, then the block.
Bytes Enter(int32_t credit, int32_t spins, int32_t score, const CJixSpinData& data = {})
{
    return Append(Hex("0e00 01 2a00"), {U(credit), U(spins), U(score)}, Block(data));
}

// Answer 18 for machine 42: credit, spins left, score, granted, a zero block.
Bytes GrantedSpinData(int32_t credit, int32_t spins, int32_t score)
{
    return Append(Hex("1200 01 2a00"), {U(credit), U(spins), U(score)},
                  Append(Hex("01"), {}, Block({})));
}

// The handlers' fixture with machine 42 seated in the lobby.
class JixAmountsTest : public JixHandlersTest {
protected:
    void SetUp() override
    {
        JixHandlersTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        SetRow(1, 1, 42, 1000);
        ASSERT_NE(EnterLobby(), nullptr);
        m_pJix = dynamic_cast<CJix*>(Game(1));
        ASSERT_NE(m_pJix, nullptr);
    }
    CDemo& Demo() { return *m_pJix->GetEngine(); }
    CDemoLink& Link() { return *Demo().GetLink(); }

    CJix* m_pJix = nullptr;
};

TEST_F(JixAmountsTest, TicketOutCashesSpinsLeftTimesHundredClamped)
{
    struct Case {
        int32_t spins;
        int32_t once;   // overflow score after one ticket-out
        int32_t twice;  // after a second one
    };
    const Case cases[] = {
        {INT_MAX, INT_MAX, INT_MAX},     {INT_MIN, INT_MIN, INT_MIN}, {0, 0, 0}, {-1, -100, -200},
        {21474836, 2147483600, INT_MAX},
    };
    for (const Case& c : cases) {
        Demo().m_nScoreOverflow = 0;
        // A full score wants a ticket-out; its first tick cashes the spins left.
        Client().Deliver(Enter(0, c.spins, 20000));
        ASSERT_EQ(Demo().m_bTicketWanted, 1) << c.spins;
        Demo().StepTicketOut(false);
        EXPECT_EQ(Demo().m_nScoreOverflow, c.once) << c.spins;
        EXPECT_EQ(Demo().m_nSpinsLeft, 0) << c.spins;

        // The score falls below one ticket and the ticket-out ends; the next one cashes again.
        Client().Deliver(Enter(0, 0, 0));
        for (int i = 0; i < 60 && Demo().m_bTicketWanted; ++i)
            Demo().StepTicketOut(false);
        ASSERT_EQ(Demo().m_bTicketWanted, 0) << c.spins;
        Client().Deliver(Enter(0, c.spins, 20000));
        Demo().StepTicketOut(false);
        EXPECT_EQ(Demo().m_nScoreOverflow, c.twice) << c.spins;
        Client().Deliver(Enter(0, 0, 0));
        for (int i = 0; i < 60 && Demo().m_bTicketWanted; ++i)
            Demo().StepTicketOut(false);
    }
}

TEST_F(JixAmountsTest, PlayStartAndBonusMoveTheShownScoreClamped)
{
    struct Case {
        int32_t score;  // from the server, shown capped at 20000
        int32_t value;  // play-start cost or bonus amount
        bool bonus;
        int32_t expected;  // the value the score display is set to
    };
    const Case cases[] = {
        {INT_MIN, 1, false, INT_MIN},      {INT_MIN, INT_MAX, false, INT_MIN},
        {0, INT_MAX, false, -INT_MAX},     {-1, INT_MAX, false, INT_MIN},
        {INT_MAX, INT_MAX, true, INT_MAX}, {INT_MAX, 1, true, 20001},
        {-1, INT_MAX, true, INT_MAX - 1},  {INT_MIN, INT_MAX, true, -1},
    };
    for (const Case& c : cases) {
        Client().Deliver(Enter(0, 0, c.score));
        // A granted spin-data answer: the coin of a spin is in play.
        Link().m_bSpinDataRequested = 1;
        Client().Deliver(GrantedSpinData(0, 0, c.score));
        ASSERT_EQ(Link().m_bPlaying, 1);
        if (c.bonus) {
            Link().m_bBonusPending = 1;
            Client().Deliver(
                Append(Hex("1100 01 2a00"), {0, 0, U(c.score)}, Append(Hex("01"), {U(c.value)})));
        } else {
            Link().m_bPlayStartPending = 1;
            Client().Deliver(Append(Hex("1000 01 2a00 01"), {U(c.value), 0, 0, U(c.score)}));
        }
        const int32_t shown = c.expected > 20000 ? 20000 : c.expected;
        EXPECT_EQ(Demo().m_nScoreShown, shown) << c.score << " " << c.value;
        EXPECT_EQ(Demo().m_anScoreQuot[0], c.expected < 0 ? 0 : c.expected)
            << c.score << " " << c.value;
        Link().m_bPlaying = 0;
        Link().m_bSpinDataHeld = 0;
    }
}

TEST_F(JixAmountsTest, EachAcceptedSpinEndAddsTheWinSumToTheTotalClamped)
{
    struct Case {
        int32_t win;
        int32_t expected;  // after two accepted spin ends
    };
    for (const Case& c :
         {Case{INT_MAX, INT_MAX}, Case{INT_MIN, INT_MIN}, Case{0, 0}, Case{-1, -2}}) {
        m_pJix->m_nTotalGift = 0;
        CJixSpinData data;
        data.WinSum = c.win;
        Client().Deliver(Enter(0, 0, 0, data));
        ASSERT_EQ(Demo().m_nWinSum, c.win);
        for (int i = 0; i < 2; ++i)
            Client().Deliver(Hex("1300 01 2a00 01 00000000 00000000 00000000"));
        EXPECT_EQ(m_pJix->m_nTotalGift, c.expected) << c.win;
    }
}

TEST_F(JixAmountsTest, CoinInAndGrantedSpinsAddToTheRunningTotalsClamped)
{
    m_pJix->m_nCreditIn = INT_MAX - 15000;
    m_pJix->m_nCreditPlayed = INT_MAX - 150;
    for (int32_t credit : {10000, 20000}) {
        Link().m_bCoinInPending = 1;
        Client().Deliver(Append(Hex("0f00 00"), {0}, Append(Hex("01 2a00"), {U(credit)})));
        Link().m_bSpinDataRequested = 1;
        Client().Deliver(GrantedSpinData(credit, 0, 0));
    }
    EXPECT_EQ(m_pJix->m_nCreditIn, INT_MAX);
    EXPECT_EQ(m_pJix->m_nCreditPlayed, INT_MAX);
}

TEST_F(JixAmountsTest, WinCountUpIntoTheSavedScoreClamped)
{
    struct Case {
        int32_t saved;
        int32_t expected;  // after one step of 100, capped at 20000
    };
    for (const Case& c :
         {Case{INT_MAX, 20000}, Case{INT_MIN, INT_MIN + 100}, Case{0, 100}, Case{-1, 99}}) {
        CJixSpinData data;
        data.SavedScore = c.saved;
        data.PendingWin = 1000;
        Client().Deliver(Enter(0, 0, 0, data));
        Demo().m_nStopTick = 400;
        Demo().CountUpScore();
        EXPECT_EQ(Demo().m_nSavedScore, c.expected) << c.saved;
        EXPECT_EQ(Demo().m_nPendingWin, 900) << c.saved;
    }
}

TEST_F(JixAmountsTest, SpinsLeftCountDownAtTheSpinStartClamped)
{
    struct Case {
        int32_t spins;
        int32_t shown;
    };
    for (const Case& c :
         {Case{INT_MIN, INT_MIN}, Case{INT_MAX, INT_MAX - 1}, Case{0, -1}, Case{-1, -2}}) {
        Client().Deliver(Enter(0, c.spins, 0));
        Link().m_bSpinDataRequested = 1;
        Client().Deliver(GrantedSpinData(0, c.spins, 0));
        Link().m_bSpinEnded = 1;
        Demo().m_bTicketWanted = 0;
        Demo().m_nSpinPhase = 0;
        Demo().m_bRequestMade = 0;
        Demo().TickSpin();
        EXPECT_EQ(Demo().m_nSpinsShown, c.shown) << c.spins;
    }
}

// Runs the stop ticks of a spin (phase 30) until the spin leaves it or the tick limit passes;
// returns the stop tick it ended on.
int32_t RunStopTicks(CDemo& demo, int32_t limit)
{
    demo.m_nSpinPhase = 30;
    demo.m_nStopTick = 0;
    while (demo.m_nSpinPhase == 30 && demo.m_nStopTick < limit)
        demo.TickSpin();
    return demo.m_nStopTick;
}

// A server's length is bounded by two minutes of ticks (7200): however long it asks for, the
// presentation ends, and after the game-fin answer the next spin may start.
TEST_F(JixAmountsTest, WinPresentationLastsTheServersLengthPlusExtraTicksBounded)
{
    struct Case {
        int32_t length;
        int32_t win;
        int32_t lastTick;  // the presentation ends after this stop tick
    };
    for (const Case& c : {Case{300, 600, 400}, Case{7200, 600, 7300}, Case{INT_MAX, 600, 7300},
                          Case{INT_MAX - 100, 10000, 7500}, Case{INT_MIN, 600, 0}}) {
        CJixSpinData data;
        data.WinSum = c.win;
        data.PresentationLength = c.length;
        Client().Deliver(Enter(0, 0, 0, data));
        Demo().m_nSpinPhase = 30;
        Demo().m_nStopTick = 0;
        int32_t lastTick = 0;
        while (Demo().m_nSpinPhase == 30 && Demo().m_nStopTick < 10000) {
            lastTick = Demo().m_nStopTick;
            Demo().TickSpin();
        }
        EXPECT_EQ(Demo().m_nSpinPhase, 40) << c.length;
        EXPECT_EQ(lastTick, c.lastTick) << c.length;
        EXPECT_EQ(Demo().m_nStopTick, 0) << "the end cleared the stop tick";
        Link().m_bGameFinPending = 1;
        Client().Deliver(Hex("1600 01 2a00 01 942a0000 02000000 64000000"));
        EXPECT_EQ(Demo().m_nSpinPhase, 0) << "the next spin may start " << c.length;
    }
}

TEST_F(JixAmountsTest, PreviewEventSpinIsHintThreePlusTwentyClamped)
{
    struct Case {
        int32_t current;  // hint 1
        int32_t event;    // hint 3
        bool reached;     // hint 1 = hint 3 + 20
    };
    const Case cases[] = {
        {INT_MAX, INT_MAX - 20, true}, {5, INT_MAX, false}, {-20, -40, true},
        {INT_MIN, INT_MIN, false},     {19, 0, false},
    };
    for (const Case& c : cases) {
        // A preview of the main character's jackpot: before the event spin, the tick's preview
        // rules start its action.
        CJixSpinData data;
        data.Hint[0] = 5;
        data.Hint[1] = c.current;
        data.Hint[2] = 9;
        data.Hint[3] = c.event;
        data.Series[4] = 165;
        data.ActionJix = 0;
        Client().Deliver(Enter(0, 0, 0, data));
        Demo().m_nEventKind = 0;
        Demo().TickGame();
        EXPECT_EQ(Demo().m_nEventKind, c.reached ? 0 : 9) << c.current << " " << c.event;

        // A spin without win ending on the event spin shows the closing image 7.
        Demo().m_nClosingImage = 0;
        RunStopTicks(Demo(), 300);
        EXPECT_EQ(Demo().m_nSpinPhase, 40);
        EXPECT_EQ(Demo().m_nClosingImage, c.reached ? 7 : 0) << c.current << " " << c.event;
        Demo().m_nSpinPhase = 0;
    }
}

}  // namespace
