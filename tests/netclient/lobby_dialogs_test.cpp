// The lobby's machine selection, reservation and machine information dialogs over the program's
// protocol client: the requests they send on a real connection (and those they must not send),
// and the dev server's play answers reaching them.
#include <gtest/gtest.h>

#include "Answers.h"
#include "CDXEdit.h"
#include "CDXRadioButton.h"
#include "CDlgMachineInfo.h"
#include "CDlgMachineSelect.h"
#include "CDlgReserveInfo.h"
#include "CDlgReserveMachine.h"
#include "CNetClient.h"
#include "CRdoMachine.h"
#include "CWndDeckLog.h"
#include "CWndGameChannel.h"
#include "CWndGameLog.h"
#include "PlayServer.h"
#include "netclient_lobby_fixture.h"

namespace {

using namespace std::chrono_literals;

// The lobby with the program's protocol client.
using LobbyDialogsTest = netclient_test::NetClientLobbyTest;

TEST_F(LobbyDialogsTest, DialogsSendTheirRequestsAndNothingTheyMustNot)
{
    net_test::RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(net_test::ConnectToPeer(Client(), peer));
    SetRow(0, 0, 0);   // demo game of type 2
    SetRow(1, 2, 42);  // the player's machine, still playing
    SetRow(2, 0, 0);   // demo game of type 1
    g_MachineTable.m_aRows[3].m_nIndex = -1;
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    auto next = [&] {
        auto body = peer.ReadFrameBody();
        return body ? net_test::ToHex(*body) : std::string("none");
    };
    EXPECT_EQ(next(), "6300");

    // Machine selection for deck 2: the list of type 1, the dialog disabled until it has come.
    CDlgMachineSelect* select = lobby->GetMachineSelect();
    lobby->OpenMachineSelect(2);
    EXPECT_EQ(next(), "0a0001");
    EXPECT_FALSE(select->IsEnabled());
    // The list: 60 machines, 2 and 51 taken.
    net_test::Bytes list = net_test::Hex("0b00 01 3c00");
    for (int n = 1; n <= 60; ++n) {
        list.push_back(uint8_t(n));
        list.push_back(0);
        list.push_back(n == 2 || n == 51 ? 0 : 1);
    }
    ASSERT_TRUE(peer.Write(net_test::Frame(list)));
    ASSERT_TRUE(ProcessUntil([&] { return select->IsEnabled(); }));
    CWndGameChannel* page = select->GetPage(1);
    EXPECT_EQ(page->GetChannelButtons().size(), 2u);
    EXPECT_EQ(page->GetMachineButton(0)->GetUserValue(), 1);

    const int first = page->GetFirstMachineId();
    page->OnRadioSelect(first + 1);  // machine 2: taken
    page->OnRadioSelect(first + 6);  // machine 7: free
    EXPECT_EQ(next(), "0c0002010700");
    page->OnRadioSelect(page->GetFirstChannelId() + 1);
    EXPECT_TRUE(page->GetMachineButton(0)->IsTaken()) << "51";
    EXPECT_FALSE(page->GetMachineButton(10)->IsVisible()) << "61 is past the count";

    // A deck whose game still plays cannot take another machine, even with the dialog open for it.
    select->OpenFor(2, 1);
    EXPECT_EQ(next(), "0a0002");
    select->GetPage(2)->BeginList(10);
    select->GetPage(2)->SetEntry(3, 1);
    select->GetPage(2)->ShowMachines(1);
    select->GetPage(2)->OnRadioSelect(select->GetPage(2)->GetFirstMachineId() + 2);

    // The tabs ask for their type's list.
    select->OnRadioSelect(87);
    EXPECT_EQ(next(), "0a0003") << "nothing was sent for the playing deck";
    select->OnRadioSelect(88);
    EXPECT_EQ(next(), "0a0004");
    select->Show(false);

    // Reservations: the status on opening, then the request with the ticked decks.
    CDlgReserveMachine* reserve = lobby->GetReserveMachine();
    reserve->Show(true);
    EXPECT_EQ(next(), "7500");
    ASSERT_TRUE(peer.Write(net_test::Frame(net_test::Hex("7600 0c00 00"))));
    ASSERT_TRUE(ProcessUntil([&] { return reserve->IsEnabled(); }));
    EXPECT_EQ(reserve->GetMaxHours(), 12);
    EXPECT_STREQ(reserve->GetHoursEdit()->GetTextBuffer(), "12");
    EXPECT_TRUE(reserve->GetCheck(1)->IsChecked());
    reserve->GetHoursEdit()->SetText("5");
    EXPECT_TRUE(reserve->Reserve());
    EXPECT_EQ(next(), "7700050000010000");
    EXPECT_FALSE(reserve->IsVisible());
    EXPECT_TRUE(BoxShows("예약 신청을 하였습니다"));
    EXPECT_EQ(Box()->GetTitle(), "기계예약");

    lobby->GetReserveInfo()->Show(true);
    EXPECT_EQ(next(), "730008");
    lobby->GetMachineInfo()->Show(true);
    EXPECT_EQ(next(), "790014");
}

// A slow server holds answer 13: a second click meanwhile sends nothing, so one deck can never be
// granted two machines. A grant closes the dialog; a refusal shows its box and lets the player
// choose again.
class MachineSelectClickTest : public LobbyDialogsTest {
protected:
    // A click on a machine button as the player makes it: pressed and released at its centre, in
    // client pixels through the application's window procedure, then the posted selection
    // delivered.
    static void ClickMachine(CRdoMachine* button)
    {
        const float x = float(button->AbsoluteX()) + float(button->GetWidth()) / 2;
        const float y = float(button->AbsoluteY()) + float(button->GetHeight()) / 2;
        const LPARAM at = MAKELPARAM(int(x / g_fPointerScaleX), int(y / g_fPointerScaleY));
        g_pGameMain->WndProc(g_hWndMain, WM_LBUTTONDOWN, 0, at);
        g_pGameMain->WndProc(g_hWndMain, WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
};

TEST_F(MachineSelectClickTest, OneRequestUntilItsAnswer)
{
    net_test::RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(net_test::ConnectToPeer(Client(), peer));
    // A refusal first: it leaves every deck free for the grant.
    for (const bool granted : {false, true}) {
        SCOPED_TRACE(granted ? "granted" : "refused");
        for (int i = 0; i < 4; ++i)
            SetRow(i, 0, 0);
        CWndGame* lobby = EnterLobby();
        ASSERT_NE(lobby, nullptr);
        auto next = [&](std::chrono::milliseconds wait) {
            auto body = peer.ReadFrameBody(wait);
            return body ? net_test::ToHex(*body) : std::string("none");
        };
        EXPECT_EQ(next(3000ms), "6300");
        CDlgMachineSelect* select = lobby->GetMachineSelect();
        lobby->OpenMachineSelect(2);
        EXPECT_EQ(next(3000ms), "0a0001");
        net_test::Bytes list = net_test::Hex("0b00 01 0a00");
        for (int n = 1; n <= 10; ++n)
            list.insert(list.end(), {uint8_t(n), 0, 1});
        ASSERT_TRUE(peer.Write(net_test::Frame(list)));
        ASSERT_TRUE(ProcessUntil([&] { return select->IsEnabled(); }));
        CWndGameChannel* page = select->GetPage(1);

        ClickMachine(page->GetMachineButton(0));
        EXPECT_EQ(next(3000ms), "0c0002010100");
        EXPECT_FALSE(select->IsEnabled()) << "disabled until the answer";
        ClickMachine(page->GetMachineButton(2));
        Client().Process();
        EXPECT_EQ(next(300ms), "none") << "a second request before the answer";

        ASSERT_TRUE(peer.Write(
            net_test::Frame(granted ? devserver::answers::MachineSelectResult(0, 2, 1, 1)
                                    : devserver::answers::MachineSelectResult(7, 0, 0, 0))));
        if (granted) {
            ASSERT_TRUE(ProcessUntil([&] { return !select->IsVisible(); }));
            ASSERT_NE(Game(2), nullptr);
            EXPECT_EQ(Game(2)->m_nMachineNo, 1);
            EXPECT_FALSE(Game(2)->IsDemo());
        } else {
            ASSERT_TRUE(ProcessUntil([&] { return select->IsEnabled(); }));
            EXPECT_TRUE(BoxShows(CDlgCommon::ErrorText(7)));
            EXPECT_EQ(Box()->GetTitle(), "기계선택");
            Box()->Show(false);
            ClickMachine(page->GetMachineButton(2));
            EXPECT_EQ(next(3000ms), "0c0002010300") << "after a refusal the player chooses again";
            select->Show(false);
        }
    }
}

TEST_F(LobbyDialogsTest, DevServerAnswersReachTheDialogs)
{
    devserver::PlayServer server({"127.0.0.1"}, 0, devserver::DefaultPlayAnswers());
    server.Start();
    ASSERT_TRUE(Client().Connect("127.0.0.1", server.Port()));
    ASSERT_TRUE(net_test::WaitUntil([] { return Client().IsConnected(); }));
    for (int i = 0; i < 4; ++i)
        SetRow(i, 0, 0);  // demo games of types 2, 4, 1, 3
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);

    // Deck 2 takes machine 7 of type 1 (1000 machines: 20 channels, every fifth taken).
    CDlgMachineSelect* select = lobby->GetMachineSelect();
    lobby->OpenMachineSelect(2);
    ASSERT_TRUE(ProcessUntil([&] { return select->IsEnabled(); }));
    CWndGameChannel* page = select->GetPage(1);
    EXPECT_EQ(page->GetMachineCount(), 1000);
    EXPECT_EQ(page->GetChannelButtons().size(), 20u);
    EXPECT_TRUE(page->GetMachineButton(4)->IsTaken());
    EXPECT_FALSE(page->GetMachineButton(6)->IsTaken());
    page->OnRadioSelect(page->GetFirstMachineId() + 6);
    ASSERT_TRUE(ProcessUntil([&] { return !select->IsVisible(); }));
    ASSERT_NE(Game(2), nullptr);
    EXPECT_EQ(Game(2)->m_nMachineNo, 7);
    EXPECT_FALSE(Game(2)->IsDemo());
    EXPECT_EQ(page->GetMachineList()[6].nFree, 0);

    // The type-2 list has 1001 machines: a 21st channel with one.
    lobby->OpenMachineSelect(0);
    ASSERT_TRUE(ProcessUntil([&] { return select->IsEnabled(); }));
    CWndGameChannel* morvane = select->GetPage(2);
    ASSERT_EQ(morvane->GetChannelButtons().size(), 21u);
    morvane->OnRadioSelect(morvane->GetLastChannelId());
    EXPECT_EQ(morvane->GetMachineButton(0)->GetUserValue(), 1001);
    EXPECT_FALSE(morvane->GetMachineButton(1)->IsVisible());
    select->Show(false);

    // The reservation dialog: the server's maximum, deck 2 ticked with its machine.
    CDlgReserveMachine* reserve = lobby->GetReserveMachine();
    reserve->Show(true);
    ASSERT_TRUE(ProcessUntil([&] { return reserve->IsEnabled(); }));
    EXPECT_STREQ(reserve->GetHoursEdit()->GetTextBuffer(), "24");
    EXPECT_EQ(reserve->GetMachineText(2), "007");
    EXPECT_TRUE(reserve->GetCheck(2)->IsChecked());
    EXPECT_FALSE(reserve->GetCheck(0)->IsEnabled());
    reserve->Show(false);

    // The reservation list: the server's one entry, two hours from 20:00.
    CDlgReserveInfo* info = lobby->GetReserveInfo();
    info->Show(true);
    ASSERT_TRUE(
        ProcessUntil([&] { return !info->GetText(0, CDlgReserveInfo::kStartColumn).empty(); }));
    EXPECT_EQ(info->GetText(0, CDlgReserveInfo::kStartColumn), "2026-12-10 20:00");
    EXPECT_EQ(info->GetText(0, CDlgReserveInfo::kEndColumn), "2026-12-10 22:00");
    EXPECT_EQ(info->GetText(0, 2), "[007]");
    info->Show(false);

    // The machine logs: deck 2's machine and the game log.
    CDlgMachineInfo* machines = lobby->GetMachineInfo();
    machines->Show(true);
    EXPECT_EQ(machines->GetDeckLog(2)->GetHeader(), "[007]");
    ASSERT_TRUE(ProcessUntil([&] { return !machines->GetGameLog()->GetRows().IsRowEmpty(0); }));
    EXPECT_EQ(machines->GetDeckLog(2)->GetRows().Text(0, 0), "12/10 19:30");
    EXPECT_EQ(machines->GetDeckLog(2)->GetRows().Text(0, 2), "1,000점");
    EXPECT_EQ(machines->GetGameLog()->GetRows().Text(0, 0), "[007]");
    EXPECT_EQ(machines->GetGameLog()->GetRows().Text(0, 2), "이벤트")
        << "the jackpot kind of the last entry";
    EXPECT_TRUE(machines->GetDeckLog(0)->GetRows().IsRowEmpty(0));

    ReleaseNetClient();
    server.Stop();
}

}  // namespace
