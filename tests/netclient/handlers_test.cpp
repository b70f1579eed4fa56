// The protocol client's handlers over the real application object: answers dispatched by the
// network client reach the screen they belong to (or are dropped), games are found by machine key,
// connection events reach the login screen or end the lobby, and the lobby's requests go out on
// a real TCP connection to a loopback peer.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDlgInquiry.h"
#include "CNetClient.h"
#include "CWndDeck.h"
#include "CWndLogin.h"
#include "CWndLoginPanel.h"
#include "CWndTextList.h"
#include "netclient_lobby_fixture.h"
#include "platform/keys.h"
#include "support/temp_folder.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

// What a game is: {type, machine, demo}; {} for none.
std::vector<int> Shows(CGameBase* game)
{
    if (!game)
        return {};
    return {game->m_nGameType, game->m_nMachineNo, game->IsDemo() ? 1 : 0};
}

struct Row {
    int type;
    int machine;
};

// The four rows of a machine table as the server writes them.
void Table(Bytes& b, const Row (&rows)[4])
{
    for (const Row& r : rows) {
        U8(b, uint32_t(r.type));
        if (r.type == 1 || r.type == 3) {
            U16(b, uint32_t(r.machine));
            U32(b, 1000);
            U32(b, 0);
            U32(b, 0);
        } else if (r.type == 2 || r.type == 4) {
            U16(b, uint32_t(r.machine));
            U32(b, 1000);
            U32(b, 0);
        }
    }
}

class HandlersTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        // The login screen keeps save.dat in a folder of the test's own.
        m_saveDir = std::make_unique<TempFolder>("netclient_tests");
        CWndLoginPanel::SetSaveFolder(m_saveDir->Slashed());
    }
    void TearDown() override
    {
        NetClientLobbyTest::TearDown();
        CWndLoginPanel::SetSaveFolder(std::string());
        m_saveDir.reset();
    }

    CWndLogin* EnterLogin()
    {
        g_pWndMain->ChangeScreen(CWndMain::kScreenLogin);
        return dynamic_cast<CWndLogin*>(g_pWndMain->GetCurrentScreen());
    }

    std::unique_ptr<TempFolder> m_saveDir;
};

TEST_F(HandlersTest, AnswersReachOnlyTheScreenTheyBelongTo)
{
    struct Case {
        const char* name;
        const char* body;
        const char* lobbyTitle;  // the box the lobby shows; null: none
        const char* loginTitle;  // the box the login screen shows; null: none
    } cases[] = {
        {"machine remove 16", "6d00 10", "기계제거", nullptr},
        {"charge done", "6900 00", "충전", nullptr},
        {"machine select refused", "0d00 03", "기계선택", nullptr},
        {"gift tickets short", "6e00 0e", "상품권 교환", nullptr},
        {"coin-in refused", "1800 07 10270000 022a00", "투입", nullptr},
        {"login refused", "0500 02", nullptr, "로그인"},
    };
    SetRow(1, 2, 42);
    for (bool lobby : {true, false}) {
        if (lobby)
            ASSERT_NE(EnterLobby(), nullptr);
        else
            ASSERT_NE(EnterLogin(), nullptr);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << c.name << (lobby ? " in the lobby" : " at the login"));
            Box()->Show(false);
            Client().Deliver(Hex(c.body));
            const char* title = lobby ? c.lobbyTitle : c.loginTitle;
            EXPECT_EQ(Box()->IsVisible(), title != nullptr);
            if (title) {
                EXPECT_EQ(Box()->GetTitle(), title);
            }
        }
    }
}

TEST_F(HandlersTest, CoinInForAGameOfAnotherClassOnlyDoesTheLobbysPart)
{
    SetRow(1, 2, 42, 1000);
    ASSERT_NE(EnterLobby(), nullptr);
    // The fake game of type 2 is not the Morvane game: the credit does not reach it, but the
    // table is written and the refusal is shown.
    Client().Deliver(Hex("1800 07 a0860100 022a00"));
    EXPECT_EQ(Fake(1)->lastCredit, -1);
    EXPECT_EQ(g_MachineTable.m_nMoney, 100000);
    EXPECT_EQ(Box()->GetTitle(), "투입");
}

TEST_F(HandlersTest, ConnectionEventsByScreen)
{
    ASSERT_NE(EnterLobby(), nullptr);
    Client().OnConnect(false);
    Client().Process();
    EXPECT_FALSE(Box()->IsVisible()) << "a failed connection attempt means nothing to the lobby";

    Client().OnConnect(true);
    Client().Process();
    Client().OnClose();
    Client().Process();
    EXPECT_TRUE(BoxShows("서버 연결이 끊어졌습니다.\n프로그램을 종료합니다."));
    EXPECT_TRUE(Box()->IsQuitBox());
    EXPECT_EQ(Box()->GetTitle(), "서버연결");

    Box()->Show(false);
    CWndLogin* login = EnterLogin();
    ASSERT_NE(login, nullptr);
    const int server = login->GetPanel()->GetServerIndex();
    const int count = static_cast<int>(login->GetPanel()->GetServerList().size());
    Client().OnConnect(true);
    Client().Process();
    Client().OnClose();
    Client().Process();
    EXPECT_TRUE(BoxShows("로그인에 실패하였습니다."));
    EXPECT_FALSE(Box()->IsQuitBox());
    EXPECT_EQ(login->GetPanel()->GetServerIndex(), (server + 1) % count);
}

TEST_F(HandlersTest, PlayerDataOnTheLoginScreenOpensTheLobbyWithItsDecks)
{
    ASSERT_NE(EnterLogin(), nullptr);
    Bytes body = Hex("0900 00");
    WStr(body, u"player");
    U32(body, 70000);
    U32(body, 3);
    Table(body, {{2, 42}, {0, 0}, {0, 0}, {0, 0}});
    Client().Deliver(body);

    CWndGame* lobby = dynamic_cast<CWndGame*>(g_pWndMain->GetCurrentScreen());
    ASSERT_NE(lobby, nullptr);
    EXPECT_EQ(g_pGameMain->GetMode(), 3);
    EXPECT_EQ(Shows(Game(0)), (std::vector<int>{2, 42, 0}));
    EXPECT_EQ(Shows(Game(1)), (std::vector<int>{4, 0, 1}));
    EXPECT_EQ(Shows(Game(2)), (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(Shows(Game(3)), (std::vector<int>{3, 0, 1}));

    // The same answer in the lobby changes no screen.
    Client().Deliver(body);
    EXPECT_EQ(g_pWndMain->GetCurrentScreen(), lobby);
}

TEST_F(HandlersTest, SwapAndReleaseAnswersMoveTheDecks)
{
    SetRow(1, 2, 42);
    SetRow(2, 4, 43);
    ASSERT_NE(EnterLobby(), nullptr);
    CGameBase* machine42 = Game(1);

    Bytes swap = Hex("6c00");
    Table(swap, {{0, 0}, {4, 43}, {2, 42}, {0, 0}});
    Client().Deliver(swap);
    EXPECT_EQ(Game(2), machine42);
    EXPECT_EQ(Shows(Game(1)), (std::vector<int>{4, 43, 0}));

    // A release of a key nobody holds changes nothing; the held one leaves a demo game behind.
    Client().Deliver(Hex("7d00 02 2b00"));
    EXPECT_EQ(Game(2), machine42);
    Client().Deliver(Hex("7d00 02 2a00"));
    EXPECT_EQ(Shows(Game(2)), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(g_MachineTable.Find(2, 42), nullptr);
    EXPECT_EQ(Shows(Game(1)), (std::vector<int>{4, 43, 0}));
}

TEST_F(HandlersTest, OperatorAndInquiryLinesReachTheInquiryDialog)
{
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CDlgInquiry* inquiry = lobby->GetInquiry();
    auto lastRow = [&] { return inquiry->GetList()->GetRows().back()->GetText(); };

    Client().Deliver(ChatAnswer(0x01, u"not for us"));
    EXPECT_FALSE(inquiry->IsVisible()) << "another player's inquiry line is dropped";

    Client().Deliver(ChatAnswer(0x08, u"hello"));
    EXPECT_TRUE(inquiry->IsVisible()) << "an inquiry line opens the dialog";
    EXPECT_FALSE(inquiry->GetCallState());
    EXPECT_EQ(lastRow(), "") << "but is shown only in an active conversation";

    Client().Deliver(ChatAnswer(0x81, u"staff here"));
    EXPECT_TRUE(inquiry->GetCallState());
    EXPECT_EQ(lastRow(), "운영자:staff here");

    Client().Deliver(ChatAnswer(0x08, u"thanks"));
    EXPECT_EQ(lastRow(), "kim:thanks");

    inquiry->Show(false);
    Client().Deliver(Hex("7c00 01"));
    EXPECT_TRUE(inquiry->IsVisible());
    EXPECT_TRUE(inquiry->GetCallState());
}

TEST_F(HandlersTest, LobbyRequestsGoOutOnTheConnection)
{
    net_test::RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(net_test::ConnectToPeer(Client(), peer));
    SetRow(1, 2, 42);
    SetRow(2, 4, 43);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    auto next = [&] {
        auto body = peer.ReadFrameBody();
        return body ? net_test::ToHex(*body) : std::string("none");
    };
    EXPECT_EQ(next(), "6300") << "entering the lobby";

    CWndDeck* panel = lobby->GetDeckPanel(1);
    panel->OnClick(panel->GetMoveButton(true)->GetId());
    EXPECT_EQ(next(), "6c000102");
    panel->OnClick(panel->GetMoveButton(false)->GetId());
    EXPECT_EQ(next(), "6c000001");

    // Arrow keys without Shift and Ctrl held send nothing: the staff call is the next frame.
    for (int key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})
        EXPECT_EQ(lobby->OnKeyDown(key), 1);
    ASSERT_TRUE(Client().ReqStaffCall());
    EXPECT_EQ(next(), "7b00");

    // The server goes away: the lobby offers only quitting.
    peer.Close();
    ASSERT_TRUE(net_test::WaitUntil([&] {
        Client().Process();
        return Box()->IsVisible();
    }));
    EXPECT_TRUE(Box()->IsQuitBox());
}

TEST_F(HandlersTest, RefusedLoginIsSentAgainOnTheOpenConnection)
{
    net_test::RawPeer peer;
    CWndLoginPanel::SetServerPort(peer.Port());
    struct RestorePort {
        ~RestorePort() { CWndLoginPanel::SetServerPort(HiNetworkClient::kDefaultPort); }
    } restore;
    CWndLogin* login = EnterLogin();
    ASSERT_NE(login, nullptr);
    CWndLoginPanel* panel = login->GetPanel();
    for (int i = 0; i < 5 && panel->GetServerList()[size_t(panel->GetServerIndex())] != "127.0.0.1";
         ++i)
        panel->AdvanceServer();
    ASSERT_EQ(panel->GetServerList()[size_t(panel->GetServerIndex())], "127.0.0.1");
    panel->GetIdEdit()->SetText("user");
    panel->GetPasswordEdit()->SetText("pw");

    panel->Login();
    ASSERT_TRUE(peer.Accept());
    // The connected event reaches the login screen, which saves the choice and sends the login.
    ASSERT_TRUE(net_test::WaitUntil([&] {
        Client().Process();
        return std::filesystem::exists(CWndLoginPanel::SavePath());
    }));
    auto first = peer.ReadFrameBody();
    ASSERT_TRUE(first);
    EXPECT_EQ(net_test::ToHex(*first).substr(0, 4), "0400");

    ASSERT_TRUE(peer.Write(net_test::Frame(Hex("0500 02"))));
    ASSERT_TRUE(net_test::WaitUntil([&] {
        Client().Process();
        return Box()->IsVisible();
    }));
    EXPECT_EQ(Box()->GetTitle(), "로그인");
    EXPECT_TRUE(panel->IsEnabled());

    panel->Login();
    auto second = peer.ReadFrameBody();
    ASSERT_TRUE(second) << "the second attempt uses the open connection";
    EXPECT_EQ(*second, *first);
}

}  // namespace
