// The Morvane answers through the program's protocol client: a lobby whose deck hosts a real
// CMorvane, and answer bodies as the server sends them.
#include <gtest/gtest.h>

#include <climits>

#include "../morvane/morvane_fakes.h"
#include "CMorvane.h"
#include "CMorvaneMain.h"
#include "CNetClient.h"
#include "netclient_lobby_fixture.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

// A 200-byte spin record with the given stops and reel set.
Bytes Record(uint32_t s0, uint32_t s1, uint32_t s2, uint32_t s3, uint32_t set = 0)
{
    Bytes record;
    for (uint32_t stop : {s0, s1, s2, s3})
        U32(record, stop);
    record.resize(152, 0);
    U32(record, set);
    record.resize(200, 0);
    return record;
}

Bytes With(Bytes head, std::initializer_list<uint32_t> values, const Bytes& tail = {})
{
    for (uint32_t v : values)
        U32(head, v);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

constexpr uint32_t U(int32_t v)
{
    return static_cast<uint32_t>(v);
}

// A 200-byte spin record (stops 0) with the win amount at 44 and the counted win at 60.
Bytes AmountRecord(int32_t winAmount = 0, int32_t countedWin = 0)
{
    Bytes record(44, 0);
    U32(record, U(winAmount));
    record.resize(60, 0);
    U32(record, U(countedWin));
    record.resize(200, 0);
    return record;
}

// Answer 23 for machine 42 of kind 2 (bet 100).
Bytes EnterAnswer(int32_t credit, int32_t score, const Bytes& record = AmountRecord())
{
    return With(Hex("1700 02 2a00"), {U(credit), U(score)}, record);
}

class MorvaneHandlersTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        RegisterMorvaneGameType();
        SetRow(1, 2, 42, 1000);
        ASSERT_NE(EnterLobby(), nullptr);
        m_pGame = dynamic_cast<CMorvane*>(Game(1));
        ASSERT_NE(m_pGame, nullptr);
        ASSERT_NE(m_pGame->GetMain(), nullptr);
        // The game's requests go to a recorder: the answers below are delivered by hand.
        Main().GetLink().SetSender(&s_sender);
    }
    CMorvaneMain& Main() { return *m_pGame->GetMain(); }

    CMorvane* m_pGame = nullptr;
    static inline morvane_test::RecordingSender s_sender;
};

}  // namespace

TEST_F(MorvaneHandlersTest, EnterSpinDataAndGameFinishReachTheGame)
{
    Client().Deliver(With(Hex("1700 02 2a00"), {3000, 5000}, Record(1, 2, 3, 4)));
    EXPECT_EQ(m_pGame->m_bFlag, 1) << "the enter answer starts the game's time base";
    EXPECT_EQ(Main().m_nCredit, 3000);
    EXPECT_EQ(Main().m_Rec.Array[3], 4);
    EXPECT_EQ(Main().TicketFlag, 1) << "5000 with nothing to play pays a ticket";

    ASSERT_TRUE(Main().GetLink().ReqSpinData());
    Client().Deliver(With(Hex("1900 02 2a00"), {2900, 0}, [] {
        Bytes granted = Hex("01");
        const Bytes record = Record(22, 0, 23, 0);  // a stop out of range
        granted.insert(granted.end(), record.begin(), record.end());
        return granted;
    }()));
    EXPECT_FALSE(Main().GetLink().SpinDataRequested());
    EXPECT_FALSE(Main().GetLink().SpinDataReceived()) << "a record out of range is refused";

    Client().Deliver(With(Hex("1900 02 2a00"), {2900, 0}, [] {
        Bytes granted = Hex("01");
        const Bytes record = Record(22, 0, 22, 0, 2);
        granted.insert(granted.end(), record.begin(), record.end());
        return granted;
    }()));
    EXPECT_TRUE(Main().GetLink().SpinDataReceived());
    EXPECT_EQ(Main().GetLink().Record().nReelSet, 2);
    EXPECT_EQ(Main().m_nCredit, 2900);
    EXPECT_EQ(m_pGame->m_nCreditPlayed, 100);

    Main().GetLink().ReqSpinEnd();
    Client().Deliver(Hex("1a00 02 2a00 01"));
    EXPECT_TRUE(Main().GetLink().SpinEnded());

    Main().GetLink().ReqGameFin();
    Client().Deliver(With(Hex("2100 02 2a00 01"), {2900, 0}));
    EXPECT_FALSE(Main().GetLink().GameFinRequested());
    EXPECT_FALSE(Main().GetLink().Playing());
}

TEST_F(MorvaneHandlersTest, CoinInAndTicketOut)
{
    ASSERT_TRUE(Main().GetLink().ReqCoinIn(true));
    Client().Deliver(With(Hex("1800 00"), {40000}, With(Hex("02 2a00"), {11000})));
    EXPECT_FALSE(Main().GetLink().CoinInPending());
    EXPECT_EQ(Main().m_nCredit, 11000);
    EXPECT_EQ(Main().m_abyCreditDigit[3], 1);
    EXPECT_EQ(m_pGame->m_nCreditIn, 10000);

    ASSERT_TRUE(Main().GetLink().ReqTicketOut());
    Client().Deliver(With(Hex("1b00 02 2a00"), {11000, 0}, With(Hex("01"), {4})));
    EXPECT_FALSE(Main().GetLink().TicketOutRequested());
    EXPECT_EQ(Main().m_nTicketState, 1) << "result 1: paid";
    EXPECT_EQ(Main().giftpaid, 1);

    Main().m_nTicketState = 0;
    Client().Deliver(With(Hex("1b00 02 2a00"), {11000, 0}, With(Hex("00"), {4})));
    EXPECT_EQ(Main().m_nTicketState, 2) << "result 0: refused";
}

// Extreme amounts from the server: every sum and count-up of them is clamped to the int32 range.
TEST_F(MorvaneHandlersTest, EachStepSumsCreditAndScoreClamped)
{
    struct Case {
        int32_t credit;
        int32_t score;
        bool insertCoin;  // credit + score below the bet of 100
        bool reset;       // credit + score above 0 ends a scripted empty round
    };
    const Case cases[] = {
        {INT_MAX, INT_MAX, false, true}, {INT_MAX, 1, false, true}, {INT_MIN, INT_MIN, true, false},
        {INT_MIN, -1, true, false},      {0, 0, true, false},       {0, -1, true, false},
        {-1, INT_MAX, false, true},
    };
    for (const Case& c : cases) {
        Client().Deliver(EnterAnswer(c.credit, c.score));
        ASSERT_EQ(Main().m_nCredit, c.credit);
        ASSERT_EQ(Main().m_nScore, c.score);
        Main().m_nInsertCoinCount = 0;
        Main().m_byResetRequest = 1;
        Main().Process();
        EXPECT_EQ(Main().m_nInsertCoinCount, c.insertCoin ? 1 : 0) << c.credit << " + " << c.score;
        EXPECT_EQ(Main().m_byResetRequest, c.reset ? 0 : 1)
            << "the round state is cleared for " << c.credit << " + " << c.score;
        Main().m_byResetRequest = 0;
    }
}

TEST_F(MorvaneHandlersTest, GrantedSpinsAddTheirWinsToTheTotalClamped)
{
    struct Case {
        int32_t win;
        int32_t expected;  // after two granted spins
    };
    for (const Case& c :
         {Case{INT_MAX, INT_MAX}, Case{INT_MIN, INT_MIN}, Case{0, 0}, Case{-1, -2}}) {
        m_pGame->m_nTotalGift = 0;
        m_pGame->m_nCreditPlayed = INT_MAX - 150;  // a long evening of bets of 100
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(Main().GetLink().ReqSpinData());
            Client().Deliver(With(Hex("1900 02 2a00"), {1000, 0}, [&] {
                Bytes granted = Hex("01");
                const Bytes record = AmountRecord(c.win);
                granted.insert(granted.end(), record.begin(), record.end());
                return granted;
            }()));
            ASSERT_TRUE(Main().GetLink().SpinDataReceived());
        }
        EXPECT_EQ(m_pGame->m_nTotalGift, c.expected) << c.win;
        EXPECT_EQ(m_pGame->m_nCreditPlayed, INT_MAX) << c.win;
    }
}

TEST_F(MorvaneHandlersTest, CoinInAddsToTheMoneyInsertedClamped)
{
    m_pGame->m_nCreditIn = INT_MAX - 15000;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(Main().GetLink().ReqCoinIn(true));
        Client().Deliver(With(Hex("1800 00"), {40000}, With(Hex("02 2a00"), {11000})));
    }
    EXPECT_EQ(m_pGame->m_nCreditIn, INT_MAX);
}

TEST_F(MorvaneHandlersTest, WinCountUpMovesTheScoreAndCountedWinClamped)
{
    // The score holds the win: splitting it off shows score - win, clamped.
    struct SplitCase {
        int32_t score;
        int32_t win;
        int32_t shown;
    };
    const SplitCase splits[] = {
        {INT_MIN, INT_MAX, INT_MIN}, {INT_MIN, 1, INT_MIN}, {-1, INT_MAX, INT_MIN},
        {0, INT_MAX, -INT_MAX},      {INT_MAX, INT_MAX, 0},
    };
    for (const SplitCase& c : splits) {
        Client().Deliver(EnterAnswer(0, c.score, AmountRecord(c.win)));
        Main().m_nWinAmount = c.win;
        Main().SplitWin();
        EXPECT_EQ(Main().m_nDispScore, c.shown) << c.score << " - " << c.win;
    }

    // A count-up step adds to the shown score (refreshed by a game-finish answer meanwhile) and
    // to the record's counted win.
    struct StepCase {
        int32_t score;
        int32_t counted;
        int32_t shown;
        int32_t countedAfter;
    };
    // A win of INT_MAX counts up in two minutes of steps: INT_MAX / 7200, rounded up.
    constexpr int32_t kStep = 298262;
    const StepCase steps[] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MAX - 500, INT_MAX - 500, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN + kStep, INT_MIN + kStep},
        {-1, -1, kStep - 1, kStep - 1},
    };
    for (const StepCase& c : steps) {
        Client().Deliver(EnterAnswer(0, 0, AmountRecord(INT_MAX, c.counted)));
        Main().m_nWinAmount = INT_MAX;
        Main().SplitWin();
        Main().GetLink().ReqGameFin();
        Client().Deliver(With(Hex("2100 02 2a00 01"), {0, U(c.score)}));
        ASSERT_EQ(Main().m_nDispScore, c.score);
        Main().m_nWinState = 40;
        Main().CountUpWinStep();
        EXPECT_EQ(Main().m_nDispScore, c.shown) << c.score;
        EXPECT_EQ(Main().m_Rec.CountedWin, c.countedAfter) << c.counted;
        EXPECT_EQ(Main().m_nPendingWin, INT_MAX - kStep);
    }
}
