// The machine information dialog in the lobby: deck logs named by their deck's machine, the game
// log, 20 rows that scroll once full, and the texts an entry becomes.
#include <gtest/gtest.h>

#include "CDlgMachineInfo.h"
#include "CWndDeckLog.h"
#include "CWndGameLog.h"
#include "lobby_fixture.h"

namespace {

class MachineInfoTest : public LobbyTest {};

TEST_F(MachineInfoTest, ShowingNamesEachDeckLogAndEmptiesEveryLog)
{
    SetRow(0, 2, 42);
    SetRow(1, 0, 0);  // demo game
    SetRow(2, 4, 7);
    g_MachineTable.m_aRows[3].m_nIndex = -1;
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CDlgMachineInfo* dialog = lobby->GetMachineInfo();
    ASSERT_NE(dialog, nullptr);
    dialog->GetGameLog()->AddRow(2, 42, 1, 2, 3, 4, 0, 3, 100);
    dialog->GetDeckLog(0)->AddRow(2, 1, 2, 3, 4, 0, 3, 100);

    dialog->Show(true);
    struct Case {
        const char* header;
        uint32_t colour;
    } cases[] = {{"[042]", 0xFF5353EE}, {"", 0}, {"[007]", 0xFFC8C832}, {"", 0}};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        CWndDeckLog* log = dialog->GetDeckLog(k);
        EXPECT_EQ(log->GetId(), 414 + k);
        EXPECT_EQ(log->GetX(), 27 + 351 * k);
        EXPECT_EQ(log->GetHeader(), cases[k].header);
        if (*cases[k].header) {
            EXPECT_EQ(log->GetHeaderColour(), cases[k].colour);
        }
        EXPECT_TRUE(log->GetRows().IsRowEmpty(0));
    }
    EXPECT_TRUE(dialog->GetGameLog()->GetRows().IsRowEmpty(0));
    dialog->OnClick(CDlgMachineInfo::kCloseId);
    EXPECT_FALSE(dialog->IsVisible());
}

TEST_F(MachineInfoTest, EntriesBecomeDatePrizeAndAmount)
{
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CWndGameLog* log = lobby->GetMachineInfo()->GetGameLog();
    struct Case {
        int type, machine, symbol, kind;
        int64_t amount;
        const char* machineText;
        const char* prize;
        const char* amountText;
        uint32_t colour;
    } cases[] = {
        {1, 7, 2, 0, 1234567, "[007]", "루미", "1,234,567점", 0xFF34C1FE},
        {2, 42, 10, 0, 0, "[042]", "불꽃", "0점", 0xFF5353EE},
        {4, 1001, 11, 0, 500, "[1001]", "백마", "500점", 0xFFC8C832},
        {3, 5, 21, 0, 4294967295LL, "[005]", "불새", "4,294,967,295점", 0xFFE76874},
        {2, 42, 10, 3, 100, "[042]", "이벤트", "100점",
         0xFF5353EE},  // a jackpot kind wins over the symbol
        {2, 42, 0, 0, 100, "[042]", "", "100점", 0xFF5353EE},  // no symbol: the kind's name (none)
        {5, 9, 10, 0, 100, "[009]", "", "100점", 0},           // unknown type: no name, invisible
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(row);
        log->AddRow(c.type, c.machine, 12, 3, 9, 5, c.symbol, c.kind, c.amount);
        const CLogRowTexts& rows = log->GetRows();
        EXPECT_EQ(rows.Text(row, 0), c.machineText);
        EXPECT_EQ(rows.Text(row, 1), "12/03 09:05");
        EXPECT_EQ(rows.Text(row, 2), c.prize);
        EXPECT_EQ(rows.Text(row, 3), c.amountText);
        EXPECT_EQ(rows.Colour(row), c.colour);
        ++row;
    }
}

TEST_F(MachineInfoTest, TwentyRowsFillFromTheTopThenScrollOneByOne)
{
    SetRow(1, 2, 42);
    CWndGame* lobby = EnterLobby();
    ASSERT_NE(lobby, nullptr);
    CDlgMachineInfo* dialog = lobby->GetMachineInfo();
    dialog->Show(true);
    CWndGameLog* game = dialog->GetGameLog();
    CWndDeckLog* deck = dialog->GetDeckLog(1);
    // Entry n (1-based) is dated day n; the game log's machine is n as well.
    for (int n = 1; n <= 20; ++n) {
        game->AddRow(2, n, 1, n, 0, 0, 10, 0, n);
        deck->AddRow(2, 1, n, 0, 0, 10, 0, n);
    }
    EXPECT_EQ(game->GetRows().Text(0, 0), "[001]");
    EXPECT_EQ(game->GetRows().Text(19, 0), "[020]");
    EXPECT_EQ(deck->GetRows().Text(19, 0), "01/20 00:00");

    struct Case {
        int entries;  // after this many
        int top;      // the day in the top row
        int bottom;   // and in the bottom row
    } cases[] = {{21, 2, 21}, {22, 3, 22}, {45, 26, 45}};
    int n = 20;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        for (; n < c.entries; ++n) {
            game->AddRow(2, n + 1, 1, n + 1, 0, 0, 10, 0, n + 1);
            deck->AddRow(2, 1, n + 1, 0, 0, 10, 0, n + 1);
        }
        char top[16], bottom[16];
        std::snprintf(top, sizeof top, "01/%02d 00:00", c.top);
        std::snprintf(bottom, sizeof bottom, "01/%02d 00:00", c.bottom);
        EXPECT_EQ(game->GetRows().Text(0, 1), top);
        EXPECT_EQ(game->GetRows().Text(19, 1), bottom);
        EXPECT_EQ(deck->GetRows().Text(0, 0), top);
        EXPECT_EQ(deck->GetRows().Text(19, 0), bottom);
        EXPECT_EQ(game->GetRows().Text(19, 3), std::to_string(c.bottom) + "점");
    }
    // Rows keep their places: row r lies 1.8 font heights below row r - 1.
    const CLogRowTexts& rows = game->GetRows();
    EXPECT_FLOAT_EQ(rows.RowY(0), 170.0f);
    EXPECT_GT(rows.RowY(1), rows.RowY(0));
    EXPECT_FLOAT_EQ(rows.RowY(19) - rows.RowY(0), 19 * (rows.RowY(1) - rows.RowY(0)));

    // Showing again starts empty.
    dialog->Show(false);
    dialog->Show(true);
    EXPECT_TRUE(game->GetRows().IsRowEmpty(0));
    EXPECT_TRUE(deck->GetRows().IsRowEmpty(19));
}

}  // namespace
