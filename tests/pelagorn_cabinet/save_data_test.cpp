// Snapshots of the game scene's meters, account counters and reel mode; the machine-number
// markers; the setting files. Real files in a temporary folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CXMarkerFiles.h"
#include "CXSceneGAME_LoadSave.h"
#include "CXSettingFiles.h"
#include "cabinet_fakes.h"
#include "support/temp_folder.h"

namespace {

int64_t g_nNow = 1'800'000'000;
// Wall time g_nNow.
struct FakeClock : CPelagornClock {
    double Seconds() override { return 0.0; }
    int64_t UnixSeconds() override { return g_nNow; }
} g_clock;

class SaveDataTest : public ::testing::Test {
protected:
    SaveDataTest()
    {
        g_nNow = 1'800'000'000;
        m_save.SetClock(&g_clock);
        m_save.m_bOnline = 0;
    }
    std::string Slot(const char* kind, int slot) const
    {
        return m_folder.Read(std::string("__") + kind + "_" + std::to_string(slot) + "__");
    }

    TempFolder m_folder{"pel_save"};
    TempFolder m_markers{"pel_mark"};
    CXSceneGAME_LoadSave m_save{m_folder.Slashed(), m_markers.Slashed()};
};

TEST_F(SaveDataTest, OnlineNothingIsReadWrittenOrDeleted)
{
    m_markers.Write("pg0007.idx", "pg0007.idx");
    m_folder.Write("__ACCOUNT_DATA_0__", "TIME=5\nTICK=0\nINPUT_MONEY=77\n");
    m_save.m_bOnline = 1;
    int32_t meters[GAME_DATA_COUNT] = {1, 2, 3};
    EXPECT_EQ(m_save.SaveGameData(meters, false), 1);
    EXPECT_EQ(m_save.SaveGameData(meters, true), 0);
    EXPECT_EQ(m_save.SaveAccountsData(false), 1);
    EXPECT_EQ(m_save.SaveAccountsData(true), 0);
    EXPECT_EQ(m_save.SaveReelData("X=1\n"), 1);
    EXPECT_TRUE(m_save.LoadAccountsData());
    EXPECT_TRUE(m_save.LoadReelData());
    EXPECT_EQ(m_save.CheckReelData(), 1);
    EXPECT_EQ(m_save.m_aiAccounts[ACCOUNT_INPUT_MONEY], 0);
    EXPECT_EQ(m_save.m_iReelMode, 0);
    EXPECT_EQ(m_folder.Names(), std::vector<std::string>({"__ACCOUNT_DATA_0__"}));
    EXPECT_EQ(m_markers.Names(), std::vector<std::string>({"pg0007.idx"}));
}

TEST_F(SaveDataTest, GameDataTextAndChangeDetection)
{
    int32_t meters[GAME_DATA_COUNT] = {};
    for (int i = 0; i < GAME_DATA_COUNT; ++i)
        meters[i] = i - 1;
    EXPECT_EQ(m_save.SaveGameData(meters, true), 0);
    EXPECT_TRUE(m_folder.Names().empty()) << "demo mode saves nothing";
    EXPECT_EQ(m_save.SaveGameData(meters, false), 1);
    const std::string first = Slot("GAME_DATA", 0);
    EXPECT_EQ(first.substr(0, 47), "TIME=1800000000\nTICK=0\nCREDIT=-1\nGIFT=0\nSPIN=1\n");
    EXPECT_NE(first.find("\nLAST_DATA_TYPE=9\nSIGN_1=10\n"), std::string::npos);
    EXPECT_NE(first.find("\nASYSTEM_PROB_KEY=31\n"), std::string::npos);
    EXPECT_EQ(first.substr(first.size() - 20), "ASYSTEM_PROB_KEY=31\n");

    // The same meters again: nothing written. A change: the next slot, TICK one higher.
    g_nNow += 10;
    EXPECT_EQ(m_save.SaveGameData(meters, false), 1);
    EXPECT_TRUE(Slot("GAME_DATA", 1).empty());
    meters[GAME_CREDIT] = 500;
    EXPECT_EQ(m_save.SaveGameData(meters, false), 1);
    EXPECT_EQ(Slot("GAME_DATA", 1).substr(0, 34), "TIME=1800000010\nTICK=1\nCREDIT=500\n");
    EXPECT_EQ(Slot("GAME_DATA", 0), first);
}

TEST_F(SaveDataTest, SnapshotsRotateThroughThreeSlotsAndLoadTheNewest)
{
    for (int i = 1; i <= 5; ++i) {
        m_save.m_aiAccounts[ACCOUNT_OUTPUT_GIFT] = i;
        m_save.SaveAccountsData(false);
    }
    // Five saves: slots 0, 1, 2, 0, 1; slot 1 holds the fifth.
    EXPECT_NE(Slot("ACCOUNT_DATA", 0).find("TICK=3\n"), std::string::npos);
    EXPECT_NE(Slot("ACCOUNT_DATA", 1).find("OUTPUT_GIFT=5\n"), std::string::npos);
    EXPECT_NE(Slot("ACCOUNT_DATA", 2).find("OUTPUT_GIFT=3\n"), std::string::npos);
    EXPECT_EQ(m_folder.Names().size(), 3u) << "no temporary file is left behind";

    m_save.m_aiAccounts[ACCOUNT_OUTPUT_GIFT] = 0;
    EXPECT_TRUE(m_save.LoadAccountsData());
    EXPECT_EQ(m_save.m_aiAccounts[ACCOUNT_OUTPUT_GIFT], 5);

    // A new run continues after the newest snapshot: it overwrites the oldest slot, with a
    // higher TICK, and never the newest.
    CXSceneGAME_LoadSave next(m_folder.Slashed(), m_markers.Slashed());
    next.SetClock(&g_clock);
    next.m_bOnline = 0;
    next.m_aiAccounts[ACCOUNT_OUTPUT_GIFT] = 6;
    next.SaveAccountsData(false);
    EXPECT_NE(Slot("ACCOUNT_DATA", 2).find("TICK=5\nINPUT_MONEY=0\nOUTPUT_GIFT=6\n"),
              std::string::npos);
    next.m_aiAccounts[ACCOUNT_OUTPUT_GIFT] = 0;
    next.LoadAccountsData();
    EXPECT_EQ(next.m_aiAccounts[ACCOUNT_OUTPUT_GIFT], 6);
}

TEST_F(SaveDataTest, NewestOfThreeByTimeThenTick)
{
    struct Case {
        const char* times[3];  // "TIME,TICK" or null for a missing file
        int32_t expected;      // INPUT_MONEY of the slot that must win (= its slot number + 1)
    };
    const Case cases[] = {
        {{"100,5", "100,7", "99,9"}, 2},
        {{"100,7", "100,7", "99,9"}, 1},  // a tie: the first in slot order
        {{"99,9", "101,0", "100,7"}, 2},
        {{nullptr, nullptr, "1,0"}, 3},
        {{"-1,0", "2000000000,0", nullptr}, 1},  // TIME past 2038 reads as -1: still the newest
    };
    for (const Case& c : cases) {
        for (int slot = 0; slot < 3; ++slot) {
            const std::string name = "__ACCOUNT_DATA_" + std::to_string(slot) + "__";
            std::filesystem::remove(m_folder.Path() / name);
            if (!c.times[slot])
                continue;
            std::string t = c.times[slot];
            const size_t comma = t.find(',');
            m_folder.Write(name, "TIME=" + t.substr(0, comma) + "\nTICK=" + t.substr(comma + 1) +
                                     "\nINPUT_MONEY=" + std::to_string(slot + 1) + "\n");
        }
        m_save.LoadAccountsData();
        EXPECT_EQ(m_save.m_aiAccounts[ACCOUNT_INPUT_MONEY], c.expected) << c.times[0];
    }
    // No snapshot at all: the counters read 0.
    for (int slot = 0; slot < 3; ++slot)
        std::filesystem::remove(m_folder.Path() /
                                ("__ACCOUNT_DATA_" + std::to_string(slot) + "__"));
    m_save.m_aiAccounts[ACCOUNT_REEL_PRIZE] = 9;
    EXPECT_TRUE(m_save.LoadAccountsData());
    EXPECT_EQ(m_save.m_aiAccounts[ACCOUNT_REEL_PRIZE], 0);
}

TEST_F(SaveDataTest, FailedWriteIsRetriedWithTheSameBody)
{
    CXSceneGAME_LoadSave save(m_folder.Slashed() + "missing/", m_markers.Slashed());
    save.SetClock(&g_clock);
    save.m_bOnline = 0;
    save.m_aiAccounts[ACCOUNT_INPUT_MONEY] = 100;
    {
        LogCapture errors(CXLog::ErrorLog());
        EXPECT_EQ(save.SaveAccountsData(false), 1);
        const std::string text = errors.Text();
        EXPECT_NE(text.find("CXSceneGAME::SaveAccountsData"), std::string::npos) << text;
        EXPECT_NE(text.find("Snapshot write fail."), std::string::npos) << text;
    }
    std::filesystem::create_directories(m_folder.Path() / "missing");
    // The body did not change, but it was never written: it is written now.
    EXPECT_EQ(save.SaveAccountsData(false), 1);
    EXPECT_NE(m_folder.Read("missing/__ACCOUNT_DATA_0__").find("TICK=0\nINPUT_MONEY=100\n"),
              std::string::npos);
}

TEST_F(SaveDataTest, ReelSnapshotDecidesWhetherTheMarkersStay)
{
    struct Case {
        int32_t age;
        int32_t reelMode;
        bool keep;
    };
    const Case cases[] = {
        {3599, 0, true}, {3600, 0, true}, {3601, 0, false}, {10, 1, false}, {-5, 0, false}};
    for (const Case& c : cases) {
        m_markers.Write("pg0003.idx", "pg0003.idx");
        m_markers.Write("PG0004.IDX", "x");
        m_markers.Write("pg0005.txt", "x");
        m_markers.Write(".pg0006.idx", "x");
        std::filesystem::create_directories(m_markers.Path() / "pg0009.idx");
        m_save.m_iReelMode = c.reelMode;
        g_nNow = 1'800'000'000;
        m_save.m_dwLastReelSave = 0;
        m_save.SaveReelData("EXTRA=1\n");
        EXPECT_EQ(m_save.m_dwLastReelSave, 1'800'000'000u);
        g_nNow += c.age;
        m_save.m_iReelMode = 7;
        EXPECT_EQ(m_save.CheckReelData(), 1);
        const auto names = m_markers.Names();
        const bool kept = std::find(names.begin(), names.end(), "pg0003.idx") != names.end();
        EXPECT_EQ(kept, c.keep) << c.age << "/" << c.reelMode;
        EXPECT_EQ(m_save.m_iReelMode, c.keep ? 0 : 1) << c.age;
        if (!c.keep) {
            EXPECT_EQ(names, std::vector<std::string>({".pg0006.idx", "pg0005.txt", "pg0009.idx"}));
        }
    }
    EXPECT_NE(Slot("REEL_DATA", 0).find("\nREEL_MODE=1\nEXTRA=1\n"), std::string::npos);
}

TEST_F(SaveDataTest, ReelSnapshotsAtMostOncePerMinute)
{
    m_save.SaveReelData(nullptr);
    g_nNow += 59;
    m_save.m_iReelMode = 1;
    m_save.SaveReelData(nullptr);
    EXPECT_TRUE(Slot("REEL_DATA", 1).empty());
    g_nNow += 1;
    m_save.SaveReelData(nullptr);
    EXPECT_NE(Slot("REEL_DATA", 1).find("TICK=1\nREEL_MODE=1\n"), std::string::npos);
    // The same reel mode a minute later is written again: its TIME is what the check reads.
    g_nNow += 60;
    m_save.SaveReelData(nullptr);
    EXPECT_NE(Slot("REEL_DATA", 2).find("TIME=1800000120\n"), std::string::npos);
}

TEST(MachineMarkers, WritingOneReplacesEveryOther)
{
    TempFolder folder("pel_mark");
    folder.Write("pg0001.idx", "pg0001.idx");
    folder.Write("pg12.idx", "");
    folder.Write("keep.idx", "");
    EXPECT_TRUE(WriteMachineMarker(folder.Slashed(), 7));
    EXPECT_EQ(folder.Names(), std::vector<std::string>({"keep.idx", "pg0007.idx"}));
    EXPECT_EQ(folder.Read("pg0007.idx"), "pg0007.idx");
    EXPECT_FALSE(WriteMachineMarker(folder.Slashed(), -1));
    EXPECT_FALSE(WriteMachineMarker(folder.Slashed(), 1000));
    EXPECT_EQ(MachineMarkerName(999), "pg0999.idx");
}

TEST(SettingFiles, ValuesTakenOnlyWhenTheyAreNumbersInRange)
{
    struct Case {
        const char* autoGift;  // null: no file
        const char* highEffect;
        int32_t expectedAutoGift;
        int32_t expectedHighEffect;
    };
    const Case cases[] = {
        {"0", "3", 0, 3},
        {" 1\r\n", "-2", 1, -2},
        {"3", "x", 2, 1},
        {"", "2147483648", 2, 1},
        {nullptr, nullptr, 2, 1},
        {"2abc", "+7", 2, 7},
        {"-0", "-2147483648", 0, INT32_MIN},
    };
    for (const Case& c : cases) {
        TempFolder folder("pel_set");
        if (c.autoGift)
            folder.Write("__AUTO_GIFT_COME_DISABLE__", c.autoGift);
        if (c.highEffect)
            folder.Write("__HIGH_EFFECT_MODE__", c.highEffect);
        CXSettingValues values;
        CXSettingFiles::Load(folder.Slashed(), &values);
        EXPECT_EQ(values.iAutoGiftMode, c.expectedAutoGift) << (c.autoGift ? c.autoGift : "none");
        EXPECT_EQ(values.iHighEffectMode, c.expectedHighEffect)
            << (c.highEffect ? c.highEffect : "none");
    }
    TempFolder folder("pel_set");
    folder.Write("__HIGH_EFFECT_MODE__", std::string(100, '1'));
    CXSettingValues values;
    EXPECT_EQ(CXSettingFiles::Load(folder.Slashed(), &values), 0) << "oversized file";
}

}  // namespace
