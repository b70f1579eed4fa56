// The "game.paf" reader: the skip, the repeat count and the repeat index from file bytes and files.
#include <gtest/gtest.h>

#include <string>

#include "CXGamePaf.h"
#include "CXStringIndex.h"
#include "support/temp_folder.h"

namespace {

TEST(GamePaf, ReadsTheHighPrizeRuleWithinItsBounds)
{
    std::string many = "HIGH_PRIZE_REPEAT=7";
    for (int i = 0; i < 100; ++i)
        many += "," + std::to_string(1000 + i);
    struct Case {
        const char* name;
        std::string text;
        bool read;
        int32_t skip, repeat, values;
        uint32_t entries;  // in the index (a value given twice is one entry)
    };
    const Case cases[] = {
        {"both keys", "HIGH_PRIZE_SKIP=3\nHIGH_PRIZE_REPEAT=2,10,20\n", true, 3, 2, 2, 2},
        {"lower-case keys and blanks", "high_prize_skip = 4\r\nhigh_prize_repeat= 1 , 5\r\n", true,
         4, 1, 1, 1},
        {"absent keys keep the values", "# nothing\nOTHER=1\n", true, -1, -2, 0, 0},
        {"a count alone", "HIGH_PRIZE_REPEAT=9\n", true, -1, 9, 0, 0},
        {"the same value twice is one entry", "HIGH_PRIZE_REPEAT=2,10,10\n", true, -1, 2, 2, 1},
        {"values beyond the bound are not entered", many, true, -1, 7, CXGamePaf::kMaxRepeatValues,
         uint32_t(CXGamePaf::kMaxRepeatValues)},
        {"numbers beyond 32 bits are clamped",
         "HIGH_PRIZE_SKIP=99999999999\nHIGH_PRIZE_REPEAT=-99999999999\n", true, INT32_MAX,
         INT32_MIN, 0, 0},
        {"no bytes", "", false, -1, -2, 0, 0},
        {"too many bytes", "HIGH_PRIZE_SKIP=1\n" + std::string(CXGamePaf::kMaxFileSize, '#'), false,
         -1, -2, 0, 0},
    };
    for (const Case& c : cases) {
        CXHighPrizeRule rule{-1, -2};
        CXStringIndex index;
        EXPECT_EQ(CXGamePaf::Read(c.text.data(), c.text.size(), &rule, &index), c.read) << c.name;
        EXPECT_EQ(rule.iSkip, c.skip) << c.name;
        EXPECT_EQ(rule.iRepeat, c.repeat) << c.name;
        EXPECT_EQ(rule.nRepeatValues, c.values) << c.name;
        EXPECT_EQ(index.GetCount(), c.entries) << c.name;
    }
}

TEST(GamePaf, LoadsFromAFileAndIgnoresAMissingOne)
{
    TempFolder folder{"game_paf"};
    folder.Write("game.paf", "HIGH_PRIZE_SKIP=5\nHIGH_PRIZE_REPEAT=3,40\n");
    CXHighPrizeRule rule;
    CXStringIndex index;
    ASSERT_TRUE(CXGamePaf::Load(folder.Slashed() + "game.paf", &rule, &index));
    EXPECT_EQ(rule.iSkip, 5);
    EXPECT_EQ(rule.iRepeat, 3);
    EXPECT_TRUE(index.HasKey("40"));
    CXHighPrizeRule untouched{8, 9};
    EXPECT_FALSE(CXGamePaf::Load(folder.Slashed() + "missing.paf", &untouched, &index));
    EXPECT_EQ(untouched.iSkip, 8);
}

}  // namespace
