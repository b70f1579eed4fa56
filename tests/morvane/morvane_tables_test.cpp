// The vocabulary tables: captions, the sound list and the image sets.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "CMorvaneMain.h"
#include "MorvaneCaptions.h"
#include "MorvaneImageSets.h"
#include "MorvaneSoundList.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

// Caption texts are CP949 in the program; the test compares them with literals compiled the
// same way.
std::string Text(const char* text)
{
    return text ? text : "(none)";
}

}  // namespace

TEST(MorvaneCaptionsTest, WinCaptionChoice)
{
    struct Case {
        int32_t stops[4];
        int32_t code, mark;
        const char* text;
    };
    const Case cases[] = {
        {{22, 0, 22, 0}, 122, 0, "당첨 Morvane잭팟"},
        {{0, 1, 0, 1}, 0, 0, "당첨 Morvane잭팟"},
        {{3, 4, 5, 6}, 724, 0, " 센터  포  세븐"},
        {{3, 4, 5, 6}, 0, 71, " 센터  포  세븐"},
        {{3, 4, 5, 6}, 725, 71, " 센터  포  세븐"},
        {{3, 4, 5, 6}, 625, 0, " 센터  포  스타 "},
        {{3, 4, 5, 6}, 624, 0, " 센터  포  스타"},
        {{3, 4, 5, 6}, 0, 61, " 센터  포  스타 "},
        {{3, 4, 5, 6}, 524, 0, " 센터  포  타겟"},
        {{3, 4, 5, 6}, 825, 0, " 센터  원  포바"},
        {{3, 4, 5, 6}, 0, 70, " 상단  포  세븐"},
        {{3, 4, 5, 6}, 734, 0, " 하단  포  세븐"},
        {{3, 4, 5, 6}, 0, 52, " 하단  포  타겟"},
        {{3, 4, 5, 6}, 111, 0, "  상단 체리 "},
        {{3, 4, 5, 6}, 1120, 0, " 센터  포  잡바"},
        {{3, 4, 5, 6}, 1133, 0, "   하단  잡바"},
        {{3, 4, 5, 6}, 632, 0, "  하단 스타 2"},
        {{3, 4, 5, 6}, 223, 0, "  센터 오렌지"},
        {{3, 4, 5, 6}, 212, 0, nullptr},
        {{3, 4, 5, 6}, 20, 0, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(MorvaneWinCaption(c.stops, c.code, c.mark)), Text(c.text))
            << c.code << "/" << c.mark;
}

TEST(MorvaneCaptionsTest, FoursAndFivesShareTheirCaptionButTheCentreStar)
{
    for (int symbol = 1; symbol <= 10; ++symbol)
        for (int row = 1; row <= 3; ++row) {
            const int four = symbol * 100 + row * 10 + 4;
            const char* a = MorvaneCaptionText(four);
            const char* b = MorvaneCaptionText(four + 1);
            ASSERT_NE(a, nullptr) << four;
            ASSERT_NE(b, nullptr) << four + 1;
            if (symbol == 6 && row == 2)
                EXPECT_EQ(std::string(a) + " ", std::string(b));
            else
                EXPECT_STREQ(a, b) << four;
        }
}

TEST(MorvaneCaptionsTest, ChanceAndFeverChance)
{
    for (int sum = 0; sum <= 50; ++sum) {
        const int32_t free[3] = {sum, 0, 0};
        const char* text = MorvaneChanceCaption(free);
        const bool colour = sum == 20 || sum == 21 || sum == 22 || sum == 44;
        const bool bars = sum >= 30 && sum <= 32;
        EXPECT_EQ(Text(text), Text(colour ? " 올칼라  '찬스' "
                                   : bars ? "  올바  '찬스' "
                                          : nullptr))
            << sum;
    }
    EXPECT_EQ(Text(MorvaneFeverChanceCaption(2)), Text(" 센터휘버  '찬스' "));
    EXPECT_EQ(MorvaneFeverChanceCaption(4), nullptr);
    char ticker[256];
    FormatMorvaneTicker(ticker, 1234567);
    EXPECT_EQ(std::string(ticker), std::string("대박의 꿈..   Morvane 게임랜드   잭팟 1234567"));
}

TEST(MorvaneCaptionsTest, WinBranchNeedsTwoThousandAndRestingReels)
{
    FakeOwner owner;
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    main.m_byDrawFlag = 1;
    main.m_nWinCode = 724;
    main.ReelSettle[3] = 21;
    for (int32_t amount : {1999, 2000}) {
        main.SetWinAmount(amount);
        io.m_LastText.clear();
        main.DrawWinCaption();
        const std::string expected = amount >= 2000 ? " 센터  포  세븐" : "대박의";
        EXPECT_EQ(io.m_LastText.substr(0, expected.size()), expected) << amount;
    }
    // The caption blinks yellow for 20 ticks of every 50, then red.
    main.m_nCaptionBlink = 0;
    for (int tick = 1; tick <= 50; ++tick) {
        main.DrawWinCaption();
        EXPECT_EQ(io.m_dwLastColour, tick % 50 < 20 ? 0xFFFFFF00u : 0xFFFF0000u) << tick;
    }
    // A chance clears the win code.
    main.SetWinAmount(0);
    main.m_Rec.MoSumState = 1;
    main.m_Rec.Free[0] = 44;
    main.DrawWinCaption();
    EXPECT_EQ(main.m_nWinCode, 0);
    EXPECT_EQ(std::string(main.m_szWinCaption), std::string(" 올칼라  '찬스' "));
}

TEST(MorvaneSoundListTest, ThirtyEightRowsUnderSoundData)
{
    std::set<std::string> names;
    for (int row = 0; row < kMorvaneSoundRows; ++row) {
        const std::string file = g_MorvaneSoundList[row].pszFile;
        EXPECT_EQ(file.rfind("SoundData/", 0), 0u) << row;
        EXPECT_EQ(file.substr(file.size() - 4), ".wav") << row;
        EXPECT_EQ(g_MorvaneSoundList[row].bLoaded, row != 4) << row;
        names.insert(file);
    }
    EXPECT_EQ(names.size(), size_t(kMorvaneSoundRows));
    EXPECT_STREQ(g_MorvaneSoundList[1].pszFile, "SoundData/reelstop3.wav");
    EXPECT_STREQ(g_MorvaneSoundList[20].pszFile,
                 "SoundData/effect5000_20000/allocation_normal.wav");
    EXPECT_STREQ(g_MorvaneSoundList[31].pszFile, "SoundData/carpet/carpet2.wav");
    EXPECT_EQ(std::string(g_MorvaneSoundList[19].pszFile)
                  .rfind("SoundData/effect5000_20000/allocation-", 0),
              0u);
    EXPECT_EQ(std::string(g_MorvaneSoundList[37].pszFile).rfind("SoundData/exsound/fire-ex", 0),
              0u);
}

TEST(MorvaneImageSetsTest, TableOrderAndNumbering)
{
    for (int i = 0; i < int(MorvaneImageSet::Count); ++i)
        EXPECT_EQ(int(g_MorvaneImageSets[i].eSet), i);
    auto def = [](MorvaneImageSet set) -> const MorvaneImageSetDef& {
        return g_MorvaneImageSets[int(set)];
    };
    struct Case {
        MorvaneImageSet set;
        int index;
        const char* name;
    };
    const Case cases[] = {
        {MorvaneImageSet::KeyAndLock, 0, "Image/Rock/RockLock/key&lock0016"},
        {MorvaneImageSet::KeyAndLock, 16, "Image/Rock/RockLock/key&lock0000"},
        {MorvaneImageSet::Horse, 0, "image/Horse/horse0007"},
        {MorvaneImageSet::Horse, 168, "image/Horse/horse0175"},
        {MorvaneImageSet::Yang, 0, "image/yang/yang0004"},
        {MorvaneImageSet::Dance, 0, "image/Highdance/dancecut_b/dance_00"},
        {MorvaneImageSet::FeverNumbers, 9, "Image/FEVER/FEVER10"},
        {MorvaneImageSet::Symbols, 10, "image/item/item_3b"},
        {MorvaneImageSet::SmallDigits, 10, "image/number-bmp/goma"},
        {MorvaneImageSet::Fire, 24, "image/fire2/fire0024"},
        {MorvaneImageSet::DoubleX2C, 16, "Image/DDGame/db_x2_c/db_c_x2_17"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MorvaneImageFile(def(c.set), c.index), c.name);

    struct CountCase {
        MorvaneImageSet set;
        int count;
    };
    const CountCase counts[] = {
        {MorvaneImageSet::Neon, 3},         {MorvaneImageSet::Gun, 19},
        {MorvaneImageSet::Firework320, 31}, {MorvaneImageSet::HighlightedSymbols, 26},
        {MorvaneImageSet::Multipliers, 10}, {MorvaneImageSet::Horse, 169},
        {MorvaneImageSet::Curtain, 16},     {MorvaneImageSet::StoneBursts, 15},
        {MorvaneImageSet::MainPanels, 13},  {MorvaneImageSet::DoubleDance, 49},
        {MorvaneImageSet::DoubleSetA, 17},  {MorvaneImageSet::DoubleSetC, 10},
    };
    for (const CountCase& c : counts)
        EXPECT_EQ(def(c.set).nCount, c.count) << int(c.set);

    // Sets lie one after another; every name is unique.
    std::set<std::string> names;
    int slots = 0;
    for (const MorvaneImageSetDef& d : g_MorvaneImageSets) {
        EXPECT_EQ(MorvaneImageSlot(d.eSet), slots);
        slots += d.nCount;
        for (int i = 0; i < d.nCount; ++i)
            EXPECT_TRUE(names.insert(MorvaneImageFile(d, i)).second) << MorvaneImageFile(d, i);
    }
    EXPECT_EQ(MorvaneImageSlotCount(), slots);
}

// Without a device nothing loads: every slot stays empty, the loaders still succeed, and the
// failures go to the debugger output only.
TEST(MorvaneImageSetsTest, MissingFilesLeaveEmptySlots)
{
    FakeOwner owner;
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    EXPECT_TRUE(main.LoadResources());
    for (CX2DSprite* sprite : main.m_apSprite)
        EXPECT_EQ(sprite, nullptr);
    for (CXSound* sound : main.m_apSound)
        EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(main.m_nGiftUnit, 5000);
}
