// The lobby's chat area over the real application object: prize announcements with their
// thresholds and colours, the prize list's order and filter, wrapped chat lines, and the scrolling
// notice lines with their passes.
#include <gtest/gtest.h>

#include <string>

#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CWndGameChat.h"
#include "CWndGameChatList.h"
#include "CWndGameInfo.h"
#include "CWndGameNotice.h"
#include "CWndGamePrizeList.h"
#include "lobby_fixture.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kType1 = 0xFF34C1FE;
constexpr uint32_t kType2 = 0xFF5353EE;
constexpr uint32_t kType3 = 0xFFE76874;
constexpr uint32_t kType4 = 0xFFC8C832;

class LobbyChatTest : public InLobbyTest {
protected:
    void SetUp() override
    {
        InLobbyTest::SetUp();
        if (testing::Test::HasFatalFailure())
            return;
        ASSERT_NE(m_lobby->GetChat(), nullptr);
        m_list = m_lobby->GetChat()->GetChatList();
        ASSERT_NE(m_list, nullptr);
    }
    // The bottom row of the chat list: the newest line.
    CDXLabel* Last() const { return m_list->GetRows().back(); }
    // Clears the list so that what the next line adds is all the list holds.
    void Clear() { m_list->Clear(); }
    // The text of every row that holds some, top to bottom: one announcement wrapped over rows.
    std::string Shown() const
    {
        std::string text;
        for (CDXLabel* row : m_list->GetRows())
            text += row->GetText();
        return text;
    }

    CWndGameChatList* m_list = nullptr;
};

TEST_F(LobbyChatTest, ChatAreaLayout)
{
    CWndGameChat* chat = m_lobby->GetChat();
    EXPECT_EQ(chat->GetId(), 45);
    EXPECT_EQ(chat->GetY(), 698);
    EXPECT_EQ(m_list->GetRows().size(), 7u);
    EXPECT_EQ(m_list->GetRows().front()->GetId(), 56);
    EXPECT_EQ(chat->GetPrizeList()->GetRows().front()->GetId(), 49);
    EXPECT_EQ(chat->GetEdit()->GetId(), 54);
    // The welcome line starts scrolling with its greeting.
    CWndGameNotice* welcome = chat->GetWelcomeLine();
    EXPECT_TRUE(welcome->IsVisible());
    EXPECT_EQ(welcome->GetShownText(),
              "Brisvane에 오신것을 환영합니다. 좋은 시간 되시기를 바랍니다.");
    EXPECT_EQ(welcome->GetColour(), 0xFFFFFF00u);
}

TEST_F(LobbyChatTest, EnterOpensTheChatInputAndEscLeavesIt)
{
    CDXEdit* edit = m_lobby->GetChat()->GetEdit();
    platform::SetFocus(g_hDXWnd);
    EXPECT_EQ(m_lobby->OnChar(13), 0) << "Enter on the lobby";
    EXPECT_TRUE(edit->HasKeyboardFocus());
    edit->SetText("typed");
    EXPECT_EQ(m_lobby->GetChat()->OnChar(27), 0);
    EXPECT_FALSE(edit->HasKeyboardFocus());
    EXPECT_STREQ(edit->GetTextBuffer(), "");
    EXPECT_EQ(m_lobby->OnChar('a'), 1) << "other characters pass on";
}

TEST_F(LobbyChatTest, AppearAndJackpotAnnouncements)
{
    struct Case {
        const char* name;
        bool jackpot;
        int type, machine, symbol;
        uint32_t amount;
        const char* text;  // null: no line
        uint32_t colour;
        bool welcome;  // also scrolls on the welcome line
    } cases[] = {
        {"appear", false, 2, 7, 10, 0, "[007] kim님 불꽃 출현 축하드립니다★ (100)", kType2, false},
        {"appear top symbol", false, 3, 12, 22, 0, "[012] kim님 여신 출현 축하드립니다★", kRed,
         false},
        {"appear Jix", false, 1, 3, 1, 0, "[003] kim님 Jix 출현 축하드립니다★", kRed, false},
        {"jackpot", true, 4, 120, 12, 499999,
         "[120] kim님 499,999점 양탄자잭팟 축하드립니다. (200)", kType4, false},
        {"jackpot 500,000", true, 4, 120, 12, 500000,
         "[120] kim님 500,000점 양탄자잭팟 축하드립니다. (200)", kRed, true},
        {"jackpot top symbol", true, 2, 5, 13, 30000,
         "[005] kim님 30,000점 큰불잭팟 축하드립니다. (100)", kRed, true},
        {"jackpot of no symbol", true, 2, 5, 0, 900000, nullptr, 0, false},
        {"jackpot of nothing", true, 3, 1, 21, 0, "[001] kim님 0점 불새잭팟 축하드립니다.", kType3,
         false},
    };
    CWndGameNotice* welcome = m_lobby->GetChat()->GetWelcomeLine();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        welcome->ShowNext(true);  // whatever the last case queued is shown now, nothing pending
        welcome->Show(false);
        if (c.jackpot)
            m_list->AddJackpotMessage("kim", c.type, c.machine, c.symbol, c.amount);
        else
            m_list->AddAppearMessage("kim", c.type, c.machine, c.symbol);
        EXPECT_EQ(Shown(), c.text ? c.text : "");
        if (c.text) {
            EXPECT_EQ(Last()->GetColour(), c.colour);
        }
        EXPECT_EQ(welcome->IsVisible(), c.welcome);
        if (c.welcome) {
            EXPECT_EQ(welcome->GetShownText(), c.text);
        }
    }
}

TEST_F(LobbyChatTest, PrizeAnnouncementsByJackpotKind)
{
    struct Case {
        int kind, type, value;
        uint32_t amount;
        const char* text;  // null: no line
        uint32_t colour;
    } cases[] = {
        {1, 2, 0, 20000, "[009] lee님 20,000점 바닥잭팟  축하드립니다. (100)", kType2},
        {1, 4, 0, 20000, "[009] lee님 20,000점 바닥잭팟  축하드립니다. (200)", kType4},
        {1, 1, 0, 20000, nullptr, 0},
        {1, 3, 0, 20000, nullptr, 0},
        {1, 3, 0, 20001, "[009] lee님 20,001점 바닥잭팟  축하드립니다.", kType3},
        {2, 2, 11, 20000, "[009] lee님 20,000점 백마 보너스잭팟  축하드립니다. (100)", kType2},
        {2, 1, 2, 20000, nullptr, 0},
        {3, 1, 0, 900000, nullptr, 0},
        {4, 1, 0, 19999, nullptr, 0},
        {4, 1, 0, 20000, "[009] lee님 20,000점 휘바잭팟  축하드립니다.", kType1},
        {5, 3, 0, 500000, "[009] lee님 500,000점 열쇠잭팟 축하드립니다.", kRed},
        {6, 2, 0, 10000, "[009] lee님 10,000점 Morvane잭팟 축하드립니다. (100)", kType2},
        {6, 2, 0, 9999, nullptr, 0},
        {7, 2, 0, 900000, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.kind << " type " << c.type << " amount " << c.amount);
        Clear();
        m_list->AddPrizeMessage("lee", c.type, 9, c.value, c.amount, c.kind);
        EXPECT_EQ(Shown(), c.text ? c.text : "");
        if (c.text) {
            EXPECT_EQ(Last()->GetColour(), c.colour);
        }
    }
}

TEST_F(LobbyChatTest, LongChatLineWrapsInOneColour)
{
    const std::string text(120, 'w');
    m_lobby->AddChatLine(text.c_str(), 0xFF102030);
    const auto& rows = m_list->GetRows();
    std::string joined;
    size_t used = 0;
    for (CDXLabel* row : rows) {
        if (row->GetText().empty())
            continue;
        ++used;
        joined += row->GetText();
        EXPECT_EQ(row->GetColour(), 0xFF102030u);
    }
    EXPECT_GE(used, 2u);
    EXPECT_EQ(joined, text);
}

TEST_F(LobbyChatTest, PrizeListKeepsTheNewestAtTheBottom)
{
    CWndGamePrizeList* prizes = m_lobby->GetChat()->GetPrizeList();
    const uint8_t symbols[4] = {1, 2, 3, 200};
    struct Case {
        int type, machine;
        uint32_t amount;
        int kind;
        bool listed;
    } cases[] = {
        {2, 1, 5000, 1, true},  {4, 2, 9999, 1, false},  {4, 3, 10000, 1, true},
        {2, 4, 4999, 1, false}, {1, 5, 0, 3, true},  // a type-1 jackpot of kind 3 is always listed
        {3, 6, 4999, 3, false}, {3, 7, 123456, 2, true},
    };
    for (const Case& c : cases)
        prizes->AddPrize(c.type, c.machine, "park", symbols, c.machine % 4, c.amount, c.kind);

    struct Row {
        const char* machine;
        const char* line;
        const char* amount;
        uint32_t colour;
    } expected[] = {
        {"[001]", "중", "5,000", kType2},
        {"[003]", "", "10,000", kType4},
        {"[005]", "중", "0", kType1},
        {"[007]", "", "123,456", kType3},
    };
    const auto& rows = prizes->GetRows();
    ASSERT_EQ(rows.size(), 4u);
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rows[i]->GetMachineText(), expected[i].machine);
        EXPECT_EQ(rows[i]->GetNameText(), "park");
        EXPECT_EQ(rows[i]->GetLineText(), expected[i].line);
        EXPECT_EQ(rows[i]->GetAmountText(), expected[i].amount);
        EXPECT_EQ(rows[i]->GetColour(), expected[i].colour);
        EXPECT_EQ(rows[i]->GetY(), static_cast<int>(i) * (g_pGameMain->Font08->GetHeight() + 10));
    }
    EXPECT_EQ(rows[0]->GetId(), 49)
        << "the first row filled is the first recycled, so it is on top";
}

TEST_F(LobbyChatTest, LobbyNoticeLineHidesAfterThreePassesAndReturnsForANewNotice)
{
    CWndGameNotice* line = m_lobby->GetNotice();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetId(), 44);
    EXPECT_FALSE(line->IsVisible());
    EXPECT_EQ(line->GetColour(), kRed);
    EXPECT_FLOAT_EQ(line->GetSpeed(), 100.0f);

    line->ClearPending();
    line->AddNotice("notice");
    line->Update(0.0f);  // a hidden line takes pending notices on its next frame
    ASSERT_TRUE(line->IsVisible());
    EXPECT_EQ(line->GetShownText(), "notice");
    const float start = line->GetTextX();
    EXPECT_GT(start, static_cast<float>(line->AbsoluteX() + line->GetWidth()));

    // Each pass runs the text from beyond the right edge to beyond the left edge.
    int passes = 0;
    float x = start;
    for (int frame = 0; frame < 100000 && line->IsVisible(); ++frame) {
        line->Update(0.1f);
        if (line->GetTextX() > x)
            ++passes;  // restarted
        x = line->GetTextX();
    }
    EXPECT_FALSE(line->IsVisible());
    EXPECT_EQ(passes, 2) << "two restarts, then the third pass hides the line";
    line->Update(1.0f);
    EXPECT_FALSE(line->IsVisible()) << "nothing new: it stays hidden";

    line->AddNotice("again");
    line->Update(0.0f);
    EXPECT_TRUE(line->IsVisible());
    EXPECT_EQ(line->GetShownText(), "again");
    EXPECT_FLOAT_EQ(line->GetTextX(), start);
}

TEST_F(LobbyChatTest, NoticeLineCyclesItsNoticesWithoutLimits)
{
    CWndGameNotice* line = m_lobby->GetInfo()->GetNoticeLine();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetId(), 65);
    line->AddNotice("first");
    line->AddNotice("second");
    line->ShowNext(false);
    ASSERT_TRUE(line->IsVisible());
    std::string seen = line->GetShownText();
    for (int frame = 0; frame < 100000 && seen.size() < 40; ++frame) {
        const std::string before = line->GetShownText();
        line->Update(0.1f);
        if (line->GetShownText() != before)
            seen += "," + line->GetShownText();
    }
    EXPECT_EQ(seen.substr(0, 26), "first,second,first,second,");
    EXPECT_TRUE(line->IsVisible());
}

}  // namespace
