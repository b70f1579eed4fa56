// The reel win animations: the column rules as a table of columns, and the routine's counters,
// cell flags and draws over the reel window.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "CDemo.h"
#include "CJix.h"
#include "JixReelStrips.h"
#include "JixWinAnimation.h"
#include "jix_test_support.h"

using jix_test::RecordingDrawSink;

namespace {

// A column written top to bottom: J joker, C cherry, P peach, W watermelon, B jong, T target,
// S star, 7 seven, 1/2/3 the bars.
void Column(const char* topToBottom, int32_t s[4])
{
    const std::string symbols = "JCPWBTS7123";
    for (int i = 0; i < 4; ++i)
        s[3 - i] = int32_t(symbols.find(topToBottom[i]));
}

std::string Draws(const JixColumnWin& win)
{
    static const char* const kNames[kJixAnimCount] = {
        "JokerFull", "Bar3Full",    "Bar2Full",    "Bar1Full",   "SevenFull",
        "StarFull",  "TargetFull",  "JongFull",    "MelonFull",  "Peach",
        "Cherry",    "JokerBasic",  "JokerChange", "BarBasic",   "SevenBasic",
        "StarBasic", "TargetBasic", "JongBasic",   "MelonBasic", "Frame"};
    std::string out;
    for (int i = 0; i < win.nCount; ++i) {
        if (!out.empty())
            out += ' ';
        if (win.aDraw[i].nReel >= 0)
            out += std::to_string(win.aDraw[i].nReel) + ':';
        out += kNames[win.aDraw[i].eAnim];
    }
    return out;
}

TEST(JixWinAnimation, ColumnRules)
{
    struct Case {
        const char* column;  // top to bottom
        bool jokerChangeDone;
        const char* draws;  // reel:animation in drawing order (reel 0 is the bottom)
    };
    const Case cases[] = {
        {"JJJJ", false, "0:JokerFull 1:JokerFull 2:JokerFull 3:JokerFull"},
        {"3333", false, "0:Bar3Full 1:Bar3Full 2:Bar3Full 3:Bar3Full"},
        {"CCCC", false, "0:Cherry 1:Cherry 2:Cherry 3:Cherry"},
        {"TS73", false, "Frame"},
        {"37ST", false, ""},
        {"T7S3", false, ""},
        {"1112", false, "1:Bar1Full 2:Bar1Full 3:Bar1Full"},
        {"2111", false, "0:Bar1Full 1:Bar1Full 2:Bar1Full"},
        {"1211", false, "0:BarBasic 1:BarBasic 2:BarBasic 3:BarBasic"},
        {"123T", false, "1:BarBasic 2:BarBasic 3:BarBasic"},
        {"12T3", false, ""},
        {"7C77", false, "0:SevenBasic 1:SevenBasic 3:SevenBasic"},
        {"7CC7", false, ""},
        {"SSC7", false, "2:StarBasic 3:StarBasic"},
        {"PCPP", false, ""},
        {"TPPP", false, "0:Peach 1:Peach 2:Peach"},
        {"WWWT", false, "1:MelonBasic 2:MelonBasic 3:MelonBasic"},
        {"BBBC", false, "1:JongBasic 2:JongBasic 3:JongBasic 0:Cherry"},
        {"CTCT", false, "3:Cherry"},
        {"CCTC", false, "0:Cherry 2:Cherry 3:Cherry"},
        {"TCCT", false, ""},
        {"JJTS", false, "2:JokerBasic 3:JokerBasic"},
        {"JTJJ", false, "0:JokerBasic 1:JokerBasic 3:JokerBasic"},
        {"JTSJ", false, ""},
        {"77JJ", false, "0:JokerBasic 1:JokerBasic 2:SevenBasic 3:SevenBasic"},
        {"J777", false, "3:JokerChange"},
        {"J777", true, "0:SevenFull 1:SevenFull 2:SevenFull 3:SevenFull"},
        {"7J77", true, "0:SevenFull 1:SevenFull 2:SevenFull 3:SevenFull"},
        {"1J11", false, "2:JokerChange"},
        {"JPPP", false, "0:Peach 1:Peach 2:Peach"},  // the joker stands in for no end-three symbol
        {"J7S7", false, ""},
    };
    for (const Case& c : cases) {
        int32_t s[4];
        Column(c.column, s);
        EXPECT_EQ(Draws(JixEvaluateColumn(s, c.jokerChangeDone)), c.draws)
            << c.column << (c.jokerChangeDone ? " (change done)" : "");
    }
}

struct Game {
    Game() : host(nullptr, 3, true), demo(&host) { demo.CreateResources(); }
    CJix host;
    CDemo demo;
};

// Stops of strip set 0 whose window holds no pattern, and stops whose middle column holds a
// seven on every reel.
bool QuietStops(int32_t stops[4])
{
    for (int a = 0; a < kJixStops; ++a)
        for (int b = 0; b < kJixStops; ++b) {
            const int32_t candidate[4] = {a, b, a, b};
            bool quiet = true;
            for (int c = 0; c < 3 && quiet; ++c) {
                int32_t s[4];
                for (int r = 0; r < 4; ++r)
                    s[r] = JixStripSymbol(0, r, candidate[r] - 1 + c);
                quiet = JixEvaluateColumn(s, false).nCount == 0;
            }
            if (quiet) {
                for (int r = 0; r < 4; ++r)
                    stops[r] = candidate[r];
                return true;
            }
        }
    return false;
}

TEST(JixWinAnimation, WithoutAPatternNothingIsDrawnButTheCountersRun)
{
    Game g;
    CDemo& d = g.demo;
    ASSERT_TRUE(QuietStops(d.m_anReelStop));
    RecordingDrawSink sink(g.host, d);
    for (int i = 0; i < 12; ++i)
        d.Render();
    EXPECT_TRUE(sink.blits.empty());
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 4; ++r)
            EXPECT_EQ(d.m_abHighlight[c][r], 0);
    EXPECT_EQ(d.m_nRenderStep, 12);
    EXPECT_EQ(d.m_anAnimFrame[JixAnimSevenFull], 2) << "one frame per 6 calls";
    EXPECT_EQ(d.m_anAnimFrame[JixAnimCherry], 3) << "one frame per 4 calls";
    EXPECT_EQ(d.m_anAnimFrame[JixAnimJokerFull], 1) << "one frame per 7 calls";
}

TEST(JixWinAnimation, AWinningColumnIsDrawnOverItsCellsAndMarked)
{
    Game g;
    CDemo& d = g.demo;
    for (int reel = 0; reel < kJixReels; ++reel)
        for (int i = 0; i < kJixStops; ++i)
            if (JixStripSymbol(0, reel, i) == 7) {
                d.m_anReelStop[reel] = i;
                break;
            }
    RecordingDrawSink sink(g.host, d);
    for (int i = 0; i < 6; ++i) {
        sink.blits.clear();
        d.Render();
    }
    std::vector<std::array<int, 3>> middle;
    for (const auto& b : sink.blits)
        if (b.x == 905) {
            middle.push_back({b.slot, b.x, b.y});
            EXPECT_TRUE(b.hasRect && b.rect.right == 1280 && b.rect.bottom == 768);
        }
    // Frame 1 of the full seven run on reels 0 (bottom) to 3.
    EXPECT_EQ(middle, (std::vector<std::array<int, 3>>{
                          {277, 905, 517}, {277, 905, 383}, {277, 905, 249}, {277, 905, 114}}));
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(d.m_abHighlight[1][r], 1);
}

TEST(JixWinAnimation, JokerChangeCompletesOnItsFreeRunningCounterAndSurvivesTheReset)
{
    Game g;
    CDemo& d = g.demo;
    int32_t stops[4];
    ASSERT_TRUE(QuietStops(stops));
    for (int r = 0; r < 4; ++r)
        d.m_anReelStop[r] = stops[r];
    for (int i = 0; i < 209; ++i)
        d.Render();
    EXPECT_EQ(d.m_bJokerChangeDone, 0);
    EXPECT_EQ(d.m_anAnimFrame[JixAnimJokerChange], 13);
    d.Render();
    EXPECT_EQ(d.m_bJokerChangeDone, 1) << "after 14 frames of 15 calls";
    EXPECT_EQ(d.m_anAnimFrame[JixAnimJokerChange], 0);

    for (int i = 0; i < 5; ++i)
        d.Render();
    const int32_t frame = d.m_anAnimFrame[JixAnimColumnFrame];
    d.ResetWinAnimation();
    EXPECT_EQ(d.m_nRenderStep, 0);
    EXPECT_EQ(d.m_bJokerChangeDone, 0);
    EXPECT_EQ(d.m_anAnimFrame[JixAnimSevenFull], 0);
    EXPECT_EQ(d.m_anAnimFrame[JixAnimColumnFrame], frame) << "the column frame runs on";
}

}  // namespace
