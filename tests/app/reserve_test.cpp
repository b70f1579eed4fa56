// The reservation dialogs in the lobby: the decks that may be reserved, the hours and ticks the
// reserve button checks (with the box that hands the focus back to the hours), and the list of
// reservations with the newest on top.
#include <gtest/gtest.h>

#include "CDXEdit.h"
#include "CDXRadioButton.h"
#include "CDlgReserveInfo.h"
#include "CDlgReserveMachine.h"
#include "CWndGameLogRows.h"
#include "NetRecords.h"
#include "lobby_fixture.h"
#include "platform/keys.h"

namespace {

class ReserveTest : public LobbyTest {
protected:
    // The reservation dialog opened and answered by the server: its maximum and the decks.
    CDlgReserveMachine* OpenReserve(int maxHours)
    {
        m_lobby = EnterLobby();
        if (!m_lobby)
            return nullptr;
        CDlgReserveMachine* dialog = m_lobby->GetReserveMachine();
        dialog->Show(true);
        EXPECT_FALSE(dialog->IsEnabled()) << "waits for the server";
        dialog->SetMaxHours(maxHours);
        dialog->RefreshDecks();
        return dialog;
    }

    CWndGame* m_lobby = nullptr;
};

TEST_F(ReserveTest, OnlyDecksWithTheirOwnMachineCanBeTicked)
{
    SetRow(0, 2, 42);
    SetRow(1, 0, 0);  // demo game
    SetRow(2, 1, 7);
    g_MachineTable.m_aRows[3].m_nIndex = -1;
    CDlgReserveMachine* dialog = OpenReserve(12);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetId(), CDlgReserveMachine::kId);
    EXPECT_TRUE(dialog->IsEnabled());
    struct Case {
        const char* text;
        uint32_t colour;
        bool enabled;
    } cases[] = {{"042", GameTypeColour(2), true},
                 {"", 0, false},
                 {"007", GameTypeColour(1), true},
                 {"", 0, false}};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        CDXRadioButton* check = dialog->GetCheck(k);
        EXPECT_EQ(check->GetId(), 442 + k);
        EXPECT_EQ(dialog->GetMachineText(k), cases[k].text);
        EXPECT_EQ(check->IsEnabled(), cases[k].enabled);
        EXPECT_EQ(check->IsChecked(), cases[k].enabled);
        if (cases[k].enabled) {
            EXPECT_EQ(dialog->GetMachineColour(k), cases[k].colour);
        }
    }
    EXPECT_STREQ(dialog->GetHoursEdit()->GetTextBuffer(), "12");
    EXPECT_TRUE(dialog->GetHoursEdit()->IsEnabled());

    // Opening again empties what the last answer showed.
    dialog->Show(false);
    dialog->Show(true);
    EXPECT_EQ(dialog->GetMachineText(0), "");
    EXPECT_FALSE(dialog->GetCheck(0)->IsChecked());
    EXPECT_STREQ(dialog->GetHoursEdit()->GetTextBuffer(), "");
}

TEST_F(ReserveTest, HoursAndTicksAreCheckedBeforeAnythingIsSent)
{
    SetRow(0, 2, 42);
    struct Case {
        int maxHours;  // as the server sends it
        const char* hours;
        bool tick;
        const char* box;  // null: passes the checks
    } cases[] = {
        {24, "", true, "설정 범위를 벗어났습니다(1 ~ 24)"},
        {24, "0", true, "설정 범위를 벗어났습니다(1 ~ 24)"},
        {24, "25", true, "설정 범위를 벗어났습니다(1 ~ 24)"},
        {24, "99", true, "설정 범위를 벗어났습니다(1 ~ 24)"},
        {-5, "1", true, "설정 범위를 벗어났습니다(1 ~ 0)"},
        {0, "0", true, "설정 범위를 벗어났습니다(1 ~ 0)"},
        {24, "1", false, "선택한 기계가 없습니다."},
        {24, "24", false, "선택한 기계가 없습니다."},
        {24, "1", true, nullptr},
        {24, "24", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "max " << c.maxHours << ", hours '" << c.hours << "'"
                                        << (c.tick ? ", ticked" : ""));
        Box()->Show(false);
        CDlgReserveMachine* dialog = OpenReserve(c.maxHours);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetMaxHours(), std::max(c.maxHours, 0));
        dialog->GetHoursEdit()->SetText(c.hours);
        dialog->GetCheck(0)->SetChecked(c.tick);

        EXPECT_FALSE(dialog->Reserve()) << "nothing can be sent without a connection";
        EXPECT_EQ(Box()->IsVisible(), c.box != nullptr);
        EXPECT_TRUE(dialog->IsVisible());
        if (!c.box)
            continue;
        EXPECT_EQ(Box()->GetTitle(), "기계예약 오류");
        EXPECT_EQ(Box()->GetText(), c.box);
        // Closing the box puts the keyboard back into the hours.
        Box()->Show(false);
        EXPECT_TRUE(dialog->GetHoursEdit()->HasKeyboardFocus());
    }
}

TEST_F(ReserveTest, TabEnterAndEscMoveTheKeyboardBetweenTheHoursAndTheWindow)
{
    SetRow(0, 2, 42);
    CDlgReserveMachine* dialog = OpenReserve(24);
    ASSERT_NE(dialog, nullptr);
    CDXEdit* hours = dialog->GetHoursEdit();
    EXPECT_TRUE(hours->HasKeyboardFocus())
        << "the server's answer puts the keyboard into the hours";
    EXPECT_EQ(hours->GetSelStart(), 2) << "with the caret after the maximum";
    EXPECT_EQ(hours->GetSelEnd(), 2);
    struct Case {
        int key;
        bool inEdit;  // where the keyboard is before the key
        bool after;
    } cases[] = {{VK_TAB, true, false},    {VK_TAB, false, true},    {VK_RETURN, true, false},
                 {VK_RETURN, false, true}, {VK_ESCAPE, true, false}, {VK_ESCAPE, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "key " << c.key << (c.inEdit ? " in the hours" : " in the window"));
        if (c.inEdit)
            hours->TakeFocus();
        else
            platform::SetFocus(g_hDXWnd);
        ASSERT_EQ(hours->HasKeyboardFocus(), c.inEdit);
        EXPECT_EQ(dialog->OnKeyDown(c.key), 0) << "consumed";
        EXPECT_EQ(hours->HasKeyboardFocus(), c.after);
    }
    EXPECT_EQ(dialog->OnKeyDown('7'), 1) << "other keys go on to the edit";
}

TEST_F(ReserveTest, ReservationRowsShowTheNewestOnTop)
{
    m_lobby = EnterLobby();
    ASSERT_NE(m_lobby, nullptr);
    CDlgReserveInfo* dialog = m_lobby->GetReserveInfo();
    ASSERT_NE(dialog, nullptr);
    auto entry = [](int n) {
        CReserveInfoEntry e;
        const std::u16string start =
            u"2026-12-0" + std::u16string(1, char16_t(u'0' + n)) + u" 20:00";
        const std::u16string end = u"2026-12-0" + std::u16string(1, char16_t(u'0' + n)) + u" 22:00";
        start.copy(e.m_szStart, 20);
        end.copy(e.m_szEnd, 20);
        e.m_awMachineNo[0] = uint16_t(n);
        e.m_abyValue[0] = 2;
        e.m_awMachineNo[2] = 300;
        e.m_abyValue[2] = 3;
        return e;
    };

    m_lobby->AnsReserveInfo(entry(1));
    EXPECT_EQ(dialog->GetText(0, CDlgReserveInfo::kStartColumn), "")
        << "only while the dialog is shown";

    dialog->Show(true);
    for (int n = 1; n <= 9; ++n)
        m_lobby->AnsReserveInfo(entry(n));
    struct Case {
        int row;
        const char* start;
        const char* first;
    } cases[] = {{0, "2026-12-09 20:00", "[009]"},
                 {1, "2026-12-08 20:00", "[008]"},
                 {7, "2026-12-02 20:00", "[002]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(dialog->GetText(c.row, CDlgReserveInfo::kStartColumn), c.start);
        EXPECT_EQ(dialog->GetText(c.row, CDlgReserveInfo::kSeparatorColumn), "-");
        EXPECT_EQ(dialog->GetText(c.row, 0), c.first);
        EXPECT_EQ(dialog->GetTextColour(c.row, 0), GameTypeColour(2));
        EXPECT_EQ(dialog->GetText(c.row, 1), "") << "no machine";
        EXPECT_EQ(dialog->GetText(c.row, 2), "[300]");
        EXPECT_EQ(dialog->GetTextColour(c.row, 2), GameTypeColour(3));
    }
    EXPECT_EQ(dialog->GetText(0, CDlgReserveInfo::kEndColumn), "2026-12-09 22:00");

    // Opening again empties the list.
    dialog->Show(false);
    dialog->Show(true);
    for (int r = 0; r < CDlgReserveInfo::kRows; ++r)
        EXPECT_EQ(dialog->GetText(r, CDlgReserveInfo::kStartColumn), "") << r;
}

}  // namespace
