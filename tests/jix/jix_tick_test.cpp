// The game tick: the order of its drawing steps, the bonus wheel, the coin's flight along its
// path, the launch marker, the character presentations and the pin field, seen through a
// recording draw sink.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CJix.h"
#include "JixCoinPaths.h"
#include "MessageIds.h"
#include "jix_test_support.h"

using jix_test::RecordingDrawSink;
using jix_test::RecordingSender;

namespace {

struct Game {
    explicit Game(bool standalone = true) : host(nullptr, 3, standalone), demo(&host)
    {
        demo.CreateResources();
        demo.m_nEngineState = CDemo::kEngineGame;
    }
    CJix host;
    CDemo demo;
};

// Which step of the tick draws a slot; steps with two parts use tenths (5.0 reels, 5.5 frame).
double StepOfSlot(int slot)
{
    struct Range {
        int first, last;
        double step;
    };
    static const Range kRanges[] = {
        {2, 2, 2},      {5, 5, 2},        {7, 7, 2},         {9, 14, 2},       {1091, 1093, 3},
        {90, 94, 4},    {679, 689, 5},    {78, 85, 5},       {3, 3, 5.5},      {6, 6, 5.5},
        {8, 8, 5.5},    {15, 20, 5.5},    {1677, 1733, 5.5}, {41, 42, 6},      {43, 77, 6},
        {477, 571, 7},  {812, 891, 8},    {690, 746, 10},    {922, 1090, 11},  {1097, 1463, 11},
        {95, 476, 12},  {1734, 1756, 12}, {892, 901, 12.5},  {86, 86, 12.5},   {23, 23, 13},
        {747, 809, 14}, {21, 22, 17},     {24, 35, 19},      {1464, 1554, 21}, {810, 811, 21.5},
        {87, 89, 22},   {902, 921, 22},
    };
    for (const Range& r : kRanges)
        if (slot >= r.first && slot <= r.last)
            return r.step;
    return -1;
}

// Stops that put a seven on every reel of the middle column (strip set 0).
// Checks that the tick drew only in step order and that every expected step drew.
void ExpectStepOrder(const RecordingDrawSink& sink, const std::set<double>& expected,
                     const char* name)
{
    std::set<double> seen;
    double last = 0;
    for (const RecordingDrawSink::Blit& b : sink.blits) {
        const double step = StepOfSlot(b.slot);
        ASSERT_GE(step, 0) << name << ": slot " << b.slot << " belongs to no step";
        EXPECT_GE(step, last) << name << ": slot " << b.slot << " drawn after step " << last;
        last = step;
        seen.insert(step);
    }
    EXPECT_EQ(seen, expected) << name;
}

TEST(JixTick, StepsDrawInTheirOrder)
{
    // A flying coin during a big win presentation with a character action running.
    {
        Game g;
        CDemo& d = g.demo;
        d.m_nActionJix = 2;
        d.m_nPreviewCounter = 20;
        d.m_nDevilAction = 1;
        d.m_nDevilCount = 100;
        jix_test::SetBigWinOnSevens(d, 299);
        d.m_nBigWinLevel = 2;
        d.m_nPresentationLength = 600;
        d.m_anSeries[3] = 341;
        d.m_nCredit = 500;
        d.SetCredit(500);
        d.m_nScore = 1234;
        d.SetScore(1234);
        d.m_bFlying = 1;
        d.m_nPathCode = 300;
        d.m_nFlightCounter = 10;
        d.m_nCoinX = 30;
        RecordingDrawSink sink(g.host, d);
        d.RunTick();
        ExpectStepOrder(sink, {2, 3, 4, 5, 5.5, 6, 7, 8, 10, 11, 12, 12.5, 13, 19, 21, 21.5, 22},
                        "coin flying");
        // The presenting character is left out of the side figures.
        EXPECT_TRUE(sink.Of(872, 891).empty());
        EXPECT_EQ(sink.Of(812, 871).size(), 3u);
        EXPECT_EQ(d.m_nStopTick, 300);
    }
    // A ticket-out with nothing on the machine: the ticket picture and the insert-coin blink.
    {
        Game g;
        CDemo& d = g.demo;
        d.m_bTicketWanted = 1;
        RecordingDrawSink sink(g.host, d);
        d.RunTick();
        ExpectStepOrder(sink, {2, 5, 5.5, 6, 8, 10, 13, 14, 17, 21.5, 22}, "ticket-out");
        EXPECT_EQ(d.m_nSpecialMode, 10);
    }
}

TEST(JixTick, OnlyTheOpeningPictureDrawsInTheOpening)
{
    Game g;
    g.demo.m_nEngineState = CDemo::kEngineOpening;
    RecordingDrawSink sink(g.host, g.demo);
    g.demo.RunTick();
    ASSERT_EQ(sink.blits.size(), 1u);
    EXPECT_EQ(sink.blits[0].slot, 2);
}

TEST(JixTick, CountersLeaveOutLeadingZerosAndStandUnitsFirst)
{
    Game g;
    CDemo& d = g.demo;
    d.m_nCredit = 1;  // no attract picture
    d.SetCredit(3005);
    d.SetScore(0);
    d.SetWin(12);
    RecordingDrawSink sink(g.host, d);
    d.RunTick();
    std::vector<std::string> credit;
    for (const auto& b : sink.Of(912, 921))
        credit.push_back(std::to_string(b.slot - 912) + "@" + std::to_string(b.y));
    EXPECT_EQ(credit, (std::vector<std::string>{"5@335", "0@360", "0@385", "3@410"}));
    std::vector<std::string> scoreAndSpins;
    for (const auto& b : sink.Of(902, 911))
        scoreAndSpins.push_back(std::to_string(b.slot - 902) + "@" + std::to_string(b.y));
    EXPECT_EQ(scoreAndSpins, (std::vector<std::string>{"2@598", "1@617", "0@106"}));
}

TEST(JixTick, WinDigitsAreCentredByTheirCount)
{
    struct Case {
        int32_t pending;
        std::vector<int> ys;  // digits units first, then the separator
    };
    const Case cases[] = {
        {9, {}},
        {45, {318, 381}},
        {345, {285, 348, 411}},
        {2345, {238, 305, 374, 466, 419}},
        {12345, {203, 271, 339, 433, 501, 394}},
    };
    for (const Case& c : cases) {
        Game g;
        CDemo& d = g.demo;
        d.m_nPendingWin = c.pending;
        RecordingDrawSink sink(g.host, d);
        d.DrawWinCounters();
        std::vector<int> ys;
        for (const auto& b : sink.blits) {
            EXPECT_EQ(b.x, 936) << c.pending;
            ys.push_back(b.y);
        }
        EXPECT_EQ(ys, c.ys) << c.pending;
    }
}

// One tick of the wheel with the coin past the wheel line: the level the bonus request carries
// (0 for none).
uint32_t DecidedLevel(int wheel, int height, int flightCounter = 53, int coinX = 490,
                      int32_t level = 0)
{
    RecordingSender sender;
    Game g(false);
    g.host.SetSender(&sender);
    CDemo& d = g.demo;
    d.m_nBonusWheel = wheel - 2;  // the tick turns it by 2 first
    d.m_nPathCode = 0;            // no script moves the coin
    d.m_nCoinYOffset = height;
    d.m_nFlightCounter = flightCounter;
    d.m_nCoinX = coinX;
    d.m_nBonusLevel = level;
    d.RunTick();
    return sender.Count(netmsg::MsgJixBonus) ? sender.sent.back().dwValue : 0;
}

TEST(JixBonusWheel, LevelsByBandFromTheWheelOffset)
{
    struct Case {
        int wheel, height;
        uint32_t level;
    };
    const Case
        cases[] =
            {
                {0, 0, 1},      {0, 119, 1},   {0, 120, 2},   {0, 209, 2},
                {0, 210, 3},    {0, 359, 3},   {0, 360, 4},   {0, 409, 4},
                {0, 410, 5},    {0, 579, 5},   {0, 580, 6},   {0, 629, 6},
                {0, 630, 0},  // level 7 would end at 768, which wraps to 0: nothing
                {200, 62, 7},   {200, 199, 7}, {200, 200, 1}, {200, 12, 6},
                {200, 5, 0},    // level 5's band runs from 610 over 768 to 12: nothing
                {200, 968, 1},  // heights are taken mod 768
                {200, -756, 6}, {700, 710, 0},  // level 1's band 700..52 wraps: nothing this tick
                {700, 52, 2},
            };
    for (const Case& c : cases)
        EXPECT_EQ(DecidedLevel(c.wheel, c.height), c.level) << "w " << c.wheel << " t " << c.height;
}

TEST(JixBonusWheel, DecidesOnlyPastTheLineFromThe53rdFlightTickAndOnce)
{
    EXPECT_EQ(DecidedLevel(0, 50, 52), 0u);
    EXPECT_EQ(DecidedLevel(0, 50, 53), 1u);
    EXPECT_EQ(DecidedLevel(0, 50, 53, 489), 0u);
    EXPECT_EQ(DecidedLevel(0, 50, 53, 490, 9), 0u) << "a level already shown stays";

    // A coin on its way: it crosses the line early, and the level comes on the 53rd tick.
    Game g;
    CDemo& d = g.demo;
    d.m_bFlying = 1;
    d.m_nPathCode = 335;  // right 3 a tick, down 1 from counter 50
    d.m_nCoinX = 500;
    d.m_nCoinYOffset = 200;
    d.m_nFlightCounter = 1;
    d.m_nBonusWheel = -2;
    d.m_nBonusLevel = 3;
    d.m_bBonusDecided = 1;
    for (int tick = 2; tick <= 53; ++tick) {
        d.RunTick();
        ASSERT_EQ(d.m_nFlightCounter, tick);
        if (tick >= 50) {
            EXPECT_EQ(d.m_bBonusDecided, 0) << "the previous coin's level is cleared at 50..52";
        }
    }
    d.RunTick();
    EXPECT_EQ(d.m_bBonusDecided, 1);
    EXPECT_EQ(d.m_nBonusLevel, 5) << "wheel at 106, height 335 + 204";
}

TEST(JixBonusWheel, StandaloneRewardsAndTheOnlineRequest)
{
    // Levels 1, 3, 5, 7 add a spin, 4 and 6 add 100 to the score (capped), 2 nothing.
    struct Case {
        int height;
        int32_t level, spins, score;
    };
    const Case cases[] = {
        {0, 1, 1, 19950}, {150, 2, 0, 19950}, {380, 4, 0, 20000}, {600, 6, 0, 20000}};
    for (const Case& c : cases) {
        Game g;
        CDemo& d = g.demo;
        d.m_nScore = 19950;
        d.m_nCoinX = 490;
        d.m_nFlightCounter = 53;
        d.m_nCoinYOffset = c.height;
        d.m_nBonusWheel = -2;
        d.RunTick();
        EXPECT_EQ(d.m_nBonusLevel, c.level) << c.height;
        EXPECT_EQ(d.m_nSpinsLeft, c.spins) << c.height;
        EXPECT_EQ(d.m_nScore, c.score) << c.height;
    }

    RecordingSender sender;
    Game g(false);
    g.host.SetSender(&sender);
    CDemo& d = g.demo;
    d.m_nCoinX = 490;
    d.m_nFlightCounter = 53;
    d.m_nCoinYOffset = 215;
    d.m_nBonusWheel = -2;
    d.RunTick();
    d.m_nBonusLevel = 0;  // a second decision while the first is pending sends nothing
    d.RunTick();
    ASSERT_EQ(sender.Count(netmsg::MsgJixBonus), 1);
    EXPECT_EQ(sender.sent[0].dwValue, 3u);
}

TEST(JixBonusWheel, PocketsTurnWithTheWheelAndTheDecidedOneIsShown)
{
    Game g;
    CDemo& d = g.demo;
    d.m_nBonusWheel = 596;  // 598 after the turn: pocket 2 at 708
    d.m_nBonusLevel = 2;
    d.m_bBonusDecided = 1;
    RecordingDrawSink sink(g.host, d);
    d.RunTick();
    std::vector<int> ys;
    for (const auto& b : sink.Of(690, 746)) {
        EXPECT_EQ(b.x, 609);
        ys.push_back(b.y);
    }
    EXPECT_EQ(ys, (std::vector<int>{598, 708, 50, 160, 270, 380, 490}));
    EXPECT_EQ(sink.Of(706, 713).size(), 1u) << "pocket 2 animated";
    EXPECT_EQ(d.m_nBonusLevel, 9) << "its pocket passed 700";

    d.m_nBonusWheel = 767;
    d.RunTick();
    EXPECT_EQ(d.m_nBonusWheel, 3) << "past 767 the wheel starts again at 3";
}

TEST(JixCoinPath, EveryPathMovesItsWholeFlightByItsTable)
{
    // Totals over the counters 1..299 the main tick runs, worked out by hand from the paths'
    // bands (dx, dy; +y is down the field).
    struct Total {
        int code, dx, dy;
    };
    const Total totals[] = {
        {125, 696, 204},  {135, 897, 278},  {150, 738, 5},     {165, 550, 129},  {175, 751, 111},
        {185, 612, 72},   {200, 758, 311},  {215, 687, 22},    {225, 907, 279},  {235, 550, -130},
        {250, 697, 50},   {265, 969, 107},  {275, 770, 67},    {285, 1025, 20},  {300, 758, -85},
        {315, 620, 59},   {325, 787, 44},   {335, 897, 250},   {350, 951, 13},   {365, 519, 4},
        {375, 654, 185},  {385, 789, -57},  {400, 897, -245},  {415, 693, -48},  {425, 696, -25},
        {435, 807, -170}, {450, 988, -21},  {465, 819, -4},    {475, 922, -305}, {485, 559, 69},
        {500, 681, -119}, {515, 753, -84},  {525, 1011, -275}, {535, 645, -23},  {550, 789, -340},
        {565, 897, -331}, {575, 791, -123}, {585, 627, 9},     {600, 611, -4},   {615, 897, -239},
        {625, 705, -121},
    };
    ASSERT_EQ(std::size(totals), size_t(kJixCoinPaths));
    for (const Total& t : totals) {
        const JixCoinPath* path = JixFindCoinPath(t.code);
        ASSERT_NE(path, nullptr) << t.code;
        int dx = 0, dy = 0;
        for (int n = 1; n <= 299; ++n) {
            int32_t x = 0, y = 0;
            ASSERT_TRUE(JixCoinPathStep(*path, n, &x, &y)) << t.code << " n " << n;
            dx += x;
            dy += y;
        }
        EXPECT_EQ(dx, t.dx) << t.code;
        EXPECT_EQ(dy, t.dy) << t.code;
        int32_t x = 0, y = 0;
        EXPECT_FALSE(JixCoinPathStep(*path, 300, &x, &y)) << t.code << ": still from 300 on";
        EXPECT_TRUE(JixCoinPathStep(*path, 0, &x, &y) && x == 3 && y == 0) << t.code;
    }
    EXPECT_EQ(JixFindCoinPath(0), nullptr);
    EXPECT_EQ(JixFindCoinPath(130), nullptr);
}

TEST(JixCoinPath, AlternatingBandsStepOnOddCounters)
{
    struct Case {
        int code, n, dx, dy;
    };
    const Case cases[] = {
        {335, 49, 3, 0},  {335, 50, 3, 1},  {335, 299, 3, 1},  {435, 80, 3, 0},
        {435, 81, 3, 1},  {435, 106, 3, 0}, {435, 107, 3, -1}, {535, 105, 3, -3},
        {535, 106, 3, 0}, {535, 124, 3, 0}, {535, 125, -3, 2},
    };
    for (const Case& c : cases) {
        int32_t x = 0, y = 0;
        ASSERT_TRUE(JixCoinPathStep(*JixFindCoinPath(c.code), c.n, &x, &y));
        EXPECT_EQ(x, c.dx) << c.code << " n " << c.n;
        EXPECT_EQ(y, c.dy) << c.code << " n " << c.n;
    }
}

TEST(JixCoinPath, TheMainTickFliesALaunchedCoinAlongItsPathAndEndsTheFlight)
{
    Game g;
    CDemo& d = g.demo;
    d.m_nLaunchHeight = 0;  // target 60: path 125
    d.m_bPlayWanted = 1;
    d.ChooseWalkAction();
    ASSERT_EQ(d.m_nPathCode, 125);
    RecordingDrawSink sink(g.host, d);
    for (int tick = 1; tick <= 300; ++tick)
        d.RunTick();
    EXPECT_EQ(d.m_nFlightCounter, 300);
    EXPECT_EQ(d.m_nCoinX, 696);
    EXPECT_EQ(d.m_nCoinYOffset, 204);
    // The coin is drawn at (x + 80, code + offset) while x < 600, turning every 6th tick.
    const auto coins = sink.Of(24, 35);
    ASSERT_FALSE(coins.empty());
    EXPECT_EQ(coins[0].x, 83);
    EXPECT_EQ(coins[0].y, 125);
    EXPECT_EQ(coins[0].slot, 24);
    EXPECT_EQ(coins[6].slot, 24 + 11) << "launched moving up the heights: 0, 11, 10, ...";
    d.RunTick();
    EXPECT_EQ(d.m_bFlying, 0);
    EXPECT_EQ(d.m_nPathCode, 0);
    EXPECT_EQ(d.m_nCoinX, 0);
    EXPECT_EQ(d.m_bPlayWanted, 0);
}

TEST(JixTick, LaunchMarkerTurnsAtBothEnds)
{
    Game g;
    CDemo& d = g.demo;
    d.m_nLaunchHeight = 580;
    RecordingDrawSink sink(g.host, d);
    std::vector<int> top;
    for (int i = 0; i < 6; ++i)
        d.RunTick();
    for (const auto& b : sink.Of(23, 23))
        top.push_back(b.y);
    EXPECT_EQ(top, (std::vector<int>{580, 582, 584, 586, 582, 580}));

    sink.blits.clear();
    d.m_nLaunchHeight = 4;
    d.m_nLaunchDir = 1;
    std::vector<int> bottom;
    for (int i = 0; i < 6; ++i)
        d.RunTick();
    for (const auto& b : sink.Of(23, 23))
        bottom.push_back(b.y);
    EXPECT_EQ(bottom, (std::vector<int>{4, 2, 0, -2, 4, 6}));
}

TEST(JixCharacters, PresentationPicturesByPreviewCounter)
{
    struct Case {
        const char* name;
        int32_t action, counter, hold0, hold1;
        std::vector<std::array<int, 3>> draws;  // slot, x, y
    };
    const Case cases[] = {
        {"main, first frame", 1, 0, 0, 0, {{922, 470, 300}}},
        {"main, 19", 1, 19, 0, 0, {{941, 160, 150}}},
        {"main, last", 1, 98, 0, 0, {{1020, 0, 0}}},
        {"first companion, 36", 2, 36, 0, 0, {{1057, 264, 0}}},
        {"first companion, 70 is out of range", 2, 70, 0, 0, {}},
        {"second companion, 86", 3, 86, 0, 0, {{1183, 160, 60}}},
        {"second companion, 145", 3, 145, 0, 0, {{1242, 337, 518}}},
        {"third companion, 95", 4, 95, 24, 0, {{1338, 438, 94}, {1440, 570, 178}}},
        {"third companion, 100, hold 30", 4, 100, 30, 0, {{1343, 438, 296}, {1446, 0, 0}}},
        {"third companion, 100, hold 48", 4, 100, 48, 0, {{1343, 438, 296}}},
        {"third companion, 110", 4, 110, 0, 24, {{1353, 438, 296}, {1392, 564, 186}}},
        {"third companion, 84", 4, 84, 0, 0, {{1327, 438, 94}}},
        {"none", 0, 10, 0, 0, {}},
    };
    for (const Case& c : cases) {
        Game g;
        CDemo& d = g.demo;
        d.m_nActionJix = c.action;
        d.m_nPreviewCounter = c.counter;
        d.m_anHoldCounter[0] = c.hold0;
        d.m_anHoldCounter[1] = c.hold1;
        RecordingDrawSink sink(g.host, d);
        d.DrawCharacterPicture();
        std::vector<std::array<int, 3>> draws;
        for (const auto& b : sink.blits) {
            draws.push_back({b.slot, b.x, b.y});
            EXPECT_TRUE(b.hasRect && b.rect.right == 1280 && b.rect.bottom == 768) << c.name;
        }
        EXPECT_EQ(draws, c.draws) << c.name;
    }
}

TEST(JixCharacters, ThirdCompanionHoldsTwiceWhileItsFlightsPlay)
{
    Game g;
    CDemo& d = g.demo;
    d.m_nActionJix = 4;
    d.m_nPreviewCounter = 80;
    d.m_nTickCount = 0;  // a step every 7th tick
    std::vector<int32_t> counters;
    for (int step = 0; step < 190; ++step) {
        for (int i = 0; i < 7; ++i)
            d.RunTick();
        counters.push_back(d.m_nPreviewCounter);
    }
    auto stepsAt = [&](int32_t value) {
        return std::count(counters.begin(), counters.end(), value);
    };
    EXPECT_EQ(stepsAt(85), 1);
    EXPECT_EQ(stepsAt(86), 31) << "held until the first hold counter passes 30";
    EXPECT_EQ(stepsAt(111), 41) << "held until the second passes 40";
    EXPECT_EQ(stepsAt(124), 1);
    EXPECT_EQ(counters.back() < 124, true) << "back to 0 after 124";
}

TEST(JixCharacters, TheNineteenPinsStandInFourColumns)
{
    Game g;
    RecordingDrawSink sink(g.host, g.demo);
    g.demo.DrawPinField();
    ASSERT_EQ(sink.blits.size(), 19u);
    std::set<std::array<int, 3>> pins;
    for (const auto& b : sink.blits)
        pins.insert({b.slot, b.x, b.y});
    EXPECT_EQ(pins.size(), 19u);
    EXPECT_EQ(pins.count({810, 340, 380}), 0u);
    EXPECT_EQ(pins.count({810, 430, 435}), 0u);
    EXPECT_EQ(pins.count({810, 430, 325}), 0u);
    EXPECT_EQ(pins.count({810, 430, 655}), 1u) << "the x = 430 column uses \"item/pin\"";
    int plain = 0;
    for (const auto& p : pins)
        plain += p[0] == 810;
    EXPECT_EQ(plain, 13);
    EXPECT_EQ(pins.count({811, 250, 105}), 1u);
}

TEST(JixBackground, ChangeSequenceTurnsOneBackgroundIntoTheNext)
{
    struct Case {
        int32_t side;
        int firstFrameSlot, frameStep;
        int32_t variantAfter;
        int frameSlotAfter;  // the dark-moon frame of the new background
    };
    // From background 1 (variant 0): side 0 plays bg01->bg02 forward, side 1 bg03->bg01 backward.
    const Case cases[] = {{0, 1677, 1, 1, 19}, {1, 1715 + 18, -1, 2, 20}};
    for (const Case& c : cases) {
        Game g;
        CDemo& d = g.demo;
        d.m_nCredit = 100;
        d.m_bCycleStarted = 1;
        d.m_nSide = c.side;
        d.m_nBgVariant = 0;
        d.m_nColourMode = 1;
        d.m_nScrollDir = 1;
        d.m_nScrollPos = -479;
        RecordingDrawSink sink(g.host, d);
        for (int tick = 0; tick < 15 * 23; ++tick)
            d.RunTick();
        // The frame picture of each tick, consecutive repeats folded.
        std::vector<int> frames;
        for (const auto& b : sink.blits)
            if (b.x == 0 && b.hasRect && b.rect.right == 792 &&
                (frames.empty() || frames.back() != b.slot))
                frames.push_back(b.slot);
        // Mode 1 ("trans") until the first step, then mode 2 (dark moon): past -269 moving back.
        std::vector<int> expected = {15, 18};
        for (int k = 0; k < 19; ++k)
            expected.push_back(c.firstFrameSlot + c.frameStep * k);
        expected.push_back(c.frameSlotAfter);
        EXPECT_EQ(frames, expected) << "side " << c.side;
        EXPECT_EQ(d.m_nBgVariant, c.variantAfter) << "side " << c.side;
        EXPECT_EQ(d.m_nScrollDir, 0) << "forward again below -499";
    }
}

}  // namespace
