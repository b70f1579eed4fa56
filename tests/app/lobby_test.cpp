// The lobby screen and its deck panels over the real application object, with fake games: the
// decks' filling from the machine table, the answer operations, and the panels' controls.
#include <gtest/gtest.h>

#include "CDXRadioButton.h"
#include "CWndDeck.h"
#include "lobby_fixture.h"

namespace {

struct DeckShows {
    int type;
    int machine;
    bool demo;
};

// What a deck hosts, {0, 0, false} for nothing.
DeckShows Shows(CGameBase* game)
{
    return game ? DeckShows{game->m_nGameType, game->m_nMachineNo, game->IsDemo()}
                : DeckShows{0, 0, false};
}

void ExpectShows(int deck, DeckShows expected)
{
    const DeckShows got = Shows(g_pGameDeckList->GetDeck(deck)->GetGame());
    EXPECT_EQ(got.type, expected.type) << "deck " << deck;
    EXPECT_EQ(got.machine, expected.machine) << "deck " << deck;
    EXPECT_EQ(got.demo, expected.demo) << "deck " << deck;
}

TEST_F(LobbyTest, DecksFollowTheTableRowsWhenTheLobbyOpens)
{
    SetRow(0, 2, 5);  // the player's machine
    SetRow(1, 0, 0);  // a row without a machine: the deck's demo game (type 4)
    // deck 2: no row at all, the deck keeps what it shows (nothing)
    SetRow(3, 1, 9);  // the machine cannot start: the deck's demo game (type 3)
    g_MachineTable.m_aRows[2].m_nIndex = -1;
    FakeGame::next.failInitializeType = 1;

    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    EXPECT_TRUE(lobby->IsEnabled());
    ExpectShows(0, {2, 5, false});
    ExpectShows(1, {4, 0, true});
    ExpectShows(2, {0, 0, false});
    ExpectShows(3, {3, 0, true});
}

TEST_F(LobbyTest, DeckPanelsFollowTheirDecks)
{
    SetRow(0, 3, 7);
    SetRow(1, 2, 42);
    SetRow(2, 0, 0);  // demo type 1
    SetRow(3, 0, 0);  // demo type 3
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);

    struct Case {
        int deck;
        const char* number;
        bool morvane;
    } cases[] = {{0, "007", false}, {1, "042", true}, {2, "", false}, {3, "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deck);
        CWndDeck* panel = lobby->GetDeckPanel(c.deck);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->GetId(), CWndGame::kFirstDeckPanelId + c.deck);
        EXPECT_EQ(panel->GetX(), g_GameDeckLayout[c.deck].nX);
        EXPECT_EQ(panel->GetWidth(), g_GameDeckLayout[c.deck].nWidth);
        EXPECT_EQ(g_pGameDeckList->GetDeck(c.deck)->GetPanel(), panel);
        EXPECT_STREQ(panel->GetMachineText(), c.number);
        for (int n = 1; n <= 3; ++n)
            EXPECT_EQ(panel->GetMorvaneButton(n)->IsVisible(), c.morvane);
        EXPECT_EQ(panel->GetMoveButton(false) != nullptr, c.deck > 0);
        EXPECT_EQ(panel->GetMoveButton(true) != nullptr, c.deck < 3);
    }
}

TEST_F(LobbyTest, MoveButtonsShowOnlyOverAMachineOfThePlayer)
{
    SetRow(1, 2, 42);
    SetRow(2, 0, 0);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CWndDeck* machine = lobby->GetDeckPanel(1);
    CWndDeck* demo = lobby->GetDeckPanel(2);
    machine->OnMouseMove(machine->GetX() + 10, 20);
    demo->OnMouseMove(demo->GetX() + 10, 20);
    EXPECT_TRUE(machine->GetMoveButton(false)->IsShowing());
    EXPECT_TRUE(machine->GetMoveButton(true)->IsShowing());
    EXPECT_FALSE(demo->GetMoveButton(false)->IsShowing());

    // Below the panel's upper half, or after the pointer left, they fade out.
    machine->OnMouseMove(machine->GetX() + 10, 900);
    EXPECT_FALSE(machine->GetMoveButton(true)->IsShowing());
    machine->OnMouseMove(machine->GetX() + 10, 20);
    machine->OnMouseLeave();
    EXPECT_FALSE(machine->GetMoveButton(true)->IsShowing());
    CBtnDeckGameMove* move = machine->GetMoveButton(true);
    move->Update(0.05f);
    EXPECT_TRUE(move->IsVisible());
    EXPECT_NEAR(move->GetFadeAlpha(), 0.5f, 0.01f);
    move->Update(0.06f);
    EXPECT_FALSE(move->IsVisible());
}

TEST_F(LobbyTest, InsertButtonAsksTheIdleGameForCoinsWhileThereIsMoney)
{
    SetRow(1, 2, 42);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CWndDeck* panel = lobby->GetDeckPanel(1);
    const int insert = panel->GetInsertButton()->GetId();
    FakeGame::log.clear();

    panel->OnPress(insert);
    EXPECT_EQ(FakeGame::log, std::vector<std::string>{"2:42:coin-in"});

    Fake(1)->config.idle = false;  // a coin-in is in flight
    panel->OnPress(insert);
    EXPECT_EQ(FakeGame::log.size(), 1u);

    Fake(1)->config.idle = true;
    g_MachineTable.m_nMoney = 0;
    panel->OnPress(insert);
    EXPECT_EQ(FakeGame::log.size(), 1u) << "no money, nothing sent";
    EXPECT_TRUE(BoxShows("게임머니 부족"));
    EXPECT_EQ(Box()->GetTitle(), "투입");
}

TEST_F(LobbyTest, DoubleUpButtonsByMorvaneKind)
{
    SetRow(1, 2, 42);
    SetRow(2, 4, 43);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CWndDeck* bet100 = lobby->GetDeckPanel(1);
    CWndDeck* bet200 = lobby->GetDeckPanel(2);
    FakeGame::log.clear();

    for (int n = 1; n <= 3; ++n) {
        bet100->OnClick(bet100->GetMorvaneButton(n)->GetId());
        bet200->OnClick(bet200->GetMorvaneButton(n)->GetId());
    }
    EXPECT_EQ(FakeGame::log,
              (std::vector<std::string>{"2:42:choice 1", "2:42:choice 1", "2:42:choice 2"}));
    EXPECT_TRUE(BoxShows("200방은 더블찬스가 제공되지 않습니다!"));

    // The buttons follow the game's double-up state every frame.
    Fake(1)->config.doubleUpState = 1;
    bet100->OnUpdate(0.0f);
    EXPECT_TRUE(bet100->GetMorvaneButton(1)->IsEnabled());
    EXPECT_FALSE(bet100->GetMorvaneButton(2)->IsEnabled());
    Fake(1)->config.doubleUpState = 2;
    bet100->OnUpdate(0.0f);
    EXPECT_FALSE(bet100->GetMorvaneButton(1)->IsEnabled());
    EXPECT_TRUE(bet100->GetMorvaneButton(3)->IsEnabled());
}

TEST_F(LobbyTest, AutoPlayRadioReachesTheGameAndTheGameMirrorsBack)
{
    SetRow(1, 2, 42);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CWndDeck* panel = lobby->GetDeckPanel(1);
    panel->GetAutoPlayRadio()->SetChecked(true);
    panel->OnRadioSelect(panel->GetAutoPlayRadio()->GetId());
    EXPECT_EQ(Game(1)->m_bAutoPlay, 1);
    EXPECT_TRUE(panel->IsAutoPlayOn());

    Fake(1)->config.canPlay = false;
    panel->OnRadioSelect(panel->GetAutoPlayRadio()->GetId());
    EXPECT_EQ(Game(1)->m_bAutoPlay, 0);
    EXPECT_FALSE(panel->IsAutoPlayOn()) << "the game's refusal shows in the radio";
}

TEST_F(LobbyTest, CoinInAnswerUpdatesTheGameThenReportsTheCode)
{
    SetRow(1, 2, 42, 7000);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    static std::vector<std::pair<CGameBase*, int>> steps;
    auto step = [](CGameBase& game, int32_t credit) {
        steps.emplace_back(&game, credit);
        game.SetCredit(credit);
    };
    struct Case {
        int code, type, machine;
        bool stepped;
        bool box;
    } cases[] = {
        {0, 2, 42, true, false},
        {7, 2, 42, true, true},    // the credit still reaches the game before the box
        {7, 2, 41, false, false},  // no row of the key: nothing
        {0, 2, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << " " << c.type << ":" << c.machine);
        steps.clear();
        Box()->Show(false);
        lobby->AnsCoinIn(c.code, c.type, c.machine, step);
        EXPECT_EQ(steps.size(), c.stepped ? 1u : 0u);
        if (c.stepped) {
            EXPECT_EQ(steps[0].first, Game(1));
            EXPECT_EQ(steps[0].second, 7000);
            EXPECT_EQ(Fake(1)->lastCredit, 7000);
        }
        EXPECT_EQ(Box()->IsVisible(), c.box);
        if (c.box) {
            EXPECT_EQ(Box()->GetTitle(), "투입");
        }
    }
}

TEST_F(LobbyTest, MachineRemovalResynchronisesOrExplains)
{
    SetRow(1, 2, 42);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);

    lobby->AnsMachineRemove(16);
    EXPECT_TRUE(BoxShows("기계에 금액이 남아 있어 기계를 제거할 수 없습니다."));
    ExpectShows(1, {2, 42, false});

    Box()->Show(false);
    lobby->AnsMachineRemove(3);
    EXPECT_TRUE(Box()->IsVisible());
    EXPECT_EQ(Box()->GetTitle(), "기계제거");

    // The server emptied the row: the deck gets a demo game of the removed game's type.
    SetRow(1, 0, 0);
    lobby->AnsMachineRemove(0);
    ExpectShows(1, {2, 0, true});
    EXPECT_STREQ(lobby->GetDeckPanel(1)->GetMachineText(), "");
}

TEST_F(LobbyTest, SyncMovesMachinesToTheirRowsWithTheirAutoPlay)
{
    SetRow(1, 2, 42);
    SetRow(2, 4, 43);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CGameBase* first = Game(1);
    lobby->GetDeckPanel(1)->SetAutoPlayRadio(true);

    SetRow(1, 4, 43);
    SetRow(2, 2, 42);
    lobby->SyncDecks();
    EXPECT_EQ(Game(2), first);
    ExpectShows(1, {4, 43, false});
    EXPECT_FALSE(lobby->GetDeckPanel(1)->IsAutoPlayOn());
    EXPECT_TRUE(lobby->GetDeckPanel(2)->IsAutoPlayOn());
    EXPECT_STREQ(lobby->GetDeckPanel(2)->GetMachineText(), "042");
}

TEST_F(LobbyTest, MachineSelectionAnswer)
{
    for (int i = 0; i < 4; ++i)
        SetRow(i, 0, 0);  // every deck shows its demo game
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    struct Case {
        int deck, type, machine;
        const char* box;  // null: no box
        DeckShows shows;
    } cases[] = {
        {2, 5, 11, "게임타입 오류", {1, 0, true}},
        {2, 3, 11, nullptr, {3, 11, false}},
        {1, 3, 11, "기계세팅 오류.", {4, 0, true}},  // already hosted in deck 2
        {1, 3, 0, "기계세팅 오류.", {4, 0, true}},
        {7, 3, 12, nullptr, {4, 0, true}},  // no such deck: dropped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.deck << " " << c.type << ":" << c.machine);
        Box()->Show(false);
        lobby->AnsMachineSelect(c.deck, c.type, c.machine);
        EXPECT_EQ(Box()->IsVisible(), c.box != nullptr);
        if (c.box) {
            EXPECT_EQ(Box()->GetText(), c.box);
        }
        ExpectShows(c.deck < 4 ? c.deck : 1, c.shows);
    }
}

TEST_F(LobbyTest, MoneyAndTicketAnswersShowTheirBoxes)
{
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    struct Case {
        const char* name;
        std::function<void()> answer;
        const char* title;
        const char* text;  // null: the code's error text
    } cases[] = {
        {"charge ok", [&] { lobby->AnsChargeRequest(0); }, "충전", "충전 요청을 완료하였습니다."},
        {"charge refused", [&] { lobby->AnsChargeRequest(3); }, "충전", nullptr},
        {"exchange ok", [&] { lobby->AnsExchangeRequest(0); }, "환전",
         "환전요청을 완료하였습니다."},
        {"exchange refused", [&] { lobby->AnsExchangeRequest(3); }, "환전", nullptr},
        {"tickets exchanged", [&] { lobby->AnsGiftTicketExchange(3, 1234567); }, "상품권 교환",
         "상품권: 3 장\n교환금액: 1,234,567 원\n\n상품권 교환을 완료하였습니다."},
        {"too few tickets", [&] { lobby->AnsGiftTicketFail(14); }, "상품권 교환",
         "상품권이 부족합니다."},
        {"ticket error", [&] { lobby->AnsGiftTicketFail(3); }, "상품권 교환", nullptr},
        {"selection error", [&] { lobby->ShowErrorCode(3, "기계선택"); }, "기계선택", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Box()->Show(false);
        c.answer();
        EXPECT_TRUE(Box()->IsVisible());
        EXPECT_EQ(Box()->GetTitle(), c.title);
        EXPECT_EQ(Box()->GetText(), c.text ? std::string(c.text) : CDlgCommon::ErrorText(3));
    }
}

TEST_F(LobbyTest, MachineButtonRefusesToChangeABusyMachine)
{
    SetRow(1, 2, 42);
    SetRow(2, 0, 0);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    lobby->OpenMachineSelect(2);  // a demo game: the selection may open
    EXPECT_FALSE(Box()->IsVisible());
    lobby->OpenMachineSelect(1);
    EXPECT_TRUE(BoxShows("기계를 바꿀 수 없습니다."));
    Box()->Show(false);
    Fake(1)->config.outOfCredit = true;
    lobby->OpenMachineSelect(1);
    EXPECT_FALSE(Box()->IsVisible());
}

}  // namespace
