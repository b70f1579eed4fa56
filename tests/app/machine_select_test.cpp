// The machine selection dialog in the lobby: channel pages built from the server's list (their
// number, places and ids, clamped to the ids and rows a page has), the machines of a channel, the
// tabs, and the lobby's answers that fill and close the dialog.
#include <gtest/gtest.h>

#include <set>

#include "CDXButton.h"
#include "CDXRadioButton.h"
#include "CDlgMachineSelect.h"
#include "CRdoMachine.h"
#include "CUIRes.h"
#include "CWndGameChannel.h"
#include "lobby_fixture.h"

namespace {

class MachineSelectTest : public LobbyTest {
protected:
    CDlgMachineSelect* Open(int deck)
    {
        m_lobby = EnterLobby();
        if (!m_lobby)
            return nullptr;
        m_lobby->OpenMachineSelect(deck);
        return m_lobby->GetMachineSelect();
    }
    // A list as the server sends it: every machine, free unless listed as taken.
    static void FillList(CWndGameChannel* page, int count, std::set<int> taken = {})
    {
        page->BeginList(count);
        for (int n = 1; n <= count; ++n)
            page->SetEntry(n, taken.count(n) ? 0 : 1);
    }

    CWndGame* m_lobby = nullptr;
};

TEST_F(MachineSelectTest, ChannelButtonsFollowTheMachineCountWithinTheirIdsAndRows)
{
    CDlgMachineSelect* dialog = Open(0);
    ASSERT_NE(dialog, nullptr);
    struct Case {
        int type;
        int count;
        size_t buttons;
    } cases[] = {
        {1, 1000, 20}, {2, 1001, 21}, {3, 50, 1},     {4, 51, 2},
        {1, 0, 0},     {2, -3, 0},    {3, 65535, 26},  // a page has ids for 27 and rows for 26
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.count << " machines");
        CWndGameChannel* page = dialog->GetPage(c.type);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetId(), 88 + c.type);
        page->BeginList(c.count);
        EXPECT_EQ(page->GetMachineCount(), std::max(c.count, 0));
        EXPECT_EQ(page->GetMachineList().size(), size_t(std::max(c.count, 0)));
        const auto& buttons = page->GetChannelButtons();
        ASSERT_EQ(buttons.size(), c.buttons);
        const int base = CWndGameChannel::ChannelBaseId(c.type);
        for (size_t k = 0; k < buttons.size(); ++k) {
            const int i = int(k);
            EXPECT_EQ(buttons[k]->GetId(), base + i);
            EXPECT_EQ(buttons[k]->GetX(), (i % 13) * 102 + 70);
            EXPECT_EQ(buttons[k]->GetY(), (i / 13) * 50);
            EXPECT_EQ(buttons[k]->GetUserValue(), 50 * i + 1);
            EXPECT_EQ(buttons[k]->GetCaption(), "채널" + std::to_string(i + 1));
            EXPECT_LT(buttons[k]->GetY() + buttons[k]->GetHeight(),
                      page->GetMachineButton(0)->GetY() + 1)
                << "above the machine grid";
        }
        if (!buttons.empty()) {
            EXPECT_EQ(page->GetFirstChannelId(), base);
            EXPECT_EQ(page->GetLastChannelId(), base + int(c.buttons) - 1);
            EXPECT_LT(page->GetLastChannelId(), CWndGameChannel::ChannelBaseId(c.type) + 27);
        }
    }
    // A list rebuilt in place leaves no stray buttons: 1000 machines give 13 + 7 again.
    CWndGameChannel* page = dialog->GetPage(1);
    page->BeginList(1300);
    page->BeginList(1000);
    ASSERT_EQ(page->GetChannelButtons().size(), 20u);
    EXPECT_EQ(page->GetChannelButtons()[12]->GetY(), 0);
    EXPECT_EQ(page->GetChannelButtons()[13]->GetY(), 50);
    EXPECT_EQ(page->GetChannelButtons()[19]->GetY(), 50);
    EXPECT_EQ(m_lobby->FindById(CWndGameChannel::ChannelBaseId(1) + 20), nullptr);
}

TEST_F(MachineSelectTest, AChannelShowsItsMachinesAndHidesThosePastTheCount)
{
    CDlgMachineSelect* dialog = Open(0);
    ASSERT_NE(dialog, nullptr);
    CWndGameChannel* page = dialog->GetPage(2);
    FillList(page, 1001, {955, 1001});
    page->SetEntry(0, 1);  // outside 1..count: ignored
    page->SetEntry(1002, 1);
    EXPECT_EQ(page->GetMachineList().size(), 1001u);

    struct Case {
        int channel;
        int shown;  // buttons shown from the first
        int firstNumber;
    } cases[] = {{19, 50, 951}, {20, 1, 1001}, {0, 50, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.channel + 1);
        page->OnRadioSelect(page->GetFirstChannelId() + c.channel);
        EXPECT_EQ(page->GetSelectedChannel(), c.channel);
        EXPECT_TRUE(static_cast<CDXRadioButton*>(page->GetChannelButtons()[size_t(c.channel)])
                        ->IsChecked());
        for (int i = 0; i < 50; ++i) {
            CRdoMachine* button = page->GetMachineButton(i);
            EXPECT_EQ(button->IsVisible(), i < c.shown) << i;
            EXPECT_EQ(button->GetUserValue(), i < c.shown ? c.firstNumber + i : -1) << i;
        }
    }
    // Taken machines: frame 0 whatever the pointer does, and the darker digits.
    page->OnRadioSelect(page->GetFirstChannelId() + 19);
    CRdoMachine* taken = page->GetMachineButton(4);  // 955
    CRdoMachine* free = page->GetMachineButton(5);   // 956
    EXPECT_TRUE(taken->IsTaken());
    EXPECT_FALSE(free->IsTaken());
    EXPECT_EQ(taken->GetDigitColour(), CWndGameChannel::kTakenDigitColour);
    EXPECT_EQ(free->GetDigitColour(), CWndGameChannel::kFreeDigitColour);
    taken->SetState(3);
    free->SetState(3);
    EXPECT_EQ(taken->GetState(), 0);
    EXPECT_EQ(free->GetState(), 3);
    page->OnRadioSelect(page->GetFirstChannelId() + 20);
    EXPECT_TRUE(page->GetMachineButton(0)->IsTaken()) << "1001 is taken";

    // A list whose entries never came shows its machines taken.
    page->BeginList(120);
    page->OnRadioSelect(page->GetFirstChannelId() + 2);
    EXPECT_TRUE(page->GetMachineButton(0)->IsTaken());
    EXPECT_FALSE(page->GetMachineButton(20)->IsVisible());
}

TEST_F(MachineSelectTest, OpeningChoosesTheTabOfTheDecksGame)
{
    SetRow(0, 0, 0);                          // deck 0: demo game of type 2
    SetRow(1, 0, 0);                          // deck 1: demo game of type 4
    g_MachineTable.m_aRows[2].m_nIndex = -1;  // deck 2: empty
    SetRow(3, 0, 0);                          // deck 3: demo game of type 3
    m_lobby = EnterLobby();
    ASSERT_NE(m_lobby, nullptr);
    CDlgMachineSelect* dialog = m_lobby->GetMachineSelect();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetId(), CDlgMachineSelect::kId);
    EXPECT_FALSE(dialog->IsVisible());

    // Tabs left to right: types 1, 2, 4, 3.
    const int w = g_pUIRes->GetFrames(36)->GetWidth(0);
    ASSERT_GT(w, 0);
    const int tabX[5] = {0, 76, 76 + w, 76 + 3 * w, 76 + 2 * w};
    for (int type = 1; type <= 4; ++type) {
        EXPECT_EQ(dialog->GetTab(type)->GetId(), 84 + type);
        EXPECT_EQ(dialog->GetTab(type)->GetX(), tabX[type]) << "type " << type;
        EXPECT_EQ(dialog->GetTab(type)->GetY(), 15);
    }

    struct Case {
        int deck;
        int type;
        int background;
    } cases[] = {{2, 1, 0}, {1, 4, 1}, {0, 2, 1}, {3, 3, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "deck " << c.deck);
        m_lobby->OpenMachineSelect(c.deck);
        EXPECT_TRUE(dialog->IsVisible());
        EXPECT_EQ(dialog->GetDeck(), c.deck);
        EXPECT_EQ(dialog->GetGameType(), c.type);
        EXPECT_EQ(dialog->GetState(), c.background);
        EXPECT_EQ(dialog->GetCancel()->GetFrames(), g_pUIRes->GetFrames(39 + c.type));
        for (int t = 1; t <= 4; ++t) {
            EXPECT_EQ(dialog->GetTab(t)->IsChecked(), t == c.type) << "tab " << t;
            EXPECT_EQ(dialog->GetPage(t)->IsVisible(), t == c.type) << "page " << t;
        }
        // Without a connection no list can come: the dialog stays usable.
        EXPECT_TRUE(dialog->IsEnabled());
    }

    // Tab 88 chooses type 4 with the Morvane background; cancel hides.
    dialog->OnRadioSelect(88);
    EXPECT_EQ(dialog->GetGameType(), 4);
    EXPECT_EQ(dialog->GetState(), 1);
    EXPECT_TRUE(dialog->GetPage(4)->IsVisible());
    EXPECT_FALSE(dialog->GetPage(3)->IsVisible());
    dialog->OnClick(CDlgMachineSelect::kCancelId);
    EXPECT_FALSE(dialog->IsVisible());
}

TEST_F(MachineSelectTest, ListEndShowsTheFirstChannelAndASelectedMachineIsTaken)
{
    for (int i = 0; i < 4; ++i)
        SetRow(i, 0, 0);
    CDlgMachineSelect* dialog = Open(2);  // demo type 1
    ASSERT_NE(dialog, nullptr);
    dialog->Enable(false);
    CWndGameChannel* page = dialog->GetPage(1);
    FillList(page, 1000, {3});
    page->OnRadioSelect(page->GetFirstChannelId() + 5);

    m_lobby->AnsMachineListEnd();
    EXPECT_TRUE(dialog->IsEnabled());
    EXPECT_EQ(page->GetSelectedChannel(), 0);
    EXPECT_TRUE(static_cast<CDXRadioButton*>(page->GetChannelButtons()[0])->IsChecked());
    EXPECT_FALSE(static_cast<CDXRadioButton*>(page->GetChannelButtons()[5])->IsChecked());
    EXPECT_EQ(page->GetMachineButton(0)->GetUserValue(), 1);
    EXPECT_TRUE(page->GetMachineButton(2)->IsTaken());

    // The server gave machine 7 of type 1 to deck 2: it starts there and is no longer free.
    m_lobby->AnsMachineSelect(2, 1, 7);
    EXPECT_FALSE(dialog->IsVisible());
    EXPECT_EQ(page->GetMachineList()[6].nFree, 0);
    EXPECT_EQ(page->GetMachineList()[6].nGameType, 1);
    EXPECT_EQ(Game(2)->m_nMachineNo, 7);

    // A machine outside the list still starts, and changes no entry.
    m_lobby->OpenMachineSelect(0);
    m_lobby->AnsMachineSelect(0, 1, 1500);
    EXPECT_EQ(page->GetMachineList().size(), 1000u);
    EXPECT_EQ(Game(0)->m_nMachineNo, 1500);
}

}  // namespace
