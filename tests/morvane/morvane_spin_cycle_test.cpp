// The spin cycle of one machine against a recording sender, driven tick by tick the way the
// game's per-tick process drives it (auto-play copied in before every step).
#include <gtest/gtest.h>

#include "CMorvaneMain.h"
#include "MachineTable.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

constexpr int kKind = 2;
constexpr int kMachine = 7;

class MorvaneSpinCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_MachineTable.Reset();
        SetMachine(10000, 0);
        m_Main.GetLink().SetSender(&m_Sender);
    }
    void TearDown() override { g_MachineTable.Reset(); }

    void SetMachine(int32_t credit, int32_t score)
    {
        CMachineState& row = g_MachineTable.m_aRows[0];
        row.m_nIndex = 0;
        row.m_nGameType = kKind;
        row.m_nMachineNo = kMachine;
        row.m_nCredit = credit;
        row.m_nScore = score;
        m_Main.GetLink().RefreshMachine();
    }

    void Tick(int n = 1, bool autoPlay = true)
    {
        for (int i = 0; i < n; ++i) {
            m_Main.m_byAutoPlay = autoPlay ? 1 : 0;
            m_Main.Process();
        }
    }

    void AnswerSpinData(bool granted, const CMorvaneSpinData& record)
    {
        uint8_t bytes[CMorvaneSpinData::kSize];
        WriteMorvaneSpinData(record, bytes);
        m_Main.GetLink().OnAnsSpinData(granted, granted ? bytes : nullptr, sizeof bytes);
    }

    // Ticks until the game end has sent 26 and 33 (bounded).
    int TickToGameEnd()
    {
        for (int tick = 1; tick <= 400; ++tick) {
            Tick();
            if (Count(m_Sender.m_Sent, MorvaneRequest::GameFin) > 0)
                return tick;
        }
        return -1;
    }

    FakeOwner m_Owner{kKind, kMachine};
    RecordingIO m_IO;
    RecordingSender m_Sender;
    CMorvaneMain m_Main{&m_Owner, 100, &m_IO};
};

}  // namespace

TEST_F(MorvaneSpinCycleTest, NoSpinWithoutAutoPlay)
{
    Tick(200, false);
    EXPECT_TRUE(m_Sender.m_Sent.empty());
    EXPECT_EQ(m_Main.m_byArmed, 0);
}

TEST_F(MorvaneSpinCycleTest, OneSpinDataRequestInFlight)
{
    Tick();
    ASSERT_EQ(m_Sender.m_Sent, std::vector<MorvaneRequest>{MorvaneRequest::SpinData});
    EXPECT_EQ(m_Sender.m_nKind, kKind);
    EXPECT_EQ(m_Sender.m_nMachineNo, kMachine);
    Tick(50);
    EXPECT_EQ(m_Sender.m_Sent.size(), 1u) << "a second tick before the record sends no second 25";
    EXPECT_EQ(m_Main.SpinStep, 0) << "the reels wait for the record";
}

TEST_F(MorvaneSpinCycleTest, RefusedSpinDataIsAskedAgain)
{
    Tick();
    AnswerSpinData(false, {});
    Tick();
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinData), 2);
}

TEST_F(MorvaneSpinCycleTest, RecordOutOfRangeIsRefused)
{
    Tick();
    CMorvaneSpinData bad;
    bad.Array[2] = 23;
    AnswerSpinData(true, bad);
    EXPECT_FALSE(m_Main.GetLink().SpinDataReceived());
    EXPECT_FALSE(m_Main.GetLink().Playing());
    EXPECT_EQ(m_Owner.m_nBetTotal, 0);
    Tick();
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinData), 2) << "asked again";
    bad.Array[2] = 0;
    bad.nReelSet = 3;
    AnswerSpinData(true, bad);
    EXPECT_FALSE(m_Main.GetLink().SpinDataReceived());
}

TEST_F(MorvaneSpinCycleTest, SendThatFailsIsRetried)
{
    m_Sender.m_bAccept = false;
    Tick();
    EXPECT_FALSE(m_Main.GetLink().SpinDataRequested()) << "nothing went out, so nothing is awaited";
    m_Sender.m_bAccept = true;
    Tick();
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinData), 2);
    EXPECT_TRUE(m_Main.GetLink().SpinDataRequested());
}

TEST_F(MorvaneSpinCycleTest, WholeSpinInOrder)
{
    Tick();
    CMorvaneSpinData record;
    record.Array[0] = 5;
    record.Array[1] = 6;
    record.Array[2] = 7;
    record.Array[3] = 8;
    record.nWinAmount = 300;
    AnswerSpinData(true, record);
    EXPECT_EQ(m_Owner.m_nBetTotal, 100);
    EXPECT_EQ(m_Owner.m_nWinTotal, 300);

    // The record is taken over on the pattern's tick 30, with the spin-done message.
    Tick(29);
    EXPECT_EQ(m_Main.m_Rec.Array[0], 0);
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinDone), 0);
    Tick();
    EXPECT_EQ(m_Main.m_Rec.Array[0], 5);
    EXPECT_EQ(m_Main.m_nWinAmount, 300);
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinDone), 1);

    const int end = TickToGameEnd();
    EXPECT_EQ(end, 281 - 30) << "pattern 0 ends once SpinStep passes 280";
    const std::vector<MorvaneRequest> expected = {MorvaneRequest::SpinData,
                                                  MorvaneRequest::SpinDone, MorvaneRequest::SpinEnd,
                                                  MorvaneRequest::GameFin};
    EXPECT_EQ(m_Sender.m_Sent, expected);

    // Nothing starts until both answers are in.
    Tick(20);
    EXPECT_EQ(m_Sender.m_Sent.size(), 4u);
    m_Main.GetLink().OnAnsSpinEnd(true);
    Tick(5);
    EXPECT_EQ(m_Sender.m_Sent.size(), 4u) << "the game finish is not answered yet";
    m_Main.GetLink().OnAnsGameFin(true);
    Tick();
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinData), 2) << "the next spin";
    EXPECT_EQ(m_Main.m_nSpinCount, 1);
}

TEST_F(MorvaneSpinCycleTest, RefusedSpinEndStopsTheMachine)
{
    Tick();
    AnswerSpinData(true, {});
    ASSERT_GT(TickToGameEnd(), 0);
    m_Main.GetLink().OnAnsSpinEnd(false);
    m_Main.GetLink().OnAnsGameFin(true);
    Tick(100);
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::SpinData), 1);
}

TEST_F(MorvaneSpinCycleTest, TicketRule)
{
    struct Case {
        int32_t credit, score;
        bool ticket;
        bool canPlay;
    };
    const Case cases[] = {
        {0, 4999, false, true},                           // below one unit; the score pays spins
        {0, 5000, true, false},                           // 5000 mod 5000 = 0 < bet
        {0, 5099, true, false},  {0, 5100, false, true},  // remainder pays a spin
        {0, 19999, false, true},                          // remainder 4999 >= bet
        {0, 20000, true, false},                          // at 20000 whatever the remainder
        {0, 24900, true, false}, {500, 5000, true, true},
    };
    for (const Case& c : cases) {
        m_Main.TicketFlag = 0;
        SetMachine(c.credit, c.score);
        m_Main.CheckTicketOut(true);
        EXPECT_EQ(m_Main.TicketFlag == 1, c.ticket) << c.credit << "/" << c.score;
        EXPECT_EQ(m_Main.CanPlay(), c.canPlay) << c.credit << "/" << c.score;
    }
}

TEST_F(MorvaneSpinCycleTest, TicketOutRepeatsWhileTheScoreHolds)
{
    SetMachine(0, 15000);
    m_Main.CheckTicketOut(true);
    ASSERT_EQ(m_Main.TicketFlag, 1);
    // The checking call counts the first tick.
    Tick(58);
    EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::TicketOut), 0);
    Tick();
    EXPECT_EQ(m_Sender.m_Sent, std::vector<MorvaneRequest>{MorvaneRequest::TicketOut});
    Tick(100);
    EXPECT_EQ(m_Sender.m_Sent.size(), 1u) << "one request while the answer is out";

    int paid = 0;
    for (int32_t scoreAfter : {10000, 5000, 0}) {
        g_MachineTable.m_aRows[0].m_nScore = scoreAfter;
        m_Main.GetLink().OnAnsTicketOut(true);
        ++paid;
        EXPECT_EQ(m_Main.m_nTicketsPaid, paid);
        Tick(60);
        EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::TicketOut), paid)
            << "score " << scoreAfter;
        Tick();
        EXPECT_EQ(Count(m_IO.m_Played, 21), paid) << "the ticket sound once per ticket";
        EXPECT_EQ(Count(m_Sender.m_Sent, MorvaneRequest::TicketOut),
                  scoreAfter >= 5000 ? paid + 1 : paid)
            << "score " << scoreAfter;
    }
    EXPECT_EQ(m_Main.TicketFlag, 0);
}

TEST_F(MorvaneSpinCycleTest, RefusedTicketShowsItsPictureThenGivesUp)
{
    SetMachine(0, 5000);
    m_Main.CheckTicketOut(true);
    Tick(60);
    m_Main.GetLink().OnAnsTicketOut(false);
    EXPECT_EQ(m_Main.m_nTicketState, 2);
    Tick(99);
    EXPECT_EQ(m_Main.TicketFlag, 1);
    Tick();
    EXPECT_EQ(m_Main.TicketFlag, 0);
    EXPECT_EQ(m_Main.m_nTicketState, 0);
}

TEST_F(MorvaneSpinCycleTest, EnterAnswerAppliesTheRecordAndChecksTheTicket)
{
    g_MachineTable.m_aRows[0].m_nScore = 5000;
    g_MachineTable.m_aRows[0].m_nCredit = 0;
    CMorvaneSpinData record;
    record.Array[1] = 9;
    record.FeverSpin = 12;
    uint8_t bytes[200];
    WriteMorvaneSpinData(record, bytes);
    m_Main.GetLink().OnAnsEnter(bytes, sizeof bytes);
    EXPECT_TRUE(m_Owner.m_bActive);
    EXPECT_EQ(m_Main.m_Rec.Array[1], 9);
    EXPECT_EQ(m_Main.m_abyFeverDigit[0], 2);
    EXPECT_EQ(m_Main.m_abyFeverDigit[1], 1);
    EXPECT_EQ(m_Main.m_nScore, 5000);
    EXPECT_EQ(m_Main.TicketFlag, 1);
}

TEST_F(MorvaneSpinCycleTest, CoinInAnswerTakesTheCredit)
{
    EXPECT_TRUE(m_Main.GetLink().ReqCoinIn(false));
    EXPECT_FALSE(m_Main.GetLink().ReqCoinIn(false)) << "one request while pending";
    EXPECT_TRUE(m_Main.GetLink().ReqCoinIn(true));
    g_MachineTable.m_aRows[0].m_nCredit = 20000;
    m_Main.GetLink().OnAnsCoinIn(true);
    EXPECT_EQ(m_Main.m_nCredit, 20000);
    EXPECT_EQ(m_Main.m_abyCreditDigit[4], 2);
    EXPECT_EQ(m_Owner.m_nInserted, 10000);
    EXPECT_FALSE(m_Main.GetLink().CoinInPending());
    // A refused coin-in clears the pending flag but puts no money in.
    EXPECT_TRUE(m_Main.GetLink().ReqCoinIn(false));
    m_Main.GetLink().OnAnsCoinIn(false);
    EXPECT_FALSE(m_Main.GetLink().CoinInPending());
    EXPECT_EQ(m_Owner.m_nInserted, 10000);
}

TEST(MorvaneStandaloneTest, SpinsWithoutRequestsAndSettlesFromTheScript)
{
    FakeOwner owner{2, 0, true};
    RecordingIO io;
    RecordingSender sender;
    CMorvaneMain main{&owner, 100, &io};
    main.m_byNetworked = 0;
    main.GetLink().SetSender(&sender);
    main.m_nCredit = 1000;
    int32_t highestState = 0;
    auto runUntil = [&](auto done) {
        for (int tick = 0; tick < 5000 && !done(); ++tick) {
            main.m_byAutoPlay = 1;
            main.Process();
            highestState = std::max(highestState, main.m_nWinState);
        }
        return done();
    };
    ASSERT_TRUE(runUntil([&] { return main.ResultTaken == 1; }));
    // The first scripted spin: the middle row wins 2000, the largest row and at least 2000.
    EXPECT_EQ(main.m_Rec.Array[3], 15);
    EXPECT_EQ(main.m_nWinAmount, 2000);
    EXPECT_EQ(main.m_Rec.WinMark, 2);
    ASSERT_TRUE(runUntil([&] { return main.m_nSpinCount == 1; }));
    EXPECT_EQ(highestState, 50) << "the win was presented and counted before the game ended";
    EXPECT_TRUE(sender.m_Sent.empty());
}

TEST(MorvaneCountUpTest, NeverOvershoots)
{
    FakeOwner owner;
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    for (int32_t win : {0, 5, 10, 999, 1000, 1005, 99999, 100000, 123457, 2000000}) {
        main.m_nWinState = 10;
        main.m_nPendingWin = win;
        main.m_Rec.CountedWin = 0;
        int steps = 0;
        while (main.CountUpWin())
            ASSERT_LT(++steps, 100000);
        EXPECT_EQ(main.m_nPendingWin, 0) << win;
        EXPECT_EQ(main.m_Rec.CountedWin, win) << win;
    }
    main.m_nWinState = 0;
    main.m_nPendingWin = 500;
    EXPECT_FALSE(main.CountUpWin()) << "nothing counts outside the presentation";
    EXPECT_EQ(main.m_nPendingWin, 500);
}

// A server's win may be any size: the count-up ends within two minutes of steps however large
// it is, and wins the bands count in that time keep their steps.
TEST(MorvaneCountUpTest, EndsWithinTwoMinutesOfSteps)
{
    FakeOwner owner;
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    struct Case {
        int32_t win;
        int32_t firstStep;
    };
    for (const Case& c : {Case{2000000, 1110}, Case{7992000, 1110}, Case{100000000, 13889},
                          Case{INT32_MAX, 298262}}) {
        main.m_nWinState = 50;
        main.m_nWinAmount = c.win;
        main.m_nPendingWin = c.win;
        main.m_Rec.CountedWin = 0;
        int steps = 1;
        main.CountUpWin();
        EXPECT_EQ(c.win - main.m_nPendingWin, c.firstStep) << c.win;
        while (main.CountUpWin() && steps < 10 * CMorvaneMain::kMaxCountUpSteps)
            ++steps;
        EXPECT_LE(steps + 1, CMorvaneMain::kMaxCountUpSteps) << c.win;
        EXPECT_EQ(main.m_nPendingWin, 0) << c.win;
        EXPECT_EQ(main.m_Rec.CountedWin, c.win) << c.win;
    }
}

TEST(MorvaneDigitsTest, TenDigitsUnitsFirst)
{
    FakeOwner owner;
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    main.SetCredit(2147483647, false);
    const uint8_t expected[10] = {7, 4, 6, 3, 8, 4, 7, 4, 1, 2};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), main.m_abyCreditDigit));
    main.SetScore(-50, false);
    for (uint8_t digit : main.m_abyScoreDigit)
        EXPECT_EQ(digit, 0) << "a negative value shows 0";
}
