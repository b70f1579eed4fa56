// The lobby's chat area, notice lines, user-info panel and money dialogs fed by the protocol
// client: hand-built answer bodies reaching their panel, the requests the panels send as bytes on
// a loopback connection, and a round of chat, notices, charge, exchange and gift tickets against
// the dev server's play mode.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDlgChangeTicket.h"
#include "CDlgChargeMoney.h"
#include "CDlgExchangeMoney.h"
#include "CNetClient.h"
#include "CWndGameChat.h"
#include "CWndGameChatList.h"
#include "CWndGameInfo.h"
#include "CWndGameNotice.h"
#include "CWndGamePrizeList.h"
#include "PlayServer.h"
#include "netclient_lobby_fixture.h"

using net_test::Bytes;
using net_test::Hex;
using namespace netclient_test;

namespace {

class LobbyPanelsTest : public NetClientLobbyTest {
protected:
    void SetUp() override
    {
        NetClientLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        m_lobby = EnterLobby();
        ASSERT_NE(m_lobby, nullptr);
        m_chat = m_lobby->GetChat()->GetChatList();
    }
    CDXLabel* LastLine() const { return m_chat->GetRows().back(); }
    // The text of every row that holds some, top to bottom (long lines wrap over rows).
    std::string Shown() const
    {
        std::string text;
        for (CDXLabel* row : m_chat->GetRows())
            text += row->GetText();
        return text;
    }
    CWndGame* m_lobby = nullptr;
    CWndGameChatList* m_chat = nullptr;
};

TEST_F(LobbyPanelsTest, PrizeAndPlayerAnswersReachTheChatListAndThePrizeList)
{
    using List = CWndGameChatList;
    struct Case {
        const char* name;
        Bytes body;
        std::vector<std::string> lines;  // newest last
        uint32_t colour;
    };
    auto appear = [] {
        Bytes b = Hex("6f00 02 0700");
        WStr(b, u"kim");
        U8(b, 13);
        return b;
    }();
    auto jackpot = [] {
        Bytes b = Hex("7000 04 7800");
        WStr(b, u"kim");
        U8(b, 12);
        U32(b, 20000);
        return b;
    }();
    auto entered = [] {
        Bytes b = Hex("7200 00");
        WStr(b, u"lee");
        return b;
    }();
    auto left = [] {
        Bytes b = Hex("7200 01");
        WStr(b, u"lee");
        return b;
    }();
    auto reserve = [](bool approved) {
        Bytes b;
        U16(b, 120);
        U8(b, approved ? 1 : 0);
        U16(b, 7);
        U8(b, 2);
        U16(b, 0);
        U16(b, 42);
        U8(b, 4);
        U16(b, 0);
        U16(b, 24);
        return b;
    };
    const Case cases[] = {
        {"appear", appear, {"[007] kim님 큰불 출현 축하드립니다★ (100)"}, 0xFFFF0000},
        {"jackpot", jackpot, {"[120] kim님 20,000점 양탄자잭팟 축하드립니다. (200)"}, 0xFFC8C832},
        {"entered",
         entered,
         {"lee님께서 입장하셨습니다.", "lee님 Brisvane에 오신 걸 환영합니다♥"},
         List::ChatColour(List::kColourLobbyNotice)},
        {"left", left, {"lee님께서 퇴장하셨습니다."}, List::ChatColour(List::kColourLobbyNotice)},
        {"reserved",
         reserve(true),
         {"[007] [000] [042] [000] 24시간 기계 예약이 승인되었습니다."},
         List::ChatColour(List::kColourSystem)},
        {"reserve refused",
         reserve(false),
         {"[007] [000] [042] [000] 24시간 기계 예약이 거부되었습니다."},
         List::ChatColour(List::kColourReserveRefused)},
        {"system line",
         ChatAnswer(0x04, u"server says"),
         {"server says"},
         List::ChatColour(List::kColourSystem)},
        {"operator line",
         ChatAnswer(0x80, u"hello all"),
         {"운영자:hello all"},
         List::ChatColour(List::kColourLobbyNotice)},
        {"chat line", ChatAnswer(0x00, u"hi"), {"kim:hi"}, List::ChatColour(List::kColourChat)},
        {"another player's inquiry", ChatAnswer(0x01, u"secret"), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_chat->Clear();
        Client().Deliver(c.body);
        std::string all;
        for (const std::string& line : c.lines)
            all += line;
        EXPECT_EQ(Shown(), all);
        if (!c.lines.empty()) {
            EXPECT_EQ(LastLine()->GetColour(), c.colour);
        }
    }

    // A prize goes to the prize list first, then its announcement to the chat list.
    m_chat->Clear();
    Bytes prize = Hex("7100 02 0900");
    WStr(prize, u"park");
    U8(prize, 1);  // line
    prize.insert(prize.end(), {10, 11, 12, 13});
    U32(prize, 25000);  // prize amount
    U8(prize, 0);       // skipped
    U8(prize, 11);      // value
    U32(prize, 25000);  // announced amount
    U8(prize, 2);       // jackpot kind
    Client().Deliver(prize);
    const CWndGamePrize* row = m_lobby->GetChat()->GetPrizeList()->GetRows().back();
    EXPECT_EQ(row->GetMachineText(), "[009]");
    EXPECT_EQ(row->GetNameText(), "park");
    EXPECT_EQ(row->GetLineText(), "중");
    EXPECT_EQ(row->GetAmountText(), "25,000");
    EXPECT_EQ(row->GetColour(), 0xFF5353EEu);
    EXPECT_EQ(Shown(), "[009] park님 25,000점 백마 보너스잭팟  축하드립니다. (100)");
}

TEST_F(LobbyPanelsTest, NoticeAndNoticeListFillTwoDifferentLines)
{
    CWndGameNotice* red = m_lobby->GetNotice();
    CWndGameNotice* info = m_lobby->GetInfo()->GetNoticeLine();
    Bytes notice = Hex("7e00");
    WStr(notice, u"점검 안내");
    Client().Deliver(notice);
    EXPECT_TRUE(red->IsVisible());
    EXPECT_EQ(red->GetShownText(), "점검 안내");
    EXPECT_TRUE(info->GetPending().empty());
    EXPECT_TRUE(info->GetCurrent().empty());

    Bytes list = Hex("7f00 02");
    WStr(list, u"one");
    WStr(list, u"two");
    Client().Deliver(list);
    info->ShowNext(false);
    EXPECT_EQ(info->GetCurrent(), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(red->GetCurrent(), (std::vector<std::string>{"점검 안내"}));

    // A new list replaces what waits; a new notice replaces the red line's waiting one.
    Bytes first = Hex("7f00 01");
    WStr(first, u"old");
    Client().Deliver(first);
    Bytes second = Hex("7f00 01");
    WStr(second, u"new");
    Client().Deliver(second);
    EXPECT_EQ(info->GetPending(), (std::vector<std::string>{"new"}));
    Client().Deliver(notice);
    Bytes later = Hex("7e00");
    WStr(later, u"later");
    Client().Deliver(later);
    EXPECT_EQ(red->GetPending(), (std::vector<std::string>{"later"}));
}

TEST_F(LobbyPanelsTest, PanelsSendTheirRequests)
{
    net_test::RawPeer peer;
    ASSERT_NO_FATAL_FAILURE(net_test::ConnectToPeer(Client(), peer));
    auto next = [&] {
        auto body = peer.ReadFrameBody();
        return body ? net_test::ToHex(*body) : std::string("none");
    };

    CWndGameChat* chat = m_lobby->GetChat();
    chat->GetEdit()->SetText("hi");
    chat->GetEdit()->TakeFocus();
    EXPECT_EQ(chat->OnChar(13), 0);
    EXPECT_EQ(next(), "64000004006800"
                      "6900");
    EXPECT_STREQ(chat->GetEdit()->GetTextBuffer(), "") << "emptied once sent";
    EXPECT_EQ(chat->OnChar(13), 0);  // nothing to send: the next frame below is the charge

    CDlgChargeMoney* charge = m_lobby->GetChargeDialog();
    charge->Show(true);
    charge->GetAmountEdit()->SetText("50000");
    charge->GetSenderEdit()->SetText("kim");
    charge->OnClick(CDlgChargeMoney::kRequestId);
    EXPECT_EQ(next(), "6800"
                      "50c30000"
                      "0600"
                      "6b0069006d00");
    EXPECT_FALSE(charge->IsEnabled()) << "until the answer";
    charge->Show(false);

    CDlgExchangeMoney* exchange = m_lobby->GetExchangeDialog();
    exchange->Show(true);
    const char* fields[] = {"10000", "bk", "12345", "lee", "010", "1234", "5678"};
    for (int i = 0; i < CDlgExchangeMoney::kEdits; ++i)
        exchange->GetEdit(i)->SetText(fields[i]);
    exchange->OnClick(CDlgExchangeMoney::kRequestId);
    EXPECT_EQ(next(), "6a00"
                      "10270000"
                      "0600"
                      "6c0065006500"
                      "0400"
                      "62006b00"
                      "3132333435000000000000000000000000000000"
                      "3031303132333435363738000000000000000000"
                      "0000");
    EXPECT_FALSE(exchange->IsEnabled());
    exchange->Show(false);

    // Before any information answer the exchange button sends 0 tickets.
    CDlgChangeTicket* tickets = m_lobby->GetChangeTicket();
    tickets->Show(true);
    EXPECT_EQ(next(), "6e0000");
    EXPECT_FALSE(tickets->IsEnabled());
    tickets->OnClick(CDlgChangeTicket::kExchangeId);
    EXPECT_EQ(next(), "6e0001"
                      "00000000");
    tickets->SetTicketInfo(0.1f, 7, 7000);
    tickets->OnClick(CDlgChangeTicket::kExchangeId);
    EXPECT_EQ(next(), "6e0001"
                      "07000000");
}

TEST_F(LobbyPanelsTest, ChatNoticesMoneyAndTicketsAgainstTheDevServer)
{
    devserver::PlayServer server({"127.0.0.62"}, 0, devserver::DefaultPlayAnswers());
    server.Start();
    ASSERT_TRUE(Client().Connect("127.0.0.62", server.Port()));
    ASSERT_TRUE(ProcessUntil([] { return Client().IsConnected(); }));
    ASSERT_TRUE(Client().ReqLogin("kim", "pw"));
    ASSERT_TRUE(Client().ReqLobbyEnter());

    // The notice list fills the info panel's line, the notice the lobby's red line.
    CWndGameNotice* red = m_lobby->GetNotice();
    CWndGameNotice* info = m_lobby->GetInfo()->GetNoticeLine();
    ASSERT_TRUE(ProcessUntil([&] { return red->IsVisible(); }));
    EXPECT_EQ(red->GetShownText(), "어서 오세요, 플레이어 kim");
    EXPECT_EQ(info->GetPending(), (std::vector<std::string>{"개발 서버에 오신 것을 환영합니다.",
                                                            "모든 게임은 연습용입니다."}));

    // Chat: the server echoes the line under the player's name (a name of at most ten UTF-16
    // units: the chat answer's name field holds no more).
    CWndGameChat* chat = m_lobby->GetChat();
    chat->GetEdit()->SetText("hello");
    ASSERT_TRUE(chat->SendInput());
    ASSERT_TRUE(ProcessUntil([&] { return LastLine()->GetText() == "플레이어 kim:hello"; }))
        << Shown();
    EXPECT_EQ(LastLine()->GetColour(), CWndGameChatList::ChatColour(CWndGameChatList::kColourChat));

    // Charge: the dialog closes, the box confirms, the money arrives with its chat line.
    CDXLabel* money = m_lobby->GetInfo()->GetMoneyLabel();
    CDlgChargeMoney* charge = m_lobby->GetChargeDialog();
    charge->Show(true);
    charge->GetAmountEdit()->SetText("50000");
    charge->GetSenderEdit()->SetText("kim");
    ASSERT_TRUE(charge->SendRequest());
    ASSERT_TRUE(ProcessUntil([&] { return money->GetText() == "1,050,000"; }));
    EXPECT_FALSE(charge->IsVisible());
    EXPECT_TRUE(BoxShows("충전 요청을 완료하였습니다."));
    EXPECT_EQ(LastLine()->GetText(), "코인이 충전되었습니다.");
    Box()->Show(false);

    // Exchange: paid out, the dialog closes and the chat says so.
    CDlgExchangeMoney* exchange = m_lobby->GetExchangeDialog();
    exchange->Show(true);
    const char* fields[] = {"10000", "bank", "12345", "kim", "010", "1234", "5678"};
    for (int i = 0; i < CDlgExchangeMoney::kEdits; ++i)
        exchange->GetEdit(i)->SetText(fields[i]);
    ASSERT_TRUE(exchange->SendRequest());
    ASSERT_TRUE(
        ProcessUntil([&] { return LastLine()->GetText() == "10,000 환전이 처리되었습니다."; }));
    EXPECT_FALSE(exchange->IsVisible());
    EXPECT_TRUE(BoxShows("환전요청을 완료하였습니다."));
    EXPECT_EQ(money->GetText(), "1,040,000");
    Box()->Show(false);

    // Gift tickets: the information answer enables the dialog, the exchange closes it.
    CDlgChangeTicket* tickets = m_lobby->GetChangeTicket();
    tickets->Show(true);
    ASSERT_TRUE(ProcessUntil([&] { return tickets->IsEnabled(); }));
    EXPECT_EQ(tickets->GetRateLabel()->GetText(), "10");
    EXPECT_EQ(tickets->GetCountLabel()->GetText(), "3 장");
    EXPECT_EQ(tickets->GetAmountLabel()->GetText(), "1,000 원");
    ASSERT_TRUE(tickets->SendExchange());
    ASSERT_TRUE(ProcessUntil([&] { return !tickets->IsVisible(); }));
    EXPECT_TRUE(BoxShows("상품권: 3 장\n교환금액: 3,000 원\n\n상품권 교환을 완료하였습니다."));
    EXPECT_EQ(m_lobby->GetInfo()->GetTicketLabel()->GetText(), "0");
    EXPECT_EQ(money->GetText(), "1,043,000");
    server.Stop();
}

}  // namespace
