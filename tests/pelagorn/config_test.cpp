// The shared reading rule, path joining, the reel-wait preset table, broken files of every
// object, and the replay of the configuration fuzz target's seed corpus.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "../../fuzz/pelagorn_fuzz.h"
#include "CXDrawConfig.h"
#include "CXReelWaitPreset.h"
#include "support/fuzz_seeds.h"
#include "support/temp_folder.h"

namespace {

class PelagornConfig : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedBase = g_strResourceBase;
        g_strResourceBase = m_folder.Slashed();
    }
    void TearDown() override { g_strResourceBase = m_savedBase; }

    TempFolder m_folder{"pelagorn_config"};
    std::string m_savedBase;
};

TEST_F(PelagornConfig, AbsentKeysReadZeroUnconditionallyAndKeepTheValueConditionally)
{
    m_folder.Write("image/x/x.cfg",
                   "A=12\nB= 2.5 \nEMPTY=  \nHEX=0x1F\nFIELDS= 1, 2.5 , name \\x.anf ,\n");
    CXDrawConfig config;
    ASSERT_TRUE(config.Load("/image/x/x.cfg"));
    EXPECT_EQ(config.Integer("A"), 12);
    EXPECT_EQ(config.Integer("HEX"), 31);
    EXPECT_EQ(config.Integer("MISSING"), 0);
    EXPECT_EQ(config.Float("B"), 2.5f);
    EXPECT_EQ(config.Float("MISSING"), 0.0f);

    int64_t integer = 77;
    float real = 7.5f;
    EXPECT_FALSE(config.IntegerIf("MISSING", integer));
    EXPECT_FALSE(config.IntegerIf("EMPTY", integer));
    EXPECT_FALSE(config.FloatIf("EMPTY", real));
    EXPECT_EQ(integer, 77);
    EXPECT_EQ(real, 7.5f);
    EXPECT_TRUE(config.FloatIf("B", real));
    EXPECT_EQ(real, 2.5f);

    EXPECT_EQ(config.Fields("FIELDS"), 3);
    EXPECT_EQ(config.FieldInteger(1), 1);
    EXPECT_EQ(config.FieldFloat(2), 2.5f);
    EXPECT_EQ(config.FieldText(3), "name \\x.anf");
    EXPECT_EQ(config.FieldText(4), "") << "a field that is not there reads empty";
    EXPECT_EQ(config.FieldInteger(9), 0);
    EXPECT_EQ(config.Fields("MISSING"), 0);

    CXDrawConfig missing;
    EXPECT_FALSE(missing.Load("/image/none/none.cfg"));
}

TEST(PelagornConfigValues, FileNumbersStayFiniteAndInRange)
{
    struct Case {
        const char* text;
        float value;
    };
    const Case cases[] = {{"1.5", 1.5f}, {" -3", -3.0f},  {"1e999", 0.0f}, {"nan", 0.0f},
                          {"inf", 0.0f}, {"-1e20", 0.0f}, {"abc", 0.0f},   {"", 0.0f}};
    for (const Case& c : cases)
        EXPECT_EQ(CXConfigFloat(c.text), c.value) << c.text;
    EXPECT_EQ(CXToUInt32(-5.0), 0u);
    EXPECT_EQ(CXToUInt32(1e30), UINT32_MAX);
    EXPECT_EQ(CXToUInt32(7.9), 7u);
    EXPECT_EQ(CXToInt32(-1e30), INT32_MIN);
    EXPECT_EQ(CXToInt32(1e30), INT32_MAX);
    EXPECT_EQ(CXToInt32(std::nan("")), 0);
}

TEST(PelagornConfigValues, JoinedPathsHaveOneSlashBetweenFolderAndName)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"/image/bg/", "sky.anf", "/image/bg/sky.anf"},  // a folder that ends in '/'
        {"/image/bg", "sky.anf", "/image/bg/sky.anf"},
        {"/image/dropper", "sub\\drop.anf", "/image/dropper/sub/drop.anf"},
        {"/image/prize", "/p.anf", "/image/prize/p.anf"},
        {"/image//interface/frame", "title.anf", "/image/interface/frame/title.anf"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CXJoinPath(c.folder, c.name), c.path) << c.folder << " + " << c.name;
}

class PelagornPresets : public ::testing::Test {
protected:
    void SetUp() override { ReelWaitPresets().Clear(); }
    void TearDown() override { ReelWaitPresets().Clear(); }
};

TEST_F(PelagornPresets, ShakeValuesFillTheRecordAndStopAfterTenPairs)
{
    struct Case {
        uint32_t index;
        const char* value;
        uint8_t repeat;
        int32_t width, height;
        int64_t interval;
        int32_t count;
        std::vector<std::pair<int32_t, uint8_t>> entries;
    };
    const Case cases[] = {
        {1, "1,4,6,30,100,1,50,0", 1, 4, 6, 30, 2, {{100, 1}, {50, 0}}},
        {2,
         " 0 , 8 , 2 , 5000000000 , 10 , 3 , 20",
         0,
         8,
         2,
         5000000000,
         1,
         {{10, 1}}},  // a value without its flag
        // 25 fields: four, then ten pairs, and one value more.
        {21,
         "1,1,1,1,1,1,2,0,3,1,4,0,5,1,6,0,7,1,8,0,9,1,10,0,11",
         1,
         1,
         1,
         1,
         10,
         {{1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}, {6, 0}, {7, 1}, {8, 0}, {9, 1}, {10, 0}}},
        {39, "1,1,1,1,1,1,2,0,3,1,4,0,5,1,6,0,7,1,8,0,9,1,10,0,11,1,12,1", 1, 1, 1, 1, 10, {}},
        {3, "", 0, 0, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ReelWaitPresets().FillShake(c.index, c.value)) << c.value;
        const CXReelWaitPreset& preset = *ReelWaitPresets().Get(c.index);
        EXPECT_EQ(preset.nIndex, int32_t(c.index)) << c.value;
        EXPECT_EQ(preset.byRepeat, c.repeat) << c.value;
        EXPECT_EQ(preset.nShakeWidth, c.width) << c.value;
        EXPECT_EQ(preset.nShakeHeight, c.height) << c.value;
        EXPECT_EQ(preset.nShakeInterval, c.interval) << c.value;
        EXPECT_EQ(preset.nCount, c.count) << c.value;
        for (size_t k = 0; k < c.entries.size(); ++k) {
            EXPECT_EQ(preset.entries[k].nDuration, c.entries[k].first) << c.value << " entry " << k;
            EXPECT_EQ(preset.entries[k].byShake, c.entries[k].second) << c.value << " entry " << k;
        }
    }
}

TEST_F(PelagornPresets, BothRangesFitAndIndexesOutsideAreRefused)
{
    CXReelWaitPresetTable& table = ReelWaitPresets();
    EXPECT_NE(table.Get(0), nullptr);
    EXPECT_NE(table.Get(CXReelWaitPresetTable::kThunderBase + 19), nullptr);
    for (uint32_t index : {40u, 41u, 1000u, UINT32_MAX}) {
        EXPECT_EQ(table.Get(index), nullptr) << index;
        EXPECT_FALSE(table.FillShake(index, "1,2,3,4,5,6")) << index;
        EXPECT_FALSE(table.SetWait(index, 1.0f)) << index;
        CXReelWaitPreset copy;
        EXPECT_FALSE(table.Take(index, copy)) << index;
    }
}

TEST_F(PelagornPresets, TakingAPresetCopiesItAndClearsItsStartFlag)
{
    CXReelWaitPresetTable& table = ReelWaitPresets();
    ASSERT_TRUE(table.FillShake(5, "1,3,3,16,200,1"));
    ASSERT_TRUE(table.SetWait(5, 1500.0f));
    table.Get(5)->nStart = 1;
    ASSERT_TRUE(table.FillShake(5, "1,3,3,16,200,1"));
    EXPECT_EQ(table.Get(5)->fWait, 1500.0f) << "a shake value leaves the wait";
    CXReelWaitPreset copy;
    ASSERT_TRUE(table.Take(5, copy));
    EXPECT_EQ(copy.nStart, 1);
    EXPECT_EQ(copy.fWait, 1500.0f);
    EXPECT_EQ(copy.nCount, 1);
    EXPECT_EQ(table.Get(5)->nStart, 0);
}

// Every object is initialised from each broken file, run and drawn, and must come back soon.
class PelagornBrokenFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_harness = new pelagorn_fuzz::Harness; }
    static void TearDownTestSuite()
    {
        delete s_harness;
        s_harness = nullptr;
        ReelWaitPresets().Clear();
    }
    static void Run(uint8_t reader, const std::string& text, const std::string& what)
    {
        std::vector<uint8_t> bytes{reader};
        bytes.insert(bytes.end(), text.begin(), text.end());
        const auto start = std::chrono::steady_clock::now();
        s_harness->Config(bytes.data(), bytes.size());
        // Generous for a sanitizer build; a hang or a huge loop takes far longer.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << what;
    }
    static inline pelagorn_fuzz::Harness* s_harness = nullptr;
};

TEST_F(PelagornBrokenFiles, MissingKeysAndBadFormatsNeitherCrashNorHang)
{
    const char* broken[] = {
        "",
        "\xFF\xFE\x00garbage",
        "COUNT=2147483647\nFRAME_COUNT=2147483647\nSCORE_COUNT=99999999999\n",
        "COUNT=-1\nFRAME_COUNT=-1\nSCORE_COUNT=-2147483648\n",
        "SPEED=nan\nIDLE_TICK=-inf\nX_POS=1e999\nX_MARGIN=-99999999999\nY_POS=1e10\n",
        "SPEED=0\nIDLE_TICK=0\nCOUNT=4\nWIN_TABLE=t_%d.anf\n",
        "WIN_TABLE=%s%s%s%n\nCOUNT=3\nSCORE_COUNT=1\nSCORE_0=1,1,1,1,t.anf,%s%n\n",
        "FRAME_COUNT=2\nFRAME_0=,,\nFRAME_1=1,2,,,,,,,,,,,,,\nOIL_GAUGE=0,0\nROAD_GAUGE=1,1\n",
        "CREDIT_GAUGE=,\nGIFT_GAUGE=x\nOIL_GAUGE=-2147483648,2147483647\n",
        "DROPPER=\nALPHA=999\nSPEED=-50\n",
        "DROPPER=t.anf\nX_MARGIN=9999\n",
        "PRIZE_INDEX_0=%n%n%n\nPRIZE_INDEX_1=\nPRIZE_INDEX_3=X\n%N%N%N_PRIZE_0000=t.anf\n",
        "=\n==\n,,,,\n#only a comment\nSCORE_COUNT=1\nSCORE_0=,,,,,\n",
    };
    for (uint8_t reader = 0; reader < pelagorn_fuzz::Harness::kReaders; ++reader)
        for (const char* text : broken)
            Run(reader, text, std::to_string(reader) + ": " + text);
}

TEST_F(PelagornBrokenFiles, EverySeedOfTheFuzzCorpusRunsSafelyAndQuickly)
{
    test_support::ReplayFuzzSeeds("pelagorn_config", 10, [](const std::vector<uint8_t>& bytes) {
        ASSERT_FALSE(bytes.empty());
        Run(bytes[0], std::string(bytes.begin() + 1, bytes.end()), "the seed");
    });
}

}  // namespace
