// Enter answers reach the game of their machine whatever screen is current: the decks outlive the
// lobby, so a Jix (14) or Morvane (23) game whose answer comes while the login screen is shown
// still starts with the server's credit, and the machine table takes it too.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CDemo.h"
#include "CJix.h"
#include "CMorvane.h"
#include "CMorvaneMain.h"
#include "CWndLogin.h"
#include "GameFactory.h"
#include "netclient_lobby_fixture.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

using EnterAnswersTest = NetClientLobbyTest;

TEST_F(EnterAnswersTest, ApplyWhenTheLobbyIsNotTheCurrentScreen)
{
    RegisterGameType(1, CreateJixGame);
    RegisterMorvaneGameType();
    // The games start without their files: the loaders only register them.
    g_pFileLoad->SetRegisterOnly(true);
    struct Case {
        const char* name;
        int type;
        Bytes body;  // machine 42, credit 3000
        std::function<bool(CGameBase*)> started;
        std::function<int(CGameBase*)> credit;
    };
    Bytes morvane = Hex("1700 02 2a00 b80b0000 00000000");
    for (uint32_t stop : {1u, 2u, 3u, 4u})
        U32(morvane, stop);
    morvane.resize(6 + 8 + 200, 0);
    const Case cases[] = {
        {"Jix", 1, Hex("0e00 01 2a00 b80b0000 02000000 00000000 " + std::string(360, '0')),
         [](CGameBase* g) { return static_cast<CJix*>(g)->IsStarted(); },
         [](CGameBase* g) { return static_cast<CJix*>(g)->GetEngine()->m_nCredit; }},
        {"Morvane", 2, morvane,
         [](CGameBase* g) { return static_cast<CMorvane*>(g)->m_bFlag == 1; },
         [](CGameBase* g) { return static_cast<CMorvane*>(g)->GetMain()->m_nCredit; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_MachineTable = CMachineTable{};
        SetRow(1, c.type, 42, 1000);
        ASSERT_NE(EnterLobby(), nullptr);
        CGameBase* game = Game(1);
        ASSERT_NE(game, nullptr);
        ASSERT_EQ(game->m_nGameType, c.type);
        ASSERT_FALSE(c.started(game));

        g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
        ASSERT_NE(dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen()), nullptr);
        Client().Deliver(c.body);
        EXPECT_TRUE(c.started(game));
        EXPECT_EQ(c.credit(game), 3000);
        EXPECT_EQ(g_MachineTable.m_aRows[1].m_nCredit, 3000);
    }
}

}  // namespace
