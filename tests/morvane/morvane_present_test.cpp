// The win presentation, highlights, setting screen, power-off, standalone script and the per-step
// drawing rules, on a game state with a recording seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

int32_t Slot(MorvaneImageSet set, int32_t index = 0)
{
    return MorvaneImageSlot(set, index);
}

int CountSlot(const std::vector<DrawCall>& draws, int32_t slot)
{
    return int(std::count_if(draws.begin(), draws.end(),
                             [&](const DrawCall& d) { return d.slot == slot; }));
}

struct Game {
    FakeOwner owner{2, 7, true};
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
    Game() { main.m_byNetworked = 0; }
};

}  // namespace

TEST(MorvanePresentTest, StateChoiceByJackpotPatternAndAmount)
{
    struct Case {
        int32_t win;
        int32_t jackValue;
        int32_t series;
        int32_t haveFlag;
        int32_t stops[4];
        int32_t expected;  // 41: state 40 through a bar line
        const char* what;
    };
    const int32_t plain[4] = {3, 7, 12, 19};  // no pattern in any row
    const Case cases[] = {
        {32000, 0, 0, 0, {3, 7, 12, 19}, 20, "32000"},
        {500000, 0, 0, 0, {3, 7, 12, 19}, 20, "500000"},
        {31999, 0, 0, 0, {3, 7, 12, 19}, 30, "31999"},
        {20000, 0, 0, 0, {3, 7, 12, 19}, 30, "20000"},
        {19999, 0, 0, 0, {3, 7, 12, 19}, 40, "19999"},
        {10000, 0, 0, 0, {3, 7, 12, 19}, 40, "10000"},
        {9999, 0, 0, 0, {3, 7, 12, 19}, 50, "9999 without a bar line"},
        {100, 200, 0, 0, {3, 7, 12, 19}, 50, "jackValue 200"},
        {100, 201, 0, 0, {3, 7, 12, 19}, 5, "jackValue 201"},
        {100, 201, 1, 0, {3, 7, 12, 19}, 50, "jackValue 201 with a series"},
        {40000, 0, 0, 1, {3, 7, 12, 19}, 50, "WinHaveFlag wins over the amount"},
        {3000, 0, 0, 0, {0, 1, 0, 1}, 10, "a row of four A"},
    };
    for (const Case& c : cases) {
        Game g;
        g.main.m_nWinAmount = c.win;
        g.main.m_Rec.jackValue = c.jackValue;
        g.main.m_Rec.Seriescount = c.series;
        g.main.m_Rec.WinHaveFlag = c.haveFlag;
        std::copy(std::begin(c.stops), std::end(c.stops), g.main.m_Rec.Array);
        EXPECT_EQ(g.main.ChooseWinState(), c.expected) << c.what;
    }
    // A bar line: reels 1 and 2 show the same bar and so does reel 0 or reel 3.
    for (int32_t a = 0; a < kMorvaneStops; ++a) {
        Game g;
        const int32_t stops[4] = {a, a, a, a};
        std::copy(std::begin(stops), std::end(stops), g.main.m_Rec.Array);
        g.main.m_Rec.nReelSet = 2;  // bars only
        g.main.m_nWinAmount = 500;
        const MorvaneWindow w = MorvaneWindowOf(2, g.main.m_Rec.Array);
        bool line = false;
        for (const auto& row : w.aCell)
            line |= row[1] == row[2] && (row[0] == row[1] || row[3] == row[1]);
        EXPECT_EQ(g.main.ChooseWinState(), line ? 41 : 50) << "stop " << a;
    }
    (void)plain;
}

TEST(MorvanePresentTest, CountUpStepsAndLargeDigits)
{
    Game g;
    g.main.m_nWinState = 50;
    g.main.m_nPendingWin = 100000;
    std::vector<int32_t> steps;
    for (int32_t before = g.main.m_nPendingWin; g.main.CountUpWin() || g.main.m_nPendingWin == 0;) {
        steps.push_back(before - g.main.m_nPendingWin);
        before = g.main.m_nPendingWin;
        if (before == 0)
            break;
        ASSERT_LT(steps.size(), 2000u);
    }
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), 1110);
    EXPECT_EQ(steps[1], 110);
    EXPECT_EQ(steps.back(), 10);
    EXPECT_EQ(g.main.m_nPendingWin, 0);
    EXPECT_EQ(g.main.m_Rec.CountedWin, 100000);

    // 1000 is drawn as "1", comma, "0", "0", "0", centred; a big win sits higher.
    struct Case {
        int32_t pending;
        int32_t mark;
        std::vector<int32_t> slots;  // digit 0..9, 10 comma
        float firstX;
        float y;
    };
    const float full = 7 * 104 + 2 * 32;
    const Case cases[] = {
        {1000, 0, {1, 10, 0, 0, 0}, 4 + (full - (4 * 104 + 32)) / 2, 240},
        {1234567, 2, {1, 10, 2, 3, 4, 10, 5, 6, 7}, 4, 85},
        {7, 0, {7}, 4 + (full - 104) / 2, 240},
    };
    for (const Case& c : cases) {
        Game h;
        h.main.m_byDrawFlag = 1;
        h.main.m_nPendingWin = c.pending;
        h.main.m_Rec.WinMark = c.mark;
        h.main.DrawWinEffect();
        ASSERT_EQ(h.io.m_Draws.size(), c.slots.size()) << c.pending;
        for (size_t i = 0; i < c.slots.size(); ++i)
            EXPECT_EQ(h.io.m_Draws[i].slot, Slot(MorvaneImageSet::SmallDigits, c.slots[i]))
                << c.pending << " #" << i;
        EXPECT_FLOAT_EQ(h.io.m_Draws[0].x, c.firstX) << c.pending;
        EXPECT_FLOAT_EQ(h.io.m_Draws[0].y, c.y) << c.pending;
    }
}

TEST(MorvanePresentTest, StatesRunTheirLengthThenCountUp)
{
    struct Case {
        int32_t state;
        int32_t length;
    };
    for (const Case& c :
         {Case{5, 2050}, Case{10, 2050}, Case{20, 1450}, Case{30, 1300}, Case{40, 1100}}) {
        Game g;
        g.main.m_nWinState = c.state;
        g.main.m_Rec.jackValue = 300;
        g.main.m_Rec.jackpottrue = 1;
        g.main.m_byDrawFlag = 1;
        for (int n = 1; n <= c.length; ++n) {
            switch (c.state) {
            case 5:
                g.main.WinStage5();
                break;
            case 10:
                g.main.WinStage10();
                break;
            case 20:
                g.main.WinStage20();
                break;
            case 30:
                g.main.WinStage30();
                break;
            default:
                g.main.WinStage40();
                break;
            }
        }
        EXPECT_EQ(g.main.m_nWinState, c.state) << c.state;
        EXPECT_GT(g.io.m_Draws.size(), 0u) << c.state;
        c.state == 5    ? g.main.WinStage5()
        : c.state == 10 ? g.main.WinStage10()
        : c.state == 20 ? g.main.WinStage20()
        : c.state == 30 ? g.main.WinStage30()
                        : g.main.WinStage40();
        EXPECT_EQ(g.main.m_nWinState, 50) << c.state;
        // Only the jackpot state clears the jackpot value.
        EXPECT_EQ(g.main.m_Rec.jackValue, c.state == 5 ? 0 : 300) << c.state;
    }
}

TEST(MorvanePresentTest, HighlightFramesAdvanceOnTheirPeriod)
{
    // A middle-row four-of-a-kind of 7: the big picture, then the 7_H strip (23 frames of 150,
    // period 3) on all four cells, the outer reels at x 37 and 608.
    Game g;
    g.main.m_byDrawFlag = 1;
    MorvaneHit hit;
    hit.nRow = 1;
    hit.nSymbol = MSYM_7;
    hit.nKind = 4;
    hit.eHighlight = MorvaneHighlight::FourStrip;
    hit.byCells = 0xF;
    g.main.m_Hits = {hit};
    std::vector<float> lefts;
    for (int32_t tick = 0; tick < 80; ++tick) {
        g.main.m_nAnimTick = tick;
        g.io.m_Draws.clear();
        g.main.DrawHighlights();
        ASSERT_EQ(g.io.m_Draws.size(), 5u);
        EXPECT_EQ(g.io.m_Draws[0].slot, Slot(MorvaneImageSet::BigSymbols, 6));
        EXPECT_EQ(g.io.m_Draws[0].x, 209);
        const DrawCall& first = g.io.m_Draws[1];
        EXPECT_EQ(first.slot, Slot(MorvaneImageSet::HighlightedSymbols, 7));
        EXPECT_EQ(first.x, 37);
        EXPECT_EQ(first.y, 237);
        EXPECT_EQ(g.io.m_Draws[4].x, 608);
        EXPECT_EQ(first.source.right - first.source.left, 150);
        lefts.push_back(first.source.left);
    }
    // Frame k on ticks after the k-th tick with tick mod 3 = 1, wrapping after frame 22.
    int32_t frame = 0;
    for (int32_t tick = 0; tick < 80; ++tick) {
        if (tick % 3 == 1 && ++frame >= 23)
            frame = 0;
        EXPECT_EQ(lefts[size_t(tick)], 150.0f * frame) << "tick " << tick;
    }

    // The shared 7 counter stays inside the three-of-a-kind display's six frames.
    MorvaneHit three = hit;
    three.nKind = 3;
    three.eHighlight = MorvaneHighlight::WinStrip;
    three.byCells = 0x7;
    g.main.m_Hits = {three};
    g.main.m_nAnimTick = 2;
    g.io.m_Draws.clear();
    g.main.DrawHighlights();
    ASSERT_EQ(g.io.m_Draws.size(), 3u);
    EXPECT_EQ(g.io.m_Draws[0].slot, Slot(MorvaneImageSet::HighlightedSymbols, 6));
    EXPECT_LT(g.io.m_Draws[0].source.left, 6 * 150.0f);

    // Cherries keep one counter per row: a top-row call does not move the middle row's.
    MorvaneHit top;
    top.nRow = 0;
    top.nSymbol = MSYM_C;
    top.nKind = 1;
    top.byCells = 0x1;
    MorvaneHit middle = top;
    middle.nRow = 1;
    g.main.m_Hits = {top};
    for (int32_t tick : {1, 6, 11})
        g.main.m_nAnimTick = tick, g.main.DrawHighlights();
    g.main.m_Hits = {middle};
    g.main.m_nAnimTick = 0;
    g.io.m_Draws.clear();
    g.main.DrawHighlights();
    ASSERT_EQ(g.io.m_Draws.size(), 1u);
    EXPECT_EQ(g.io.m_Draws[0].source.left, 0) << "the middle row's counter has not moved";
    EXPECT_EQ(g.io.m_Draws[0].y, 237);
}

MorvaneHit Hit(int32_t row, int32_t symbol, int32_t kind, MorvaneHighlight highlight, uint8_t cells)
{
    MorvaneHit hit;
    hit.nRow = row;
    hit.nSymbol = symbol;
    hit.nKind = kind;
    hit.eHighlight = highlight;
    hit.byCells = cells;
    return hit;
}

TEST(MorvanePresentTest, ACounterSharedByTwoHitsStepsOncePerCall)
{
    // Three O in the top and the bottom row draw the one O counter; the S win strip and the S_H
    // four-of-a-kind strip share theirs. Every cell of a call shows the same frame, and the frame
    // moves one on each call whose tick modulo the period is 1.
    struct Case {
        const char* what;
        MorvaneHit a, b;
        int32_t period, frames;
        float width;
    };
    const Case cases[] = {
        {"O in two rows", Hit(0, MSYM_O, 3, MorvaneHighlight::WinStrip, 0x7),
         Hit(2, MSYM_O, 3, MorvaneHighlight::WinStrip, 0x7), 3, 3, 180},
        {"S beside S_H", Hit(1, MSYM_S, 3, MorvaneHighlight::WinStrip, 0x7),
         Hit(0, MSYM_S, 4, MorvaneHighlight::FourStrip, 0xF), 5, 3, 150},
    };
    for (const Case& c : cases) {
        Game g;
        g.main.m_byDrawFlag = 1;
        g.main.m_Hits = {c.a, c.b};
        int32_t frame = 0;
        for (int32_t tick = 0; tick < 40; ++tick) {
            g.main.m_nAnimTick = tick;
            g.io.m_Draws.clear();
            g.main.DrawHighlights();
            if (tick % c.period == 1 && ++frame >= c.frames)
                frame = 0;
            int cells = 0;
            for (const DrawCall& d : g.io.m_Draws) {
                if (d.slot < Slot(MorvaneImageSet::HighlightedSymbols) ||
                    d.slot >= Slot(MorvaneImageSet::HighlightedSymbols, 26))
                    continue;
                ++cells;
                EXPECT_EQ(d.source.left, c.width * frame) << c.what << ", tick " << tick;
            }
            EXPECT_EQ(cells, __builtin_popcount(c.a.byCells) + __builtin_popcount(c.b.byCells))
                << c.what;
        }
    }
}

TEST(MorvanePresentTest, DrawSpriteClipsItsSource)
{
    struct Case {
        MorvaneRect in;
        bool draws;
        MorvaneRect out;
    };
    const Case cases[] = {
        {{0, 0, 800, 600}, true, {0, 0, 146, 125}},
        {{16, 0, 32, 22}, true, {16, 0, 32, 22}},
        {{140, 100, 160, 130}, true, {140, 100, 146, 125}},
        {{146, 0, 160, 22}, false, {}},
        {{0, 125, 10, 130}, false, {}},
        {{-1, 0, 10, 10}, false, {}},
    };
    for (const Case& c : cases) {
        MorvaneRect r = c.in;
        ASSERT_EQ(MorvaneClipSource(r, 146, 125), c.draws) << c.in.left << "," << c.in.top;
        if (c.draws) {
            EXPECT_EQ(r.right, c.out.right);
            EXPECT_EQ(r.bottom, c.out.bottom);
        }
    }
    // Nothing at all on a step that does not draw.
    Game g;
    g.main.m_byDrawFlag = 0;
    g.main.DrawSprite(0, 0, 0, {0, 0, 10, 10});
    EXPECT_TRUE(g.io.m_Draws.empty());
}

TEST(MorvaneProcessTest, PanelsCountersAndModes)
{
    Game g;
    g.main.m_byNetworked = 1;  // no insert-coin blink for a standalone game
    g.main.m_byDrawFlag = 1;
    g.main.m_nCredit = 12345678;
    g.main.m_nScore = 42;
    g.main.m_Rec.Seriescount = 9;
    g.main.giftpaid = 3;
    g.main.Process();
    EXPECT_EQ(g.main.m_Rec.Seriescount, 4) << "shown as series 4";
    EXPECT_EQ(CountSlot(g.io.m_Draws, Slot(MorvaneImageSet::Multipliers, 8)), 1)
        << "the x10 reel frame";
    EXPECT_EQ(g.main.giftpaid, 0) << "mode 7 clears the gift-ticket count";
    // Credit shows its lower seven digits, most significant first, from x 131 in steps of 16.
    std::vector<float> creditLefts;
    for (const DrawCall& d : g.io.m_Draws)
        if (d.slot == Slot(MorvaneImageSet::Panels, 1) && d.y == 561 && d.x >= 131 && d.x <= 227)
            creditLefts.push_back(d.source.left);
    const std::vector<float> expected = {2 * 16, 3 * 16, 4 * 16, 5 * 16, 6 * 16, 7 * 16, 8 * 16};
    EXPECT_EQ(creditLefts, expected);
    EXPECT_EQ(g.io.m_LastText, "v3") << "no ticket paid yet";

    // Mode 1: the setting screen instead of the money counters.
    Game s;
    s.main.m_byDrawFlag = 1;
    s.main.SettingFlag = 1;
    s.main.m_nCredit = 500;
    s.main.Process();
    EXPECT_EQ(
        CountSlot(s.io.m_Draws, Slot(MorvaneImageSet::Setting, MorvaneSettingImage("prob_back"))),
        1);
    int counters = 0;
    for (const DrawCall& d : s.io.m_Draws)
        counters += d.slot == Slot(MorvaneImageSet::Panels, 1);
    EXPECT_EQ(counters, 0);
}

TEST(MorvaneProcessTest, ModeFourDumpsFiftyEightShadowedLines)
{
    constexpr uint32_t kWhite = 0xFFFFFFFF, kShadow = 0xFF000000;
    auto dumpLines = [](const RecordingIO& io) {
        std::vector<TextCall> lines;
        for (const TextCall& t : io.m_Texts)
            if (t.argb == kWhite)
                lines.push_back(t);
        return lines;
    };
    Game g;
    g.main.m_byNetworked = 1;
    g.main.m_byDrawFlag = 1;
    g.main.SettingFlag = 4;
    g.main.m_nCredit = 1234;
    g.main.giftpaid = 9;
    CMorvaneSpinData& r = g.main.m_Rec;
    const int32_t stops[4] = {1, 2, 3, 4};
    std::copy(std::begin(stops), std::end(stops), r.Array);
    r.Free[2] = 32;
    r.FeverSpin = 7;
    r.WinHaveFlag = 1;
    r.jackValue = 250;
    r.nRand = 2;
    r.Seriescount = 3;
    r.FireValue = 5;
    r.FeverReel[3] = 11;
    g.main.Process();
    const std::vector<TextCall> lines = dumpLines(g.io);
    ASSERT_EQ(lines.size(), 58u);
    std::vector<std::pair<int32_t, int32_t>> places;
    std::vector<std::string> texts;
    for (const TextCall& t : lines) {
        EXPECT_TRUE(t.x == 20 || t.x == 300 || t.x == 550) << t.text;
        EXPECT_GE(t.y, 85) << t.text;
        EXPECT_LE(t.y + 20, 600) << t.text << ": inside the picture";
        const bool shadowed =
            std::any_of(g.io.m_Texts.begin(), g.io.m_Texts.end(), [&](const TextCall& s) {
                return s.argb == kShadow && s.text == t.text && s.x == t.x + 1 && s.y == t.y + 1;
            });
        EXPECT_TRUE(shadowed) << t.text;
        places.push_back({t.x, t.y});
        texts.push_back(t.text);
    }
    std::sort(places.begin(), places.end());
    EXPECT_EQ(std::unique(places.begin(), places.end()), places.end())
        << "no two lines on one place";
    for (const char* expected :
         {"SettingFlag =>4", "FeverSpin =>7", "WinHaveFlag=>1", "jackValue =>250", "nRand =>2",
          "Seriescount =>3", "keypoint =>0", "giftpaid =>9", "Array[1][2][3][4]", "Free[0][0][32] ",
          "credit =>1234", "bet =>100", "SpinEnd =>1", "FireValue =>5", "FeverReel[3] =>11"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    EXPECT_EQ(texts.front(), "SettingFlag =>4");
    EXPECT_EQ(lines.front().x, 20);
    EXPECT_EQ(lines.front().y, 85);

    // The default mode draws no dump.
    Game d;
    d.main.m_byDrawFlag = 1;
    d.main.Process();
    EXPECT_TRUE(dumpLines(d.io).empty());
}

TEST(MorvaneProcessTest, InsertCoinBlinksFifteenOfNineteenForTwoThousandSteps)
{
    Game g;
    g.main.m_byNetworked = 1;
    g.main.m_byDrawFlag = 1;
    const int32_t slot = Slot(MorvaneImageSet::Messages, 6);
    int shown = 0;
    int shownLate = 0;
    for (int step = 1; step <= 2600; ++step) {
        g.io.m_Draws.clear();
        g.main.Process();
        const bool drawn = CountSlot(g.io.m_Draws, slot) == 1;
        if (step <= 2000) {
            shown += drawn;
            EXPECT_EQ(drawn, step % 19 < 15) << step;
        } else {
            shownLate += drawn;
        }
    }
    EXPECT_GT(shown, 1500);
    EXPECT_EQ(shownLate, 0) << "then it stays off";
}

TEST(MorvaneSettingTest, Navigation)
{
    Game g;
    CButtonSinHo& s = *g.main.m_pSinHo;
    EXPECT_EQ(s.m_nPage, 1);
    // Page 1 -> page 4 -> page 15: the spin pattern item; three items, so 0..2 only.
    s.NextValue();
    s.Select();
    EXPECT_EQ(s.m_nPage, 4);
    s.NextValue();
    s.Select();
    EXPECT_EQ(s.m_nPage, 15);
    s.PrevValue();  // wraps from 0 to the last item
    EXPECT_EQ(s.m_anCursor[15], 2);
    s.Select();
    EXPECT_EQ(s.m_nSpinPattern, 2);
    EXPECT_EQ(s.m_nPage, 15) << "a value page stays";
    s.Back();
    EXPECT_EQ(s.m_nPage, 4);
    EXPECT_EQ(s.m_anCursor[4], 0);
    s.Back();
    EXPECT_EQ(s.m_nPage, 1);
    s.Back();
    EXPECT_EQ(s.m_nPage, 0);
    s.Back();
    EXPECT_EQ(s.m_nPage, 0) << "page 0 stays";
    s.Select();
    EXPECT_EQ(s.m_nPage, 7);
    for (int i = 0; i < 13; ++i)
        s.NextValue();
    EXPECT_EQ(s.m_anCursor[7], 1) << "twelve rates wrap";
    s.Select();
    EXPECT_EQ(g.main.Rate1, 1);
    s.Back();
    EXPECT_EQ(s.m_nPage, 0);

    // Values, and pages whose Select changes nothing.
    struct Case {
        int32_t page, cursor;
        int32_t giftUnit, pageAfter;
    };
    for (const Case& c : {Case{9, 3, 10000, 9}, Case{8, 2, 5000, 8}, Case{12, 1, 5000, 12},
                          Case{16, 0, 5000, 16}, Case{3, 6, 5000, 13}, Case{2, 0, 5000, 19}}) {
        Game h;
        h.main.m_nGiftUnit = 5000;
        h.main.m_pSinHo->m_nPage = c.page;
        h.main.m_pSinHo->m_anCursor[c.page] = c.cursor;
        h.main.m_pSinHo->Select();
        EXPECT_EQ(h.main.m_nGiftUnit, c.giftUnit) << "page " << c.page;
        EXPECT_EQ(h.main.m_pSinHo->m_nPage, c.pageAfter) << "page " << c.page;
    }
    Game w;
    w.main.m_pSinHo->m_nPage = 12;
    w.main.m_pSinHo->m_anCursor[12] = 1;
    w.main.m_pSinHo->NextValue();
    EXPECT_EQ(w.main.m_pSinHo->m_anCursor[12], 0);

    // A held key acts on the sixth following step, once, in mode 1 with an empty machine.
    Game k;
    k.main.SettingFlag = 1;
    k.main.m_anKeyRequest[1] = 1;  // next value
    for (int step = 1; step <= 5; ++step)
        k.main.Process();
    EXPECT_EQ(k.main.m_pSinHo->m_anCursor[1], 0);
    k.main.Process();
    EXPECT_EQ(k.main.m_pSinHo->m_anCursor[1], 1);
    EXPECT_EQ(k.main.m_anKeyRequest[1], 0);
    for (int step = 1; step <= 20; ++step)
        k.main.Process();
    EXPECT_EQ(k.main.m_pSinHo->m_anCursor[1], 1);
}

TEST(MorvanePowerTest, CountdownAndIdlePowerOff)
{
    // Credit below the bet at score 0: credit 400 on the first step, off on the second.
    Game g;
    g.main.m_nCredit = 50;
    g.main.m_nPowerOffFlag = 1;
    g.main.CountPowerOff();
    EXPECT_EQ(g.main.m_nCredit, 400);
    EXPECT_EQ(g.main.m_abyCreditDigit[2], 4);
    EXPECT_EQ(g.io.m_nPowerOffs, 0);
    g.main.CountPowerOff();
    EXPECT_EQ(g.io.m_nPowerOffs, 1);
    g.main.CountPowerOff();
    EXPECT_EQ(g.io.m_nPowerOffs, 1) << "once";

    // With money the countdown runs 100 steps.
    Game m;
    m.main.m_nCredit = 1000;
    for (int step = 1; step < 100; ++step)
        m.main.CountPowerOff();
    EXPECT_EQ(m.io.m_nPowerOffs, 0);
    m.main.CountPowerOff();
    EXPECT_EQ(m.io.m_nPowerOffs, 1);

    // The idle handler switches off at once; mode 0 too, once, and the step goes on.
    Game i;
    i.main.m_nPowerOffFlag = 1;
    i.main.ProcessIdleMode();
    EXPECT_EQ(i.io.m_nPowerOffs, 1);
    Game z;
    z.main.SettingFlag = 0;
    z.main.m_nCredit = 1000;
    z.main.m_byAutoPlay = 1;
    z.main.Process();
    z.main.Process();
    EXPECT_EQ(z.io.m_nPowerOffs, 1);
    EXPECT_EQ(z.main.m_byArmed, 1) << "the step went on";
}

TEST(MorvaneScriptTest, SixtyStepsThenAgain)
{
    Game g;
    g.main.m_nCredit = 5000;
    CMorvaneSpinData before;
    for (int call = 1; call <= 60; ++call) {
        before = g.main.m_Rec;
        g.main.ScriptSpin();
        const CMorvaneSpinData& r = g.main.m_Rec;
        switch (call) {
        case 1:
            EXPECT_EQ(r.Array[0], 11);
            EXPECT_EQ(r.Array[3], 15);
            EXPECT_EQ(r.Win[1], 2000);
            break;
        case 4:
            EXPECT_EQ(r.Win[1], 20000);
            EXPECT_EQ(r.Seriescount, 3);
            break;
        case 9:
            EXPECT_EQ(r.SmokeCount, 1);
            break;
        case 12:
            EXPECT_EQ(std::vector<int32_t>(r.Array, r.Array + 4),
                      (std::vector<int32_t>{0, 1, 0, 1}));
            EXPECT_EQ(r.Win[1], 125000);
            break;
        case 25:
            EXPECT_EQ(r.Win[2], 5000);
            EXPECT_EQ(Count(g.io.m_Stopped, 24) + Count(g.io.m_Stopped, 25) +
                          Count(g.io.m_Stopped, 26),
                      3);
            break;
        case 33:
            EXPECT_EQ(r.FeverTime, 1);
            EXPECT_EQ(r.MoSumState, 32);
            EXPECT_EQ(r.Free[2], 32);
            break;
        case 34:
            EXPECT_EQ(r.nReelSet, 2);
            EXPECT_EQ(r.Win[1], 64000);
            break;
        case 35:
            EXPECT_EQ(r.ImsiFeverSpin, 10);
            EXPECT_EQ(g.main.ImsiSeries, 4);
            break;
        case 47:
            EXPECT_EQ(g.main.m_nCredit, 0);
            EXPECT_EQ(g.main.m_byResetRequest, 1);
            break;
        case 20:
        case 48:
        case 60:
            EXPECT_EQ(std::memcmp(&before, &r, sizeof r), 0)
                << "step " << call % 60 << " changes nothing";
            break;
        default:
            break;
        }
        for (int32_t stop : r.Array)
            EXPECT_TRUE(stop >= 0 && stop < kMorvaneStops) << call;
    }
    g.main.ScriptSpin();
    EXPECT_EQ(g.main.m_Rec.Win[1], 2000) << "the 61st spin is step 1 again";
}

TEST(MorvaneFeverTest, SequencesSwapTheReelsAndEnd)
{
    struct Case {
        const char* name;
        bool start;
        bool curtain;
    };
    for (const Case& c : {Case{"rock start", true, false}, Case{"curtain start", true, true},
                          Case{"rock end", false, false}, Case{"curtain end", false, true}}) {
        Game g;
        CMorvaneMain& m = g.main;
        m.m_byDrawFlag = 1;
        m.m_Rec.Free[2] = 32;
        m.m_Rec.MoSumState = 31;  // the bar fever: reel set 2
        m.m_Rec.MoFever = 2;
        m.m_Rec.nReelSet = 2;
        const int32_t saved[4] = {1, 2, 3, 4};
        std::copy(std::begin(saved), std::end(saved), m.m_Rec.FeverReel);
        if (c.start) {
            m.m_Rec.FeverTime = 1;
            m.m_Rec.nReelSet = 0;
        } else {
            m.m_Rec.FeverStop = 1;
            m.FeverEndDue = 1;
        }
        int steps = 0;
        while (m.SpinStep != 500 && steps < 2000) {
            ++steps;
            if (c.start)
                c.curtain ? m.FeverStartCurtain() : m.FeverStartRock();
            else
                c.curtain ? m.FeverEndCurtain() : m.FeverEndRock();
        }
        ASSERT_EQ(m.SpinStep, 500) << c.name;
        EXPECT_LE(steps, c.start && !c.curtain ? 1150 : 400) << c.name;
        EXPECT_EQ(m.m_Rec.Free[2], 0) << c.name;
        if (c.start) {
            EXPECT_EQ(m.m_Rec.FeverTime, 0) << c.name;
            EXPECT_EQ(m.m_Rec.nReelSet, 2) << c.name << ": the fever reels are in";
            EXPECT_EQ(m.m_nCurtainFlag, c.curtain ? 1 : 0) << c.name;
        } else {
            EXPECT_EQ(m.m_Rec.FeverStop, 0) << c.name;
            EXPECT_EQ(m.FeverEndDue, 0) << c.name;
            EXPECT_EQ(m.m_Rec.nReelSet, 0) << c.name << ": the normal reels are back";
            EXPECT_EQ(std::vector<int32_t>(m.m_Rec.Array, m.m_Rec.Array + 4),
                      (std::vector<int32_t>{1, 2, 3, 4}))
                << c.name;
            EXPECT_EQ(m.m_Rec.MoFever, 1) << c.name;
        }
        const int32_t stones = Slot(MorvaneImageSet::Stones),
                      curtain = Slot(MorvaneImageSet::Curtain);
        EXPECT_GT(CountSlot(g.io.m_Draws, c.curtain ? curtain : stones), 0) << c.name;
    }
}

TEST(MorvanePresentTest, SmallWinOffersTheDoubleUpLargerEndsTheSpinAtOnce)
{
    for (int32_t win : {500, 501}) {
        Game g;
        RecordingSender sender;
        g.main.m_byNetworked = 1;
        g.main.GetLink().SetSender(&sender);
        g.main.m_nCredit = 10000;
        g.main.m_byDrawFlag = 1;
        g.main.m_byAutoPlay = 1;
        g.main.Process();
        ASSERT_EQ(sender.m_Sent, std::vector<MorvaneRequest>{MorvaneRequest::SpinData});
        CMorvaneSpinData record;
        const int32_t stops[4] = {3, 7, 12, 19};
        std::copy(std::begin(stops), std::end(stops), record.Array);
        record.Win[1] = win;
        record.nWinAmount = win;
        record.PerformanceCue = win;
        uint8_t bytes[CMorvaneSpinData::kSize];
        WriteMorvaneSpinData(record, bytes);
        g.main.GetLink().OnAnsSpinData(true, bytes, sizeof bytes);
        for (int step = 0; step < 400 && g.main.ReelSettle[3] < 40; ++step) {
            g.io.m_Draws.clear();
            g.main.Process();
        }
        ASSERT_GE(g.main.ReelSettle[3], 40) << win;
        const bool small = win <= 500;
        EXPECT_EQ(g.main.m_byDoubleUpOffer, small ? 1 : 0) << win;
        EXPECT_EQ(CountSlot(g.io.m_Draws, Slot(MorvaneImageSet::Messages, 5)), small ? 1 : 0)
            << win;
        EXPECT_EQ(Count(sender.m_Sent, MorvaneRequest::SpinEnd), small ? 0 : 1) << win;
        // The first button takes the offer: id 29 once, and the presentation waits.
        g.main.DeckKeyRequest = 1;
        g.main.Process();
        EXPECT_EQ(g.main.m_byDoubleDue, small ? 1 : 0) << win;
        EXPECT_EQ(Count(sender.m_Sent, MorvaneRequest::DoubleUp), small ? 1 : 0) << win;
    }
}
