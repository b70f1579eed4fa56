// The Morvane answers through the program's protocol client: a lobby whose deck hosts a real
// CMorvane, and answer bodies as the server sends them.
#include <gtest/gtest.h>

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
    }
    CMorvaneMain& Main() { return *m_pGame->GetMain(); }

    CMorvane* m_pGame = nullptr;
};

}  // namespace

TEST_F(MorvaneHandlersTest, EnterSpinDataAndGameFinishReachTheGame)
{
    Client().Deliver(With(Hex("1700 02 2a00"), {3000, 5000}, Record(1, 2, 3, 4)));
    EXPECT_EQ(m_pGame->m_bFlag, 1) << "the enter answer starts the game's time base";
    EXPECT_EQ(Main().m_nCredit, 3000);
    EXPECT_EQ(Main().m_Rec.Array[3], 4);
    EXPECT_EQ(Main().TicketFlag, 1) << "5000 with nothing to play pays a ticket";

    Main().GetLink().SpinReq = 1;
    Client().Deliver(With(Hex("1900 02 2a00"), {2900, 0}, [] {
        Bytes granted = Hex("01");
        const Bytes record = Record(22, 0, 23, 0);  // a stop out of range
        granted.insert(granted.end(), record.begin(), record.end());
        return granted;
    }()));
    EXPECT_EQ(Main().GetLink().SpinReq, 0);
    EXPECT_EQ(Main().GetLink().SpinDataRecved, 0) << "a record out of range is refused";

    Client().Deliver(With(Hex("1900 02 2a00"), {2900, 0}, [] {
        Bytes granted = Hex("01");
        const Bytes record = Record(22, 0, 22, 0, 2);
        granted.insert(granted.end(), record.begin(), record.end());
        return granted;
    }()));
    EXPECT_EQ(Main().GetLink().SpinDataRecved, 1);
    EXPECT_EQ(Main().GetLink().m_Record.nReelSet, 2);
    EXPECT_EQ(Main().m_nCredit, 2900);
    EXPECT_EQ(m_pGame->m_nCreditPlayed, 100);

    Main().GetLink().ReqSpinEnd();
    Client().Deliver(Hex("1a00 02 2a00 01"));
    EXPECT_EQ(Main().GetLink().SpinEnd, 1);

    Main().GetLink().finReq = 1;
    Client().Deliver(With(Hex("2100 02 2a00 01"), {2900, 0}));
    EXPECT_EQ(Main().GetLink().finReq, 0);
    EXPECT_EQ(Main().GetLink().playing, 0);
}

TEST_F(MorvaneHandlersTest, CoinInAndTicketOut)
{
    Main().GetLink().m_byCoinInPending = 1;
    Client().Deliver(With(Hex("1800 00"), {40000}, With(Hex("02 2a00"), {11000})));
    EXPECT_EQ(Main().GetLink().m_byCoinInPending, 0);
    EXPECT_EQ(Main().m_nCredit, 11000);
    EXPECT_EQ(Main().m_abyCreditDigit[3], 1);
    EXPECT_EQ(m_pGame->m_nCreditIn, 10000);

    Main().GetLink().TicketOutReq = 1;
    Client().Deliver(With(Hex("1b00 02 2a00"), {11000, 0}, With(Hex("01"), {4})));
    EXPECT_EQ(Main().GetLink().TicketOutReq, 0);
    EXPECT_EQ(Main().m_nTicketState, 1) << "result 1: paid";
    EXPECT_EQ(Main().giftpaid, 1);

    Main().m_nTicketState = 0;
    Client().Deliver(With(Hex("1b00 02 2a00"), {11000, 0}, With(Hex("00"), {4})));
    EXPECT_EQ(Main().m_nTicketState, 2) << "result 0: refused";
}
