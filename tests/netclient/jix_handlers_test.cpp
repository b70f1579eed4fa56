// The protocol client's Jix handlers over the real application object: each answer reaches the
// Jix game of its machine in the lobby (the enter answer on any screen), as the game screen's
// answers for type 1 say.
#include <gtest/gtest.h>

#include <string>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
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

}  // namespace
