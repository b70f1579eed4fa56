// Extreme amounts from the server through the protocol client to a Morvane game in the lobby:
// every sum and count-up of them is clamped to the int32 range, never overflowed.
#include <gtest/gtest.h>

#include <climits>

#include "CMorvane.h"
#include "CMorvaneMain.h"
#include "CNetClient.h"
#include "netclient_lobby_fixture.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

constexpr uint32_t U(int32_t v)
{
    return static_cast<uint32_t>(v);
}

// A 200-byte spin record (stops 0) with the win amount at 44 and the counted win at 60.
Bytes Record(int32_t winAmount = 0, int32_t countedWin = 0)
{
    Bytes record(44, 0);
    U32(record, U(winAmount));
    record.resize(60, 0);
    U32(record, U(countedWin));
    record.resize(200, 0);
    return record;
}

Bytes Append(Bytes head, std::initializer_list<uint32_t> values, const Bytes& tail = {})
{
    for (uint32_t v : values)
        U32(head, v);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// Answer 23 for machine 42 of kind 2 (bet 100).
Bytes Enter(int32_t credit, int32_t score, const Bytes& record = Record())
{
    return Append(Hex("1700 02 2a00"), {U(credit), U(score)}, record);
}

class MorvaneAmountsTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        RegisterMorvaneGameTypes();
        SetRow(1, 2, 42, 1000);
        ASSERT_NE(EnterLobby(), nullptr);
        m_pGame = dynamic_cast<CMorvane*>(Game(1));
        ASSERT_NE(m_pGame, nullptr);
        ASSERT_NE(m_pGame->GetMain(), nullptr);
    }
    CMorvaneMain& Main() { return *m_pGame->GetMain(); }

    CMorvane* m_pGame = nullptr;
};

TEST_F(MorvaneAmountsTest, EachStepSumsCreditAndScoreClamped)
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
        Client().Deliver(Enter(c.credit, c.score));
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

TEST_F(MorvaneAmountsTest, GrantedSpinsAddTheirWinsToTheTotalClamped)
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
            Main().GetLink().SpinReq = 1;
            Client().Deliver(Append(Hex("1900 02 2a00"), {1000, 0}, [&] {
                Bytes granted = Hex("01");
                const Bytes record = Record(c.win);
                granted.insert(granted.end(), record.begin(), record.end());
                return granted;
            }()));
            ASSERT_EQ(Main().GetLink().SpinDataRecved, 1);
        }
        EXPECT_EQ(m_pGame->m_nTotalGift, c.expected) << c.win;
        EXPECT_EQ(m_pGame->m_nCreditPlayed, INT_MAX) << c.win;
    }
}

TEST_F(MorvaneAmountsTest, CoinInAddsToTheMoneyInsertedClamped)
{
    m_pGame->m_nCreditIn = INT_MAX - 15000;
    for (int i = 0; i < 2; ++i) {
        Main().GetLink().m_byCoinInPending = 1;
        Client().Deliver(Append(Hex("1800 00"), {40000}, Append(Hex("02 2a00"), {11000})));
    }
    EXPECT_EQ(m_pGame->m_nCreditIn, INT_MAX);
}

TEST_F(MorvaneAmountsTest, WinCountUpMovesTheScoreAndCountedWinClamped)
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
        Client().Deliver(Enter(0, c.score, Record(c.win)));
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
    const StepCase steps[] = {
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MAX - 500, INT_MAX - 500, INT_MAX, INT_MAX},
        {INT_MIN, INT_MIN, INT_MIN + 1110, INT_MIN + 1110},
        {-1, -1, 1109, 1109},
    };
    for (const StepCase& c : steps) {
        Client().Deliver(Enter(0, 0, Record(INT_MAX, c.counted)));
        Main().m_nWinAmount = INT_MAX;
        Main().SplitWin();
        Main().GetLink().finReq = 1;
        Client().Deliver(Append(Hex("2100 02 2a00 01"), {0, U(c.score)}));
        ASSERT_EQ(Main().m_nDispScore, c.score);
        Main().m_nWinState = 40;
        Main().CountUpWinStep();
        EXPECT_EQ(Main().m_nDispScore, c.shown) << c.score;
        EXPECT_EQ(Main().m_Rec.CountedWin, c.countedAfter) << c.counted;
        EXPECT_EQ(Main().m_nPendingWin, INT_MAX - 1110);
    }
}

}  // namespace
