#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "MorvaneWindowEval.h"

namespace {

using Row = std::array<int32_t, 4>;
constexpr int A = MSYM_A, C = MSYM_C, O = MSYM_O, W = MSYM_W, B = MSYM_B, T = MSYM_T, S = MSYM_S,
              SEVEN = MSYM_7, B1 = MSYM_1B, B2 = MSYM_2B, B3 = MSYM_3B;
// A row no rule recognises.
constexpr Row kPlain = {O, W, B, T};

MorvaneEvalInput Window(Row top, Row middle, Row bottom)
{
    MorvaneEvalInput in;
    const Row rows[3] = {top, middle, bottom};
    for (int r = 0; r < 3; ++r)
        for (int reel = 0; reel < 4; ++reel)
            in.window.aCell[r][reel] = rows[r][reel];
    in.nStepsFromBase = 100;
    return in;
}

bool Played(const MorvaneEvalResult& out, int32_t row)
{
    return std::find(out.sounds.begin(), out.sounds.end(), row) != out.sounds.end();
}

const MorvaneHit* FindHit(const MorvaneEvalResult& out, int row, int32_t symbol)
{
    for (const MorvaneHit& hit : out.hits)
        if (hit.nRow == row && hit.nSymbol == symbol)
            return &hit;
    return nullptr;
}

}  // namespace

TEST(MorvaneEvalTest, WinCodesAndMarks)
{
    struct Case {
        const char* name;
        Row top, middle, bottom;
        int32_t steps;
        int32_t win0, win1;
        int32_t code, mark;
    };
    const Case cases[] = {
        {"middle AAAA", kPlain, {A, A, A, A}, kPlain, 100, 0, 0, 20, 0},
        {"middle C A A C", kPlain, {C, A, A, C}, kPlain, 100, 0, 0, 122, 0},
        {"middle C C O C: any three C", kPlain, {C, C, O, C}, kPlain, 100, 0, 0, 123, 0},
        {"middle C C C A", kPlain, {C, C, C, A}, kPlain, 100, 0, 0, 125, 0},
        {"middle C only inside", kPlain, {W, C, C, O}, kPlain, 100, 0, 0, 0, 0},
        {"middle O O W O: gap on reel 2", kPlain, {O, O, W, O}, kPlain, 100, 0, 0, 0, 0},
        {"middle W O O O", kPlain, {W, O, O, O}, kPlain, 100, 0, 0, 223, 0},
        {"middle O A O O", kPlain, {O, A, O, O}, kPlain, 100, 0, 0, 225, 0},
        {"middle A777 before the window",
         kPlain,
         {A, SEVEN, SEVEN, SEVEN},
         kPlain,
         4,
         0,
         0,
         723,
         0},
        {"middle A777 in the window", kPlain, {A, SEVEN, SEVEN, SEVEN}, kPlain, 5, 0, 0, 725, 71},
        {"middle A777 at the window's end",
         kPlain,
         {A, SEVEN, SEVEN, SEVEN},
         kPlain,
         509,
         0,
         0,
         725,
         71},
        {"middle A777 after the window",
         kPlain,
         {A, SEVEN, SEVEN, SEVEN},
         kPlain,
         510,
         0,
         0,
         723,
         0},
        {"top A777 at any step", {A, SEVEN, SEVEN, SEVEN}, kPlain, kPlain, 0, 0, 0, 715, 70},
        {"top T T W O before", {T, T, W, O}, kPlain, kPlain, 4, 0, 0, 0, 0},
        {"top T T W O in", {T, T, W, O}, kPlain, kPlain, 5, 0, 0, 512, 0},
        {"top T T W O last", {T, T, W, O}, kPlain, kPlain, 314, 0, 0, 512, 0},
        {"top T T W O after", {T, T, W, O}, kPlain, kPlain, 315, 0, 0, 0, 0},
        {"top T W O T at any step", {T, W, O, T}, kPlain, kPlain, 0, 0, 0, 512, 0},
        {"middle T T S S: T comes last", kPlain, {T, T, S, S}, kPlain, 100, 0, 0, 522, 0},
        {"middle S S 7 7", kPlain, {S, S, SEVEN, SEVEN}, kPlain, 100, 0, 0, 622, 0},
        {"pair on reels 1 and 2 is nothing", kPlain, {W, S, S, O}, kPlain, 100, 0, 0, 0, 0},
        {"bottom S S S S", kPlain, kPlain, {S, S, S, S}, 100, 0, 0, 634, 62},
        {"middle 7777 over bottom C",
         kPlain,
         {SEVEN, SEVEN, SEVEN, SEVEN},
         {C, O, W, B},
         100,
         0,
         0,
         724,
         71},
        {"top mixed bars", {B1, B1, B2, B1}, kPlain, kPlain, 30, 2000, 0, 1110, 0},
        {"top mixed bars, small line win", {B1, B1, B2, B1}, kPlain, kPlain, 30, 1999, 0, 0, 0},
        {"top mixed bars before their window", {B1, B1, B2, B1}, kPlain, kPlain, 10, 2000, 0, 0, 0},
        {"top mixed bars over middle O code",
         {B1, B1, B2, B1},
         {O, O, O, W},
         kPlain,
         30,
         2000,
         0,
         1110,
         0},
        {"middle bar code after top mixed",
         {B1, B1, B2, B1},
         {B1, B1, B1, O},
         kPlain,
         30,
         2000,
         0,
         823,
         0},
        {"middle mixed bars on their own win",
         kPlain,
         {B1, B2, B2, B3},
         kPlain,
         30,
         0,
         2000,
         1120,
         0},
        {"middle mixed bars ignore other rows",
         kPlain,
         {B1, B2, B2, B3},
         kPlain,
         30,
         5000,
         1999,
         0,
         0},
        {"three mixed bars, A fourth", {B1, B2, B3, A}, kPlain, kPlain, 30, 2000, 0, 1113, 0},
        {"three 3B with A", kPlain, {B3, A, B3, B3}, kPlain, 30, 0, 0, 1025, 0},
        {"four 2B bottom", kPlain, kPlain, {B2, B2, B2, B2}, 30, 0, 0, 934, 0},
        {"top AAAA outside its window", {A, A, A, A}, kPlain, kPlain, 4, 0, 0, 0, 0},
        {"top AAAA inside", {A, A, A, A}, kPlain, kPlain, 5, 0, 0, 12, 0},
        {"bottom AAAA inside", kPlain, kPlain, {A, A, A, A}, 509, 0, 0, 28, 0},
    };
    for (const Case& c : cases) {
        MorvaneEvalInput in = Window(c.top, c.middle, c.bottom);
        in.nStepsFromBase = c.steps;
        in.aWin[0] = c.win0;
        in.aWin[1] = c.win1;
        const MorvaneEvalResult out = EvaluateMorvaneWindow(in);
        EXPECT_EQ(out.nWinCode, c.code) << c.name;
        EXPECT_EQ(out.nCaptionMark, c.mark) << c.name;
    }
}

TEST(MorvaneEvalTest, CodeAndMarkStayWhenNothingHits)
{
    MorvaneEvalInput in = Window(kPlain, kPlain, kPlain);
    in.nWinCode = 512;
    in.nCaptionMark = 51;
    const MorvaneEvalResult out = EvaluateMorvaneWindow(in);
    EXPECT_EQ(out.nWinCode, 512);
    EXPECT_EQ(out.nCaptionMark, 51);
}

TEST(MorvaneEvalTest, Highlights)
{
    {
        const auto out = EvaluateMorvaneWindow(Window(kPlain, {C, A, A, C}, kPlain));
        const MorvaneHit* c = FindHit(out, 1, C);
        const MorvaneHit* a = FindHit(out, 1, A);
        ASSERT_TRUE(c && a);
        EXPECT_EQ(c->byCells, 0x9);
        EXPECT_EQ(a->byCells, 0x6);
        EXPECT_EQ(a->eHighlight, MorvaneHighlight::AStrip);
    }
    {
        // C on reels 0, 1 and 3 shows all three; C on reels 0 and 2 only reel 0.
        const auto out = EvaluateMorvaneWindow(Window({C, C, O, C}, kPlain, {C, W, C, O}));
        EXPECT_EQ(FindHit(out, 0, C)->nKind, 3);
        EXPECT_EQ(FindHit(out, 2, C)->byCells, 0x1);
        EXPECT_EQ(FindHit(out, 2, C)->nKind, 1);
    }
    {
        MorvaneEvalInput in = Window(kPlain, {A, SEVEN, SEVEN, SEVEN}, kPlain);
        in.nStepsFromBase = 4;
        const auto before = EvaluateMorvaneWindow(in);
        const MorvaneHit* plain = FindHit(before, 1, SEVEN);
        EXPECT_EQ(plain->eHighlight, MorvaneHighlight::WinStrip);
        in.nStepsFromBase = 5;
        const auto out = EvaluateMorvaneWindow(in);
        const MorvaneHit* big = FindHit(out, 1, SEVEN);
        EXPECT_EQ(big->eHighlight, MorvaneHighlight::FourStrip);
        EXPECT_EQ(big->byCells, 0xE);
        EXPECT_EQ(big->byWildCells, 0x1);
    }
    {
        // Mixed-bar cells are drawn inside their window whatever the line win; not before it.
        MorvaneEvalInput in = Window({B1, B1, B2, B1}, kPlain, kPlain);
        in.nStepsFromBase = 30;
        const auto inside = EvaluateMorvaneWindow(in);
        const MorvaneHit* hit = FindHit(inside, 0, 11);
        ASSERT_TRUE(hit);
        EXPECT_EQ(hit->byCells, 0xF);
        in.nStepsFromBase = 10;
        const auto before = EvaluateMorvaneWindow(in);
        EXPECT_EQ(FindHit(before, 0, 11), nullptr);
    }
    {
        // A pairs with a gap and single A are not drawn.
        const auto out = EvaluateMorvaneWindow(Window({A, W, A, O}, {A, O, O, W}, {W, A, A, O}));
        EXPECT_EQ(FindHit(out, 0, A), nullptr);
        EXPECT_EQ(FindHit(out, 1, A), nullptr);
        EXPECT_EQ(FindHit(out, 2, A)->byCells, 0x6);
    }
}

TEST(MorvaneEvalTest, LengthAndBandSounds)
{
    struct Case {
        int32_t amount;
        bool barLine;
        int32_t captionCue;
        uint8_t flag;
        int32_t length;
        int32_t sound;  // -1: none
        uint8_t flagAfter;
    };
    const Case cases[] = {
        {500000, false, 0, 0, 500, 16, 1}, {500000, false, 0, 1, 500, -1, 1},
        {499999, false, 0, 0, 500, 32, 1}, {256000, false, 0, 0, 500, 32, 1},
        {255999, false, 0, 0, 500, 33, 1}, {128000, false, 0, 0, 500, 33, 1},
        {127999, false, 0, 0, 500, 34, 1}, {64000, false, 0, 0, 500, 34, 1},
        {63999, false, 0, 0, 500, 35, 1},  {32000, false, 0, 0, 500, 35, 1},
        {31999, false, 0, 1, 500, 14, 1},  {20000, false, 0, 0, 500, 14, 0},
        {19999, false, 0, 1, 450, 12, 1},  {10000, false, 0, 0, 450, 12, 0},
        {9999, false, 0, 0, 780, 19, 1},   {5000, false, 0, 1, 780, -1, 1},
        {5000, true, 0, 1, 450, 12, 1},    {4999, true, 0, 0, 450, 12, 0},
        {4999, false, 1, 0, 500, -1, 0},   {2000, false, 0, 0, 450, 20, 1},
        {2000, false, 0, 1, 450, -1, 1},   {1999, true, 0, 0, 150, -1, 0},
        {0, false, 0, 0, 150, -1, 0},
    };
    for (const Case& c : cases) {
        MorvaneEvalInput in = Window(kPlain, kPlain, c.barLine ? Row{O, B1, B1, B1} : kPlain);
        in.nWinAmount = c.amount;
        in.nCaptionCue = c.captionCue;
        in.byBandSoundFlag = c.flag;
        in.nAnimTick = 3;
        const MorvaneEvalResult out = EvaluateMorvaneWindow(in);
        const std::string name = std::to_string(c.amount) + (c.barLine ? " bar line" : "") +
                                 " flag " + std::to_string(c.flag);
        EXPECT_EQ(out.nLength, c.length) << name;
        if (c.sound < 0)
            EXPECT_TRUE(out.sounds.empty()) << name;
        else
            EXPECT_EQ(out.sounds, std::vector<int32_t>{c.sound}) << name;
        EXPECT_EQ(out.byBandSoundFlag, c.flagAfter) << name;
    }
}

TEST(MorvaneEvalTest, FourARowsOverrideTheBands)
{
    // Middle row all A with 3000: length 500, code 20, row 5 on every call, no band sound.
    MorvaneEvalInput in = Window(kPlain, {A, A, A, A}, kPlain);
    in.nWinAmount = 3000;
    for (int call = 0; call < 3; ++call) {
        const MorvaneEvalResult out = EvaluateMorvaneWindow(in);
        EXPECT_EQ(out.nLength, 500);
        EXPECT_EQ(out.nWinCode, 20);
        EXPECT_EQ(out.sounds, std::vector<int32_t>{MSND_FOUR_A});
        EXPECT_EQ(out.byBandSoundFlag, 0);
    }
    // Top row all A: length 500 at every step, the code and sound only inside the window.
    for (int32_t steps : {0, 4, 5, 509, 510}) {
        MorvaneEvalInput top = Window({A, A, A, A}, kPlain, kPlain);
        top.nWinAmount = 1999;
        top.nStepsFromBase = steps;
        const MorvaneEvalResult out = EvaluateMorvaneWindow(top);
        const bool inside = steps >= 5 && steps < 510;
        EXPECT_EQ(out.nLength, 500) << steps;
        EXPECT_EQ(out.nWinCode, inside ? 12 : 0) << steps;
        EXPECT_EQ(Played(out, MSND_FOUR_A), inside) << steps;
    }
}

TEST(MorvaneEvalTest, FeverOverlayEveryTenTicks)
{
    struct Case {
        int32_t cue, tick, image;
        bool sound, draw;
        int32_t imageAfter;
    };
    const Case cases[] = {
        {1, 10, 0, true, true, 1},   {1, 11, 3, false, true, 3},   {1, 0, 9, true, true, 9},
        {0, 10, 4, false, false, 4}, {-1, 20, 0, false, false, 0},
    };
    for (const Case& c : cases) {
        MorvaneEvalInput in = Window(kPlain, kPlain, kPlain);
        in.nCaptionCue = c.cue;
        in.nAnimTick = c.tick;
        in.nFeverImage = c.image;
        in.nWinAmount = 2500;  // inside the 2000 band: the caption cue silences its sound
        const MorvaneEvalResult out = EvaluateMorvaneWindow(in);
        EXPECT_EQ(Played(out, MSND_FEVER_CARPET), c.sound) << c.cue << "/" << c.tick;
        EXPECT_EQ(out.bDrawFever, c.draw) << c.cue << "/" << c.tick;
        EXPECT_EQ(out.nFeverImage, c.imageAfter) << c.cue << "/" << c.tick;
    }
}
