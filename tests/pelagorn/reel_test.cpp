// The reels: the built-in belts, the spin in each mode landing on its target, the stop sounds'
// pans, the stop timeline's requests to the scene, the prize stage and broken configurations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "CXDrawREEL.h"
#include "CXReelWaitPreset.h"
#include "engine/sound_files.h"
#include "pelagorn_fixture.h"

namespace {

constexpr float kDt = 1.0f / 240.0f;
constexpr float kCell = 100.0f;

// Every symbol kind 1..12 (0 and 11 are on no belt) with its own colour.
std::string SymbolKeys(const std::vector<int>& kinds)
{
    std::string text;
    for (int n : kinds)
        text += "REEL_" + std::to_string(n) + "=sym\\s" + std::to_string(n) + ".cfg\n";
    return text;
}

const std::vector<int> kAllKinds = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// SPEED 100 gives 500 px/s², VELOCITY 10 a spin-up distance of 300 px: 0.7746 s of spin-up.
const std::string kBase =
    "SPEED=100\nVELOCITY=10\nX_POS=10\nY_POS=100\nW=100\nH=100\nX_SPACE=20\n"
    "SOUND_REEL_STOP=30\nFAST_SPIN_COUNT=50,10,3,200\nHIGH_FAST_SPIN_COUNT=100,300\n"
    "REEL_IDLE_TICK=500\nREEL_PRIZE_TICK=1000\nREEL_PRIZE_IDLE_TICK=250\n";

class PelagornReel : public PelagornTest {
protected:
    void SetUp() override
    {
        PelagornTest::SetUp();
        ReelWaitPresets().Clear();
        for (int n : kAllKinds) {
            const uint32_t colour =
                0xFF000000u | (static_cast<uint32_t>(n * 19 + 40) << 16) | (n * 7u << 8) | 0x80u;
            WriteAnf("image/reel/sym/n" + std::to_string(n) + ".anf", 80, 60, {colour});
            WriteAnf("image/reel/sym/p" + std::to_string(n) + ".anf", 40, 30, {colour});
            WriteText("image/reel/sym/s" + std::to_string(n) + ".cfg",
                      "REEL=n" + std::to_string(n) + ".anf, p" + std::to_string(n) + ".anf\n");
        }
    }
    void TearDown() override
    {
        ReelWaitPresets().Clear();
        PelagornTest::TearDown();
    }
    void Load(const std::string& text)
    {
        WriteText("image/reel/reel.cfg", text);
        m_reel.m_pScene = &m_scene;
        m_reel.Init();
    }
    void Target(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
    {
        const uint32_t stops[4] = {a, b, c, d};
        m_reel.SetReelPosition(stops);
    }
    // Runs frames of kDt (the game clock follows) until the predicate holds; false after `limit` s.
    template <class F>
    bool RunUntil(F&& done, float limit = 20.0f)
    {
        for (float t = 0.0f; t < limit; t += kDt) {
            Step();
            if (done())
                return true;
        }
        return false;
    }
    // One frame: the scene's game clock follows the frame time.
    virtual void Step()
    {
        m_time += kDt;
        m_scene.now = static_cast<uint32_t>(m_time * 1000.0);
        m_reel.Update(kDt);
    }
    CXDrawReelBeltInfo& Belt(uint32_t i) { return *m_reel.GetBelt(i); }

    double m_time = 0.0;
    CXDrawREEL m_reel;
};

TEST_F(PelagornReel, BeltsKeepTheOrderOfTheBuiltInStrings)
{
    // Kind 7 is not configured: its places stay empty but still count.
    std::vector<int> kinds = kAllKinds;
    kinds.erase(std::find(kinds.begin(), kinds.end(), 7));
    Load(kBase + SymbolKeys(kinds));
    struct Case {
        uint32_t count;
        float delay;
        std::vector<int> head, tail;
    };
    const Case cases[4] = {
        {57, 0.0f, {3, 5, 2, 6, 3}, {8, 7, 4, 2}},
        {36, 0.2f, {2, 3, 1, 4, 10}, {8, 9, 7, 6}},
        {37, 0.3f, {3, 2, 4, 7, 5}, {1, 3, 2, 4}},
        {42, 0.1f, {4, 2, 3, 1, 6}, {12, 4, 2, 3, 5, 7, 8}},
    };
    ASSERT_EQ(m_reel.m_Belts.GetSize(), 4u);
    for (uint32_t i = 0; i < 4; ++i) {
        const Case& c = cases[i];
        CXDrawReelBeltInfo& belt = Belt(i);
        ASSERT_EQ(belt.GetCount(), c.count) << i;
        EXPECT_FLOAT_EQ(belt.m_fBaseDelay, c.delay) << i;
        EXPECT_LT(belt.m_nPosition, static_cast<int32_t>(c.count)) << i;
        auto symbol = [&](uint32_t j) {
            const CXDrawReelBeltObject* s = belt.m_Symbols.GetAt(j);
            return s ? s->m_nSymbol : 7;  // an empty place is where a 7 stands
        };
        for (size_t j = 0; j < c.head.size(); ++j)
            EXPECT_EQ(symbol(static_cast<uint32_t>(j)), c.head[j]) << i << " head " << j;
        for (size_t j = 0; j < c.tail.size(); ++j)
            EXPECT_EQ(symbol(static_cast<uint32_t>(c.count - c.tail.size() + j)), c.tail[j])
                << i << " tail " << j;
        int seen[13] = {};
        for (uint32_t j = 0; j < belt.GetCount(); ++j) {
            const CXDrawReelBeltObject* s = belt.m_Symbols.GetAt(j);
            if (!s) {
                continue;
            }
            ASSERT_EQ(s->m_pInfo, m_reel.m_Symbols.GetAt(static_cast<uint32_t>(s->m_nSymbol)))
                << i << " " << j;
            ++seen[s->m_nSymbol];
        }
        EXPECT_EQ(seen[0] + seen[11] + seen[7], 0) << i;
        EXPECT_EQ(seen[12], 1) << i;
        EXPECT_EQ(seen[10], 1) << i;
        EXPECT_EQ(seen[9], 1) << i;
    }
}

// One belt's history over a spin.
struct Track {
    float spinUp = -1.0f;     // game time at which the distance first passed the spin-up distance
    float stopStart = -1.0f;  // game time at which stopping began
    float stopEnd = -1.0f;    // game time at which the belt came to rest
    float runBeforeStop = 0.0f;   // the running time the stopping mirrors
    float lastStep = 0.0f;        // pixels moved in the last spinning frame
    float firstStopStep = -1.0f;  // pixels moved in the first stopping frame
    bool backwards = false;
    int stopFrames = 0;
    int32_t stopPan = 1000;
};

class PelagornReelSpin : public PelagornReel {
protected:
    // Runs a whole spin from StartSpin(count) and records each belt.
    std::vector<Track> Spin(int32_t count)
    {
        m_reel.StartSpin(count);
        std::vector<Track> tracks(4);
        std::vector<float> coordinate(4), start(4);
        auto place = [&](uint32_t i) {
            // Downward travel in pixels: lower indexes and a larger offset are further down.
            CXDrawReelBeltInfo& b = Belt(i);
            return -static_cast<float>(b.m_nPosition) * kCell + b.m_fOffset;
        };
        for (uint32_t i = 0; i < 4; ++i)
            coordinate[i] = place(i);
        const double begin = m_time;
        const bool done = RunUntil([&] {
            for (uint32_t i = 0; i < 4; ++i) {
                CXDrawReelBeltInfo& b = Belt(i);
                Track& t = tracks[i];
                const float now = static_cast<float>(m_time - begin);
                const float span = static_cast<float>(b.GetCount()) * kCell;
                float moved = std::fmod(place(i) - coordinate[i] + 2.0f * span, span);
                if (moved > span / 2.0f)
                    moved -= span;
                coordinate[i] = place(i);
                if (t.spinUp < 0.0f && b.m_fStopBegin > 0.0f)
                    t.spinUp = now;
                // The frame that turns into stopping does not move the belt; the next one puts it
                // where the target plus the remaining distance lies (a jump), and from then on it
                // runs down onto the target.
                if (t.stopStart >= 0.0f)
                    ++t.stopFrames;
                if (t.stopStart < 0.0f && b.m_bStopping) {
                    t.stopStart = now;
                    t.runBeforeStop = b.m_fStopBegin;
                } else if (t.stopFrames == 2 && b.m_bStopping) {
                    t.firstStopStep = moved;
                } else if (t.stopStart < 0.0f && b.m_bActive) {
                    t.lastStep = moved;
                }
                if (t.stopFrames >= 2 && b.m_bActive && moved < -0.01f)
                    t.backwards = true;
                if (b.m_bStopSoundDone && t.stopPan == 1000 && t.stopStart >= 0.0f)
                    t.stopPan =
                        m_reel.m_Sounds[m_reel.m_bySpinMode][CXDrawREEL::kSoundStop].GetPan();
                if (t.stopStart >= 0.0f && t.stopEnd < 0.0f && !b.m_bActive)
                    t.stopEnd = now;
            }
            return !m_reel.IsMoving();
        });
        EXPECT_TRUE(done) << "the reels came to rest";
        return tracks;
    }
};

TEST_F(PelagornReelSpin, EachBeltTurnsItsOwnTimeAndLandsOnItsTargetAlongTheMirroredCurve)
{
    Load(kBase + SymbolKeys(kAllKinds));
    Target(56, 0, 17, 30);
    const auto tracks = Spin(0);
    EXPECT_EQ(m_reel.m_bySpinMode, 0);
    const float turning[4] = {0.0f, 0.6f, 0.9f, 0.3f};  // STOP_DELAY 3 x the belt's delay
    const uint32_t targets[4] = {56, 0, 17, 30};
    for (uint32_t i = 0; i < 4; ++i) {
        const Track& t = tracks[i];
        SCOPED_TRACE(i);
        EXPECT_NEAR(t.stopStart - t.spinUp, turning[i], 2 * kDt);
        // The stopping phase lasts as long as the belt ran before it.
        EXPECT_NEAR(t.stopEnd - t.stopStart, t.runBeforeStop, 2 * kDt);
        // Same speed on both sides of the turn into stopping, and never backwards.
        EXPECT_NEAR(t.firstStopStep, t.lastStep, 0.05f * t.lastStep + 1.0f);
        EXPECT_FALSE(t.backwards);
        EXPECT_EQ(Belt(i).m_nPosition, static_cast<int32_t>(targets[i]));
        EXPECT_EQ(Belt(i).m_fOffset, 0.0f);
        EXPECT_EQ(Belt(i).m_bActive, 0);
    }
}

TEST_F(PelagornReelSpin, StopSoundsPanAcrossTheFourReels)
{
    Load(kBase + SymbolKeys(kAllKinds));
    Target(1, 2, 3, 4);
    const auto tracks = Spin(0);
    const int32_t pans[4] = {-100, -34, 33, 100};
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(tracks[i].stopPan, pans[i]) << i;
}

TEST_F(PelagornReelSpin, TheSpinLoopPlaysUntilTheReelThatBeganStoppingLastSoundsItsStop)
{
    m_folder.Write("image/reel/sym/loop.wav", sound_test::SilentWave(44100 * 5));
    m_folder.Write("image/reel/sym/stop.wav", sound_test::SilentWave(4410));
    Load(kBase + SymbolKeys(kAllKinds) +
         "0_SOUND_REEL_1=loop.wav,100,0,1.0,1\n0_SOUND_REEL_2=stop.wav\n");
    CX2DSound& loop = m_reel.m_Sounds[0][CXDrawREEL::kSoundSpin];
    ASSERT_NE(loop.GetSound(), nullptr);
    EXPECT_TRUE(loop.GetLoop());
    Target(1, 2, 3, 4);
    m_reel.StartSpin(0);
    // Reel 2 (delay 300 ms) begins stopping last; the loop plays on through the other stops.
    ASSERT_TRUE(RunUntil([&] {
        return Belt(0).m_bStopSoundDone && Belt(1).m_bStopSoundDone && Belt(3).m_bStopSoundDone;
    }));
    EXPECT_FALSE(Belt(2).m_bStopSoundDone);
    EXPECT_EQ(m_reel.m_iSoundReel, 2);
    EXPECT_TRUE(loop.IsPlaying());
    EXPECT_EQ(m_reel.m_fStopTime, 0.0f);
    ASSERT_TRUE(RunUntil([&] { return Belt(2).m_bStopSoundDone != 0; }));
    EXPECT_FALSE(loop.IsPlaying());
    EXPECT_GT(m_reel.m_fStopTime, 0.0f) << "the countdown to the prize starts";
}

TEST_F(PelagornReelSpin, TheSpinCountChoosesTheModeAndHighFastHalvesTheDelays)
{
    struct Case {
        const char* fast;
        int32_t count;
        uint8_t mode;
        float acceleration;
        float delayScale;
    };
    const Case cases[] = {
        {"FAST_SPIN_COUNT=50,10,3,200\n", 49, 0, 500.0f, 1.0f},
        {"FAST_SPIN_COUNT=50,1,1,200\n", 50, 1, 1000.0f, 1.0f},   // range 1, limit 1: always fast
        {"FAST_SPIN_COUNT=50,10,0,200\n", 60, 0, 500.0f, 1.0f},   // limit 0: never fast
        {"FAST_SPIN_COUNT=50,1,1,0\n", 60, 1, 500.0f, 1.0f},      // no fast speed: the normal one
        {"", 60, 0, 500.0f, 1.0f},                                // missing: never fast
        {"FAST_SPIN_COUNT=50,1,1,200\n", 100, 2, 1500.0f, 0.5f},  // high fast from 100
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.fast) + std::to_string(c.count));
        std::string text = kBase;
        text.replace(text.find("FAST_SPIN_COUNT=50,10,3,200\n"), 28, c.fast);
        Load(text + SymbolKeys(kAllKinds));
        Target(5, 6, 7, 8);
        m_reel.StartSpin(c.count);
        EXPECT_EQ(m_reel.m_bySpinMode, c.mode);
        for (uint32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(Belt(i).m_fAcceleration, c.acceleration) << i;
            EXPECT_FLOAT_EQ(Belt(i).m_fStartDelay, Belt(i).m_fBaseDelay * c.delayScale) << i;
        }
        EXPECT_TRUE(RunUntil([&] { return !m_reel.IsMoving(); }));
        for (uint32_t i = 0; i < 4; ++i)
            EXPECT_EQ(Belt(i).m_nPosition, static_cast<int32_t>(5 + i)) << i;
    }
}

TEST_F(PelagornReelSpin, AutoHoldTurnsOnlyTheHeldReelWithItsOwnDelayAndStretchedStop)
{
    Load(kBase + "AUTOHOLD_SPIN_TICK=400\nAUTOHOLD_SPIN_STOP_DELAY=2\n" + SymbolKeys(kAllKinds));
    const int32_t before[4] = {Belt(0).m_nPosition, Belt(1).m_nPosition, Belt(2).m_nPosition,
                               Belt(3).m_nPosition};
    m_scene.autoHold = true;
    m_scene.heldReel = 3;
    Target(1, 2, 3, 4);
    const auto tracks = Spin(500);
    EXPECT_EQ(m_reel.m_bySpinMode, 2);
    for (uint32_t i = 0; i < 3; ++i)
        EXPECT_EQ(Belt(i).m_nPosition, before[i]) << i;
    EXPECT_EQ(Belt(3).m_nPosition, 4);
    const Track& t = tracks[3];
    // Spin-up takes sqrt(300 / 500) s after the 0.4 s tick; it turns 3 x 0.4 s more; the stop
    // takes twice the running time.
    EXPECT_NEAR(t.spinUp, 0.4f + std::sqrt(0.6f), 2 * kDt);
    EXPECT_NEAR(t.stopStart - t.spinUp, 1.2f, 2 * kDt);
    EXPECT_NEAR(t.stopEnd - t.stopStart, 2.0f * t.runBeforeStop, 3 * kDt);
}

TEST_F(PelagornReelSpin, TheAircraftWaitHoldsTheReelsUntilItsDelayHasPassed)
{
    WriteAnf("image/reel/fx/plane.anf", 10, 10, {0xFFFFFFFF}, 2, "FPS=10\n");
    WriteAnf("image/reel/fx/left.anf", 10, 10, {0xFFFFFFFF}, 2, "FPS=10\n");
    Load(kBase +
         "AUTOHOLD_SPIN_AIRCRAFT_LEFT=0,0,fx/plane.anf,300\nAUTOHOLD_SPIN_EFFECT_LEFT=5,6,fx/"
         "left.anf\n" +
         SymbolKeys(kAllKinds));
    m_scene.autoHold = true;
    m_scene.heldReel = 1;
    m_scene.now = 1000;
    m_time = 1.0;
    m_reel.StartSpin(0);
    EXPECT_EQ(m_reel.m_nAircraftState, CXDrawREEL::kAircraftLeft);
    EXPECT_TRUE(m_reel.m_Aircraft[0].IsPlaying());
    EXPECT_FALSE(m_reel.m_AutoHoldEffects[0].IsPlaying());
    // 0.3 s of game time: the belt has not moved.
    while (m_time < 1.29)
        Step();
    EXPECT_EQ(Belt(1).m_fElapsed, 0.0f);
    EXPECT_EQ(m_reel.m_nAircraftState, CXDrawREEL::kAircraftLeft);
    RunUntil([&] { return m_reel.m_nAircraftState == CXDrawREEL::kAircraftNone; }, 0.1f);
    EXPECT_EQ(m_reel.m_nAircraftState, CXDrawREEL::kAircraftNone);
    EXPECT_TRUE(m_reel.m_AutoHoldEffects[0].IsPlaying());
    EXPECT_TRUE(RunUntil([&] { return !m_reel.IsMoving(); }));
}

TEST_F(PelagornReel, PositionsOutsideABeltAreRefusedAndTheOldTargetStays)
{
    Load(kBase + SymbolKeys(kAllKinds));
    Target(10, 11, 12, 13);
    Target(57, 35, 0xFFFFFFFFu, 42);
    EXPECT_EQ(Belt(0).m_nTarget, 10);
    EXPECT_EQ(Belt(1).m_nTarget, 35);
    EXPECT_EQ(Belt(2).m_nTarget, 12);
    EXPECT_EQ(Belt(3).m_nTarget, 13);
}

// A scene whose prize marking does what the game scene's does.
class PrizeScene : public FakeScene {
public:
    void ShowReelPrize() override
    {
        FakeScene::ShowReelPrize();
        const bool shown = reel->ShowPrizeEffect(totalWin, effect);
        for (uint32_t row = 0; row < 3; ++row)
            for (uint32_t r = 0; r < 4; ++r)
                if (marks[row][r])
                    reel->MarkPrizeSymbol(r, row, !shown);
    }
    CXDrawREEL* reel = nullptr;
    int32_t effect = 0;
    bool marks[3][4] = {};
};

class PelagornReelTimeline : public PelagornReel {
protected:
    void Load(const std::string& text)
    {
        WriteText("image/reel/reel.cfg", text);
        m_prizes.reel = &m_reel;
        m_reel.m_pScene = &m_prizes;
        m_reel.Init();
    }
    void Step() override
    {
        m_time += kDt;
        m_prizes.now = static_cast<uint32_t>(m_time * 1000.0);
        m_reel.Update(kDt);
    }
    void Run(float seconds)
    {
        for (float t = 0.0f; t < seconds; t += kDt)
            Step();
    }
    PrizeScene m_prizes;
};

TEST_F(PelagornReelTimeline, ALosingSpinSendsReelsStoppedResultAndGameFinOnceEach)
{
    Load(kBase + SymbolKeys(kAllKinds));
    m_prizes.spinDataHeld = true;
    Target(1, 2, 3, 4);
    m_reel.StartSpin(0);
    ASSERT_TRUE(RunUntil([&] { return !m_reel.IsMoving(); }));
    EXPECT_GT(m_reel.m_fStopTime, 0.0f) << "the countdown to the prize runs";
    EXPECT_EQ(m_prizes.prizesShown, 0);
    ASSERT_TRUE(RunUntil([&] { return m_prizes.prizesShown > 0; }, 0.3f));
    EXPECT_EQ(m_prizes.sent42, 1);
    EXPECT_EQ(m_prizes.sent39, 1) << "a spin without a win asks for the result at the stop";
    EXPECT_EQ(m_prizes.sentGameFin, 0);
    Run(1.0f);
    // The server answers: no further result (40 confirmed the end).
    m_prizes.resultPending = false;
    m_prizes.spinEndConfirmed = true;
    Run(1.0f);
    EXPECT_EQ(m_prizes.sentGameFin, 1);
    Run(3.0f);
    EXPECT_EQ(m_prizes.prizesShown, 1);
    EXPECT_EQ(m_prizes.sent42, 1);
    EXPECT_EQ(m_prizes.sent39, 1);
    EXPECT_EQ(m_prizes.sentGameFin, 1);
    EXPECT_EQ(m_prizes.scrollRequests, 0) << "no next spin while the spin data is held";
    // The game-fin answer closes the cycle; with spins left the next spin is asked for after
    // the idle time.
    m_prizes.spinDataHeld = false;
    m_prizes.spinsLeft = 3;
    Run(0.45f);
    EXPECT_EQ(m_prizes.scrollRequests, 0);
    Run(0.1f);
    EXPECT_EQ(m_prizes.scrollRequests, 1);
}

TEST_F(PelagornReelTimeline, StandaloneAndDemoGamesSendWhatTheyMay)
{
    struct Case {
        bool standalone, demo;
        int sent42, sent39;
    };
    for (const Case c :
         {Case{true, false, 0, 1}, Case{false, true, 1, 0}, Case{true, true, 0, 0}}) {
        SCOPED_TRACE(std::to_string(c.standalone) + std::to_string(c.demo));
        m_prizes = PrizeScene{};
        m_prizes.standalone = c.standalone;
        m_prizes.demo = c.demo;
        Load(kBase + SymbolKeys(kAllKinds));
        Target(1, 2, 3, 4);
        m_reel.StartSpin(0);
        ASSERT_TRUE(RunUntil([&] { return m_prizes.prizesShown > 0; }));
        Run(0.5f);
        EXPECT_EQ(m_prizes.sent42, c.sent42);
        EXPECT_EQ(m_prizes.sent39, c.sent39);
    }
}

TEST_F(PelagornReelTimeline, AWinningSpinMarksItsSymbolsAsksOnceAndEndsWhenTheEffectStops)
{
    WriteAnf("image/reel/fx/e1.anf", 10, 10, {0xFFFFFFFF}, 2, "FPS=10\n");  // loops
    Load(kBase + "REEL_PRIZE_EFFECT=100,200,1,image/reel/fx/e%d.anf,image/reel/fx/p%d.ptf\n" +
         SymbolKeys(kAllKinds));
    m_prizes.totalWin = 500;
    m_prizes.effect = 1;
    m_prizes.marks[1][0] = m_prizes.marks[1][1] = true;
    Target(1, 2, 3, 4);
    m_reel.StartSpin(0);
    ASSERT_TRUE(RunUntil([&] { return m_prizes.prizesShown > 0; }));
    EXPECT_EQ(m_prizes.sent39, 0) << "a win asks in the prize stage, not at the stop";
    EXPECT_EQ(m_reel.m_PrizeNumber.m_dwTarget, 500u);
    ASSERT_NE(m_reel.m_pEffect, nullptr);
    EXPECT_EQ(m_prizes.reelWaits, std::vector<uint32_t>({1, 1}))
        << "one preset start per marked symbol";
    EXPECT_EQ(Belt(0).SymbolAt(2)->m_bMarked, 1) << "row 1 of reel 0 is its target + 1";
    EXPECT_EQ(Belt(1).SymbolAt(3)->m_bMarked, 1);
    EXPECT_EQ(Belt(0).SymbolAt(1)->m_bMarked, 0);
    Run(0.1f);
    EXPECT_EQ(m_prizes.sent39, 1);
    // The looping effect keeps the stage open past the prize tick.
    Run(2.0f);
    EXPECT_EQ(m_prizes.sent39, 1);
    EXPECT_TRUE(m_prizes.finishedEffects.empty());
    EXPECT_LT(m_reel.m_fPrizeTime, 0.0f);
    m_reel.m_pEffect->Stop();
    Step();
    EXPECT_EQ(m_prizes.finishedEffects, std::vector<int32_t>({1}));
    EXPECT_EQ(m_reel.m_fPrizeTime, 0.0f);
    EXPECT_EQ(m_reel.m_pEffect, nullptr);
    EXPECT_EQ(Belt(0).SymbolAt(2)->m_bMarked, 0);
    EXPECT_EQ(m_reel.m_PrizeNumber.m_dwTarget, 0u);
    Run(2.0f);
    EXPECT_EQ(m_prizes.finishedEffects.size(), 1u);
    EXPECT_EQ(m_prizes.sent39, 1);
}

TEST_F(PelagornReel, ShakePresetsFollowTheEffectCount)
{
    std::string shake = "REEL_SHAKE_0=1,4,5,30";
    for (int k = 0; k < 21; ++k)
        shake += "," + std::to_string(100 + k);
    Load(kBase + "REEL_PRIZE_EFFECT=0,0,2,image/reel/fx/e%d.anf,image/reel/fx/p%d.ptf\n" + shake +
         "\nREEL_SHAKE_1=0,1,1,10,50,1\n" +
         "REEL_WAIT_0=1500\nREEL_WAIT_1=700,9\nREEL_WAIT_2=900\n" + SymbolKeys(kAllKinds));
    const CXReelWaitPreset& first = *ReelWaitPresets().Get(0);
    EXPECT_EQ(first.byRepeat, 1);
    EXPECT_EQ(first.nShakeWidth, 4);
    EXPECT_EQ(first.nShakeInterval, 30);
    EXPECT_EQ(first.nCount, 10) << "25 fields store 10 pairs";
    EXPECT_EQ(first.entries[9].nDuration, 118);
    EXPECT_EQ(first.fWait, 1500.0f);
    EXPECT_EQ(ReelWaitPresets().Get(1)->nIndex, 1);
    EXPECT_EQ(ReelWaitPresets().Get(1)->fWait, 700.0f);
    EXPECT_EQ(ReelWaitPresets().Get(2)->fWait, 0.0f) << "beyond the effect count";

    ReelWaitPresets().Clear();
    CXDrawREEL none;
    WriteText("image/reel/reel.cfg",
              kBase + "REEL_PRIZE_EFFECT=0,0,0,image/reel/e%d.anf,image/reel/p%d.ptf\n" + shake +
                  "\n");
    none.Init();
    EXPECT_EQ(ReelWaitPresets().Get(0)->nCount, 0) << "no effects, no presets";
}

TEST_F(PelagornReel, FoldScaleReflectsIntoItsBandInClosedForm)
{
    struct Case {
        float in, out;
    };
    const Case cases[] = {
        {1.0f, 1.0f},
        {0.85f, 0.85f},
        {0.5f, 1.2f},
        {1.9f, 1.67334f},
        {-1.0f, 0.87334f},
        {5.0f, 1.25332f},
        {std::numeric_limits<float>::quiet_NaN(), 1.0f},
        {std::numeric_limits<float>::infinity(), 1.0f},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(CXDrawREEL::FoldScale(c.in), c.out, 1e-4f) << c.in;
    for (float s : {1.78667f, 1e9f, -1e9f, 3.57334f}) {
        const float f = CXDrawREEL::FoldScale(s);
        EXPECT_GE(f, 0.85f) << s;
        EXPECT_LT(f, 1.78667f) << s;
    }
}

TEST_F(PelagornReel, ConfigurationFallbacks)
{
    Load("H=100\nAUTOHOLD_SPIN_STOP_DELAY=0.4\nREEL_PRIZE_TICK=0\nSPEED=0\n" +
         SymbolKeys(kAllKinds));
    EXPECT_EQ(m_reel.m_fAutoHoldStopDelay, 1.0f);
    EXPECT_EQ(m_reel.m_dwHighFastSpinCount, 10u);
    EXPECT_EQ(m_reel.m_fHighFastSpeed, 780.0f);
    EXPECT_EQ(m_reel.m_fPrizeTick, 1.0f) << "a zero prize tick is refused";
    EXPECT_EQ(m_reel.m_fSpeed, 100.0f) << "a zero acceleration is refused";
    EXPECT_EQ(m_reel.m_fVelocity, 1000.0f);
    EXPECT_EQ(m_reel.m_dwStopDelay, 3u);
    EXPECT_EQ(m_reel.m_dwDisplayLine, 6u);
    EXPECT_EQ(m_reel.m_dwDisplayLineDummy, 2u);
}

TEST_F(PelagornReelTimeline, BrokenConfigurationsStillCompleteTheSpin)
{
    const std::string broken[] = {
        "H=0\nSPEED=100\n",  // no cell height: the belts do not scroll
        "W=100\nH=100\n",    // no FAST_SPIN_COUNT, no SPEED
        "H=-5\nSPEED=-3\nVELOCITY=-1\nSTOP_DELAY=4294967295\nDISPLAY_LINE=99999\n",
        "H=100\nSPEED=nan\nVELOCITY=1e30\nREEL_PRIZE_SCALE=1e30\nREEL_PRIZE_EFFECT=0,0,999999,%s%n,"
        "%n\n",
    };
    for (const std::string& text : broken) {
        SCOPED_TRACE(text);
        m_prizes = PrizeScene{};
        m_prizes.totalWin = 100;
        m_prizes.marks[0][0] = true;
        CXDrawREEL reel;
        m_prizes.reel = &reel;
        reel.m_pScene = &m_prizes;
        WriteText("image/reel/reel.cfg", text + SymbolKeys(kAllKinds));
        reel.Init();
        const uint32_t stops[4] = {3, 3, 3, 3};
        reel.SetReelPosition(stops);
        reel.StartSpin(1000);
        bool shown = false;
        for (float t = 0.0f; t < 60.0f && !shown; t += 0.01f) {
            reel.Update(0.01f);
            shown = m_prizes.prizesShown > 0;
        }
        // STOP_DELAY 4294967295 x reel 0's delay 0 still stops; the others never come down to
        // rest in a minute, which is what that setting asks for.
        if (text.find("STOP_DELAY") == std::string::npos) {
            EXPECT_TRUE(shown);
            for (uint32_t i = 0; i < 4; ++i)
                EXPECT_EQ(reel.GetBelt(i)->m_nPosition, 3) << i;
        }
        DrawFrame([&] {
            reel.Draw();
            reel.DrawEffects();
            reel.DrawSymbols();
        });
    }
    // No reel.cfg at all: no belts, and every operation does nothing.
    std::filesystem::remove(m_folder.Path() / "image/reel/reel.cfg");
    CXDrawREEL empty;
    empty.m_pScene = &m_prizes;
    empty.Init();
    EXPECT_EQ(empty.m_Belts.GetSize(), 0u);
    const uint32_t stops[4] = {0, 0, 0, 0};
    empty.SetReelPosition(stops);
    empty.StartSpin(0);
    empty.MarkPrizeSymbol(2, 1, true);
    empty.ResetReels();
    empty.Update(0.1f);
    DrawFrame([&] {
        empty.Draw();
        empty.DrawSymbols();
    });
}

TEST_F(PelagornReel, SymbolsStandOnTheBottomOfTheirCellsAndMarkedOnesMoveToTheTopLayer)
{
    Load(kBase + "DISPLAY_LINE=3\nDISPLAY_LINE_DUMMY=0\nREEL_PRIZE_SCALE=150\n" +
         SymbolKeys(kAllKinds));
    Target(0, 0, 0, 0);
    for (uint32_t i = 0; i < 4; ++i)
        Belt(i).m_nPosition = 0;  // reel 0 shows 3, 5, 2 from the top
    m_reel.MarkPrizeSymbol(0, 1, false);
    DrawFrame([&] { m_reel.Draw(); });
    // Reel 0 at x 10..110, rows from y 100; the 80 x 60 normal picture is centred and stands on
    // the cell's bottom: x 20..100, y 140..200 for row 0.
    const uint32_t three = Pixel(50, 150), five = Pixel(50, 250);
    EXPECT_NE(three, 0u);
    EXPECT_EQ(Pixel(50, 135), 0u);
    EXPECT_EQ(five, 0u) << "the marked symbol is left to DrawSymbols";
    DrawFrame([&] { m_reel.DrawSymbols(); });
    // The 40 x 30 prize picture at scale 1 (start of the prize), centred in the cell: x 40..80,
    // y 235..265.
    EXPECT_NE(Pixel(60, 250), 0u);
    EXPECT_EQ(Pixel(35, 250), 0u);
    EXPECT_EQ(Pixel(60, 150), 0u);
    // Mid-prize the scale would be 1.2 x 1.5 = 1.8; folded to 1.77334 and held at the configured
    // 1.5: 60 x 45, centred: x 30..90, y 227..272.
    m_reel.m_fPrizeTime = m_reel.m_fPrizeTick / 2.0f;
    DrawFrame([&] { m_reel.DrawSymbols(); });
    EXPECT_NE(Pixel(32, 250), 0u);
    EXPECT_NE(Pixel(60, 229), 0u);
    EXPECT_EQ(Pixel(27, 250), 0u);
    EXPECT_EQ(Pixel(60, 225), 0u);
}

}  // namespace

namespace {

TEST_F(PelagornReelTimeline, ResetReelsStopsEverythingAndClearsThePrize)
{
    WriteAnf("image/reel/fx/e1.anf", 10, 10, {0xFFFFFFFF}, 2, "FPS=10\n");
    Load(kBase +
         "REEL_PRIZE_EFFECT=100,200,1,image/reel/fx/e%d.anf,image/reel/fx/"
         "p%d.ptf\nREEL_PRIZE_SCORE=300,40,0,100,sym/n1.anf,%d\n" +
         SymbolKeys(kAllKinds));
    m_prizes.totalWin = 700;
    m_prizes.effect = 1;
    m_prizes.marks[0][2] = true;
    Target(1, 2, 3, 4);
    m_reel.StartSpin(0);
    ASSERT_TRUE(RunUntil([&] { return m_prizes.prizesShown > 0; }));
    ASSERT_NE(m_reel.m_pEffect, nullptr);
    m_reel.StartSpin(0);  // a spin under way when the demo starts
    Run(0.3f);
    m_reel.ResetReels();
    EXPECT_FALSE(m_reel.IsMoving());
    EXPECT_EQ(m_reel.m_pEffect, nullptr);
    EXPECT_EQ(m_reel.m_fPrizeTime, 0.0f);
    EXPECT_EQ(m_reel.m_fStopTime, 0.0f);
    EXPECT_EQ(m_reel.m_PrizeNumber.m_dwTarget, 0u);
    EXPECT_EQ(m_reel.m_PrizeNumber.m_dShown, 0.0) << "mode 0 shows the new target at once";
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Belt(i).m_nTarget, 0) << i;
        EXPECT_EQ(Belt(i).m_bStopSoundDone, 1) << i;
        EXPECT_EQ(Belt(i).m_fOffset, 0.0f) << i;
        for (uint32_t j = 0; j < Belt(i).GetCount(); ++j)
            EXPECT_EQ(Belt(i).SymbolAt(j)->m_bMarked, 0) << i << " " << j;
    }
    // Nothing left to run: no prize, no request.
    const int shown = m_prizes.prizesShown;
    Run(3.0f);
    EXPECT_EQ(m_prizes.prizesShown, shown);
    EXPECT_TRUE(m_prizes.finishedEffects.empty());
    // The prize that was cut short does not keep the next one from asking for its result.
    m_prizes.resultPending = false;
    const int asked = m_prizes.sent39;
    m_reel.StartSpin(0);
    ASSERT_TRUE(RunUntil([&] { return m_prizes.prizesShown > shown; }));
    Run(0.1f);
    EXPECT_EQ(m_prizes.sent39, asked + 1);
}

}  // namespace
