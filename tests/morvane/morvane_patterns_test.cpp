// Every spin pattern lands each reel's stop in the middle row (y 251) on the ticks its constants
// give, run through the game state's own spin start as the per-tick process runs it.
#include <gtest/gtest.h>

#include <algorithm>

#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "MorvaneSpinPatterns.h"
#include "morvane_fakes.h"

using namespace morvane_test;

namespace {

struct Timing {
    int pattern;
    int reach[4];    // tick on which each reel first reaches its stop limit
    int lastSettle;  // the fourth reel's last settle tick
};

const Timing kTimings[] = {
    {0, {123, 153, 194, 235}, 255},
    {1, {109, 137, 166, 193}, 213},
    {2, {121, 151, 179, 207}, 227},
    {3, {109, 153, 194, 235}, 255},
};

bool DrawnAt(const std::vector<DrawCall>& draws, int32_t slot, float x, float y)
{
    return std::any_of(draws.begin(), draws.end(),
                       [&](const DrawCall& d) { return d.slot == slot && d.x == x && d.y == y; });
}

// A standalone game with credit for many spins, on the script's step 59 (its step 0 changes
// nothing).
struct StandaloneGame {
    StandaloneGame()
    {
        main.m_byNetworked = 0;
        main.m_nCredit = 100000;
        main.m_nScriptStep = 59;
    }
    // One step of the per-tick process in auto play. The first arms the spin; the next one starts
    // the reels from rest.
    void Step()
    {
        main.m_byAutoPlay = 1;
        main.Process();
    }
    FakeOwner owner{2, 0, true};
    RecordingIO io;
    CMorvaneMain main{&owner, 100, &io};
};

// Hands the game its spin record as the server's enter answer does.
void Enter(CMorvaneMain& main, const CMorvaneSpinData& record)
{
    uint8_t bytes[CMorvaneSpinData::kSize];
    WriteMorvaneSpinData(record, bytes);
    main.GetLink().OnAnsEnter(bytes, sizeof bytes);
}

}  // namespace

TEST(MorvanePatternsTest, EveryPatternLandsOnItsStops)
{
    struct Stops {
        int set;
        int32_t stops[4];
    };
    const Stops stopCases[] = {{1, {5, 5, 5, 5}}, {0, {0, 22, 11, 3}}, {2, {22, 0, 1, 21}}};
    for (const Timing& timing : kTimings) {
        for (const Stops& sc : stopCases) {
            const std::string name =
                "pattern " + std::to_string(timing.pattern) + " set " + std::to_string(sc.set);
            StandaloneGame game;
            CMorvaneMain& main = game.main;
            main.m_pSinHo->m_nSpinPattern = timing.pattern;
            CMorvaneSpinData record;
            record.nReelSet = sc.set;
            std::copy(std::begin(sc.stops), std::end(sc.stops), record.Array);
            Enter(main, record);
            game.Step();

            const MorvaneSpinPattern& p = g_MorvaneSpinPatterns[timing.pattern];
            int reach[4] = {0, 0, 0, 0};
            int lastSettle = 0;
            int takenOn = 0;
            for (int tick = 1; tick <= timing.lastSettle; ++tick) {
                main.m_byDrawFlag = tick == timing.lastSettle ? 1 : 0;
                game.Step();
                for (int r = 0; r < 4; ++r)
                    if (!reach[r] && main.ReelPos[r] >= p.aStopLimit[r])
                        reach[r] = tick;
                if (!lastSettle && main.ReelSettle[3] == kMorvaneSettleTicks)
                    lastSettle = tick;
                if (!takenOn && main.ResultTaken)
                    takenOn = tick;
            }
            EXPECT_EQ(takenOn, 30) << name;
            for (int r = 0; r < 4; ++r)
                EXPECT_EQ(reach[r], timing.reach[r]) << name << " reel " << r;
            EXPECT_EQ(lastSettle, timing.lastSettle) << name;
            EXPECT_EQ(main.m_nPendingWin, main.m_nWinAmount)
                << name << ": the win is completed on that tick";
            EXPECT_EQ(Count(game.io.m_Played, kMorvaneReelStopSound), 80) << name;

            for (int r = 0; r < 4; ++r) {
                const float x = float(main.ReelX[r]);
                auto slot = [&](int32_t stop) {
                    return MorvaneImageSlot(MorvaneImageSet::Symbols,
                                            MorvaneSymbolAt(sc.set, r, stop));
                };
                EXPECT_TRUE(DrawnAt(game.io.m_Draws, slot(sc.stops[r]), x, kMorvaneLandingY))
                    << name << " reel " << r;
                EXPECT_TRUE(DrawnAt(game.io.m_Draws, slot(sc.stops[r] + 1), x, 115))
                    << name << " reel " << r;
                EXPECT_TRUE(DrawnAt(game.io.m_Draws, slot(sc.stops[r] + 22), x, 387))
                    << name << " reel " << r;
            }
            for (const DrawCall& d : game.io.m_Draws) {
                if (d.slot < MorvaneImageSlot(MorvaneImageSet::Symbols) ||
                    d.slot >= MorvaneImageSlot(MorvaneImageSet::Symbols, kMorvaneSymbols))
                    continue;
                EXPECT_EQ(d.source.right, 146) << name;
                EXPECT_EQ(d.source.bottom, 125) << name;
            }
        }
    }
}

TEST(MorvanePatternsTest, QuickEndJumpsToTheEndOfThePause)
{
    for (int quick : {0, 1}) {
        StandaloneGame game;
        CMorvaneMain& main = game.main;
        main.DeckQuickEnd = quick;
        game.Step();
        for (int tick = 1; tick <= 256; ++tick) {
            game.Step();
            if (tick == 255) {
                EXPECT_EQ(main.SpinStep, 255) << "quick " << quick;
            }
        }
        // The fourth reel's 21st settle tick.
        EXPECT_EQ(main.SpinStep, quick ? 360 - 80 : 256) << "quick " << quick;
        EXPECT_EQ(main.ReelDelta[3], 0);
    }
}

TEST(MorvanePatternsTest, FeverStopAtRestMarksTheFeverEnd)
{
    StandaloneGame game;
    CMorvaneMain& main = game.main;
    CMorvaneSpinData record;
    record.FeverStop = 1;
    Enter(main, record);
    for (int tick = 0; tick <= 256; ++tick)
        game.Step();
    EXPECT_EQ(main.FeverEndDue, 1);
    EXPECT_EQ(main.SpinStep, 360 - 80);
}
