// The accounts scene's menu, machine number, typed entries and cabinet switches, with a double of
// the game it belongs to (a real cabinet layer without a port, real files in a temporary folder).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CXBoardSerialComm.h"
#include "CXSceneAccount.h"
#include "CXSceneGAME_LoadSave.h"
#include "CXString.h"
#include "cabinet_fakes.h"
#include "platform/clock.h"
#include "platform/keys.h"
#include "support/temp_folder.h"

namespace {

class FakeAccountHost : public CXSceneAccountHost {
public:
    explicit FakeAccountHost(const TempFolder& folder) : m_save(folder.Slashed(), folder.Slashed())
    {}

    uint32_t GetTimeMs() const override { return m_game.GetTimeMs(); }
    CXBoardSerialComm* GetCabinet() override { return &m_cabinet; }
    CXSceneGAME_LoadSave* GetSaveData() override { return &m_save; }
    int SaveAccountsData() override
    {
        ++m_nAccountSaves;
        return 1;
    }
    int32_t GetMachineNumber() const override { return m_iMachine; }
    void SetMachineNumber(int32_t iNumber) override { m_iMachine = iNumber; }
    void SetAccountsDisplay(int32_t iFlag) override { m_iAccountsDisplay = iFlag; }
    void LeaveAccounts() override { ++m_nLeaves; }

    FakeGame m_game;
    CXBoardSerialComm m_cabinet{&m_game};
    CXSceneGAME_LoadSave m_save;
    int m_nAccountSaves = 0;
    int32_t m_iMachine = 0;
    int32_t m_iAccountsDisplay = 0;
    int m_nLeaves = 0;
};

class SceneAccountTest : public ::testing::Test {
protected:
    SceneAccountTest()
    {
        // Text slots 0 to 36 on two lines, the second with a stray coordinate at its end.
        std::string line0, line1;
        for (int i = 0; i < 20; ++i)
            line0 += (i ? ", " : "") + std::to_string(i * 10) + ", 5";
        for (int i = 20; i < 37; ++i)
            line1 += std::to_string(i * 10) + ", 50, ";
        line1 += "7";
        m_data.Write("image/account/account.cfg",
                     "NUMBER_SIZE=0.5\nBASE_POSITION=10\nINPUT_POSITION=100, 200\n"
                     "LINE_POSITIONS=2\nLINEPOS_00=" +
                         line0 + "\nLINEPOS_01=" + line1 + "\n");
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_data.Slashed();
        m_scene.Init(nullptr);
        g_strResourceBase = m_savedBase;
    }
    ~SceneAccountTest() override { g_strResourceBase = m_savedBase; }

    void Expect(int state, int selection, const char* what)
    {
        EXPECT_EQ(m_scene.m_iState, state) << what;
        EXPECT_EQ(m_scene.m_iSelection, selection) << what;
    }
    void Switches(const char* frame)
    {
        m_host.m_cabinet.OnReceive(frame, int(std::strlen(frame)));
        m_host.m_cabinet.OnProcess(1);
    }

    TempFolder m_data{"pel_acc"};
    TempFolder m_markers{"pel_accm"};
    std::string m_savedBase;
    FakeAccountHost m_host{m_markers};
    CXSceneAccount m_scene{&m_host};
};

TEST_F(SceneAccountTest, InitOnceReadsTheLayout)
{
    EXPECT_EQ(m_host.m_iAccountsDisplay, 1);
    Expect(1, 2, "after Init");
    EXPECT_EQ(m_scene.m_Numbers.GetSize(), 37u);
    EXPECT_EQ(m_scene.m_Numbers.GetAt(36)->m_iX, 360);
    EXPECT_EQ(m_scene.m_Numbers.GetAt(36)->m_iY, 50);
    EXPECT_STREQ(m_scene.GetSlotText(5), "0");
    EXPECT_EQ(m_scene.m_iBaseX, 0) << "BASE_POSITION needs both fields";
    EXPECT_EQ(m_scene.m_iEntryY, 200);
    EXPECT_FLOAT_EQ(m_scene.m_fDigitScale, 0.5f);

    m_scene.m_iState = 3;
    m_host.m_iAccountsDisplay = 0;
    m_scene.Init(nullptr);
    EXPECT_EQ(m_scene.m_iState, 3) << "a second Init does nothing";
    EXPECT_EQ(m_host.m_iAccountsDisplay, 0);

    // A frame without a graphics device: no key, nothing drawn, the clock's slots filled.
    m_scene.m_iState = CXSceneAccount::STATE_MACHINE_NUMBER;
    m_scene.OnKey('5', false);
    EXPECT_EQ(m_scene.Process(nullptr), 1);
    const platform::LocalTime now = platform::LocalTimeNow();
    EXPECT_EQ(std::string(m_scene.GetSlotText(25)), std::to_string(now.nYear));
}

TEST_F(SceneAccountTest, MenuNavigation)
{
    struct Step {
        char action;  // 'p' previous, 'n' next, 's' select
        int state;
        int selection;
    };
    const Step steps[] = {
        {'n', 1, 3},  {'n', 1, 4}, {'n', 1, 5},  {'n', 1, 2},  {'p', 1, 5},
        {'p', 1, 4},  {'p', 1, 3}, {'s', 3, 12}, {'n', 3, 14}, {'p', 3, 12},
        {'s', 1, 3},  {'n', 1, 4}, {'n', 1, 5},  {'s', 7, 12}, {'s', 7, 12},
        {'n', 7, 14}, {'s', 1, 5}, {'n', 1, 2},  {'s', 2, 12}, {'n', 2, 14},
        {'s', 1, 2},  {'n', 1, 3}, {'n', 1, 4},  {'s', 4, 0},  {'s', 1, 4},
    };
    int i = 0;
    for (const Step& s : steps) {
        if (s.action == 'p')
            m_scene.SelectPrev();
        else if (s.action == 'n')
            m_scene.SelectNext();
        else
            m_scene.SelectItem();
        Expect(s.state, s.selection, ("step " + std::to_string(i++)).c_str());
    }
    EXPECT_EQ(m_host.m_nLeaves, 0) << "clearing was declined";

    // States 5 and 6, which no menu item leads to.
    m_scene.m_iState = 5;
    m_scene.m_iSelection = 13;
    m_scene.SelectNext();
    Expect(5, 15, "state 5 toggles");
    m_scene.SelectPrev();
    m_scene.SelectItem();
    Expect(6, 12, "state 5 select 13");
    m_scene.SelectNext();
    m_scene.SelectItem();
    Expect(1, 4, "state 6 select");
}

TEST_F(SceneAccountTest, ClearingTheCountersLeavesTheSceneAndSaves)
{
    for (int i = 0; i < ACCOUNT_DATA_COUNT; ++i)
        m_host.m_save.m_aiAccounts[i] = i + 1;
    m_scene.SelectItem();
    Expect(2, 12, "clear menu");
    m_scene.SelectItem();
    Expect(1, 2, "cleared");
    EXPECT_EQ(m_host.m_nLeaves, 1);
    EXPECT_EQ(m_host.m_nAccountSaves, 1);
    for (int i = 0; i < ACCOUNT_DATA_COUNT; ++i)
        EXPECT_EQ(m_host.m_save.m_aiAccounts[i], 0) << g_pszAccountDataKeys[i];
}

TEST_F(SceneAccountTest, MachineNumberStaysInRangeAndRewritesTheMarker)
{
    m_markers.Write("pg0003.idx", "pg0003.idx");
    m_markers.Write("pg0012.idx", "pg0012.idx");
    m_markers.Write("other.txt", "x");
    m_host.m_save.m_iReelMode = 1;
    m_scene.m_iState = CXSceneAccount::STATE_MACHINE_NUMBER;
    m_scene.m_iSelection = 0;

    m_host.m_iMachine = 1;
    m_scene.SelectPrev();
    EXPECT_EQ(m_host.m_iMachine, 1);
    m_host.m_iMachine = 999;
    m_scene.SelectNext();
    EXPECT_EQ(m_host.m_iMachine, 999);
    m_host.m_iMachine = 8;
    m_scene.SelectPrev();
    EXPECT_EQ(m_host.m_iMachine, 7);
    EXPECT_STREQ(m_scene.GetSlotText(36), "7");

    m_scene.SelectItem();
    Expect(1, 4, "number set");
    EXPECT_EQ(m_markers.Names(), std::vector<std::string>({"other.txt", "pg0007.idx"}));
    EXPECT_EQ(m_markers.Read("pg0007.idx"), "pg0007.idx");
    EXPECT_EQ(m_host.m_save.m_iReelMode, 0);
}

TEST_F(SceneAccountTest, TypedEntriesAreLimitedAndMasked)
{
    m_scene.m_iState = CXSceneAccount::STATE_MACHINE_NUMBER;
    m_scene.OnKey('A', false);
    m_scene.OnKey('B', true);
    m_scene.OnKey('1', true);
    m_scene.OnKey(VK_OEM_2, true);
    m_scene.OnKey(VK_OEM_2, false);
    m_scene.OnKey('7', false);
    EXPECT_STREQ(m_scene.m_strShortEntry.GetString(), "aB!?7");
    for (int i = 0; i < 7; ++i)
        m_scene.OnKey('9', false);
    EXPECT_EQ(m_scene.m_iShortCount, 10) << "the eleventh and twelfth characters are ignored";
    EXPECT_STREQ(m_scene.m_strShortEntry.GetString(), "aB!?799999");
    for (int i = 0; i < 12; ++i)
        m_scene.OnKey(VK_BACK, false);
    EXPECT_EQ(m_scene.m_iShortCount, 0);
    EXPECT_STREQ(m_scene.m_strShortEntry.GetString(), "");

    m_scene.m_iState = CXSceneAccount::STATE_5;
    for (int i = 0; i < 120; ++i)
        m_scene.OnKey('Q', false);
    EXPECT_EQ(m_scene.m_iLongCount, 100);
    EXPECT_EQ(m_scene.m_strLongEntry.GetLength(), 100u);

    // Outside the two entry states nothing is typed; the menu keys still act.
    m_scene.m_iState = CXSceneAccount::STATE_MENU;
    m_scene.m_iSelection = 2;
    m_scene.OnKey('F', false);
    EXPECT_EQ(m_scene.m_iSelection, 3);
    m_scene.OnKey('D', false);
    EXPECT_EQ(m_scene.m_iSelection, 2);
    m_scene.OnKey('E', false);
    Expect(2, 12, "E selects");
    EXPECT_EQ(m_scene.m_iLongCount, 100);
}

TEST_F(SceneAccountTest, CabinetSwitchesServeTheMenuWhenAsked)
{
    // Switch 3 held (bit 2) while the switches do not serve the menu: nothing.
    Switches("s4\r");
    m_scene.PollSwitches();
    Expect(1, 2, "switches not for the menu");

    m_host.m_cabinet.m_bMenuSwitches = 1;
    m_scene.PollSwitches();
    Expect(1, 5, "held switch 3 acts once at once");
    m_host.m_game.Advance(300);
    m_scene.PollSwitches();
    Expect(1, 5, "not again within 300 ms");
    m_host.m_game.Advance(1);
    m_scene.PollSwitches();
    Expect(1, 4, "and again after more than 300 ms");

    // Released, then switch 1 held: next.
    Switches("s1\r");
    m_scene.PollSwitches();
    Expect(1, 5, "switch 1");
    // Switch 2 pressed: its latch selects once.
    Switches("s3\r");
    m_scene.PollSwitches();
    Expect(7, 12, "latch 2 selects");
    m_scene.PollSwitches();
    Expect(7, 12, "the latch was taken");
}

TEST(SceneAccountText, NumberTextLayout)
{
    // Digits 20 wide, the separators 8 wide, drawn at half scale.
    const auto width = [](int frame) { return frame == 10 || frame == 11 ? 8.0f : 20.0f; };
    struct Case {
        const char* text;
        std::vector<std::pair<int, float>> glyphs;
    };
    const Case cases[] = {
        {"12", {{1, 0.0f}, {2, 10.0f}}},
        {"1,0", {{1, 0.0f}, {10, 9.0f}, {0, 12.0f}}},
        {"-3.5", {{13, 0.0f}, {3, 10.0f}, {11, 19.0f}, {5, 22.0f}}},
        {"*a*", {{12, 0.0f}, {12, 10.0f}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        const auto glyphs = CXSceneAccount::LayoutNumberText(c.text, width, 0.5f);
        ASSERT_EQ(glyphs.size(), c.glyphs.size()) << c.text;
        for (size_t i = 0; i < glyphs.size(); ++i) {
            EXPECT_EQ(glyphs[i].nFrame, c.glyphs[i].first) << c.text << " #" << i;
            EXPECT_FLOAT_EQ(glyphs[i].fX, c.glyphs[i].second) << c.text << " #" << i;
        }
    }
    EXPECT_TRUE(CXSceneAccount::LayoutNumberText(nullptr, width, 1.0f).empty());
}

}  // namespace
