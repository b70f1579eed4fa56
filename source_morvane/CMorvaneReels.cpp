// The reel spin patterns: one tick of reel motion and the reels' drawing.
#include "CMorvaneMain.h"
#include "MorvaneSpinPatterns.h"

void CMorvaneMain::SpinReels0()
{
    SpinReels(0);
}
void CMorvaneMain::SpinReels1()
{
    SpinReels(1);
}
void CMorvaneMain::SpinReels2()
{
    SpinReels(2);
}
void CMorvaneMain::SpinReels3()
{
    SpinReels(3);
}

// The order of the steps below is what lands each stop in the window: full-speed test, speed
// schedule from the previous tick's positions, step count, phase rules, move, draw.
void CMorvaneMain::SpinReels(int32_t pattern)
{
    const MorvaneSpinPattern& p = g_MorvaneSpinPatterns[pattern];
    const int32_t firstPos = ReelPos[0];

    if (SpinStep >= 15 && firstPos < p.nFullSpeed)
        SpinPhase = 10;
    ApplySpeedSchedule(p);
    const int32_t n = ++SpinStep;
    RunSpinPhase(pattern, n, firstPos);

    for (int reel = 0; reel < kMorvaneReels; ++reel)
        ReelPos[reel] += ReelDelta[reel];

    DrawReels(pattern);

    if (ReelSettle[3] == kMorvaneSettleTicks)
        FinishWinAmount();
}

void CMorvaneMain::ApplySpeedSchedule(const MorvaneSpinPattern& p)
{
    for (int reel = 0; reel < kMorvaneReels; ++reel) {
        for (const MorvaneSpeedRange& range : p.aRanges[reel])
            if (range.nTo > range.nFrom && ReelPos[reel] >= range.nFrom &&
                ReelPos[reel] < range.nTo)
                ReelDelta[reel] = range.nSpeed;
        if (ReelPos[reel] >= p.aStopLimit[reel])
            SpinPhase = 30 + 10 * reel;
    }
}

void CMorvaneMain::RunSpinPhase(int32_t pattern, int32_t n, int32_t firstPos)
{
    const MorvaneSpinPattern& p = g_MorvaneSpinPatterns[pattern];
    switch (SpinPhase) {
    case 0:
        if (n < 15) {
            for (int32_t& delta : ReelDelta)
                delta = -10;
        } else {
            SpinPhase = 10;
        }
        break;
    case 10:
        if (n >= 15 && n < 30) {
            for (int32_t& delta : ReelDelta)
                delta = 30;
        } else if (n >= 30 && firstPos < p.nFullSpeed) {
            for (int32_t& delta : ReelDelta)
                delta = 59;
            if (ResultTaken == 0) {
                EndSpin();
                ResultTaken = 1;
            }
        }
        break;
    case 30:
    case 40:
    case 50:
    case 60:
        SettleReel(pattern);
        break;
    default:
        break;
    }
}

void CMorvaneMain::SettleReel(int32_t pattern)
{
    const int k = SpinPhase / 10 - 3;
    for (int reel = 0; reel < k; ++reel)
        ReelDelta[reel] = 0;
    if (SpinPhase == 50)
        DeckKeyRequest = 0;
    ++ReelSettle[k];
    if (SpinPhase == 60 && (pattern == 1 || pattern == 2) && ReelSettle[k] > 100000000)
        ReelSettle[k] = 10000;
    if (ReelSettle[k] <= kMorvaneSettleTicks) {
        ReelDelta[k] = -3;
        PlaySound(kMorvaneReelStopSound);
    } else if (SpinPhase != 60) {
        ReelDelta[k] = 0;
    } else if (m_Rec.FeverTime == 1 || (m_Rec.FeverStop == 1 && m_Rec.FeverTime == 0)) {
        // The step is held where the fever sequence starts until the sequence moves it on.
        if (m_Rec.FeverTime == 0)
            FeverEndDue = 1;
        SpinStep = 360 - SpinStepValue;
        for (int32_t& delta : ReelDelta)
            delta = 0;
    } else if (m_Rec.FeverTime == 0 && m_Rec.FeverStop == 0) {
        // The quick end shortens the pause after the last reel rests. It only ever moves the
        // step forward: held back on every tick, the spin could never reach its end.
        if (DeckQuickEnd == 1 && SpinStep < 360 - SpinStepValue)
            SpinStep = 360 - SpinStepValue;
        for (int32_t& delta : ReelDelta)
            delta = 0;
    }
}

void CMorvaneMain::DrawReels(int32_t pattern)
{
    if (!m_byDrawFlag)
        return;
    const MorvaneSpinPattern& p = g_MorvaneSpinPatterns[pattern];
    const MorvaneRect cell = {0, 0, 146, 125};
    const int32_t set = m_Rec.nReelSet;
    auto draw = [&](int reel, int32_t y, int32_t stop) {
        const int32_t symbol = MorvaneSymbolAt(set, reel, stop);
        DrawSprite(float(ReelX[reel]), float(y), MorvaneImageSlot(MorvaneImageSet::Symbols, symbol),
                   cell);
    };

    static constexpr int32_t kCopyRows[7][2] = {{-293, 4}, {-163, 3}, {-33, 2}, {119, 1},
                                                {249, 0},  {379, -1}, {509, -2}};
    for (int reel = 0; reel < kMorvaneReels; ++reel) {
        const int32_t s = m_Rec.Array[reel];
        for (int32_t c = 0; 1 + 840 * c <= p.aCopyLimit[reel]; ++c)
            for (const auto& row : kCopyRows)
                draw(reel, ReelPos[reel] - (1 + 840 * c) + row[0], s + row[1]);
    }

    for (int reel = 0; reel < kMorvaneReels; ++reel) {
        if (ReelPos[reel] > kMorvaneLandingHidden)
            continue;
        const int32_t s = m_Rec.Array[reel];
        const int32_t base = ReelPos[reel] - p.aLanding[reel];
        const int32_t lowerSecond = (reel == 0 || reel == 3) ? 268 : 258;
        const int32_t offsets[] = {-262, -136, 0, 136, lowerSecond, 388};
        for (int32_t i = 0; i < p.aStripLength[reel]; ++i) {
            const int32_t offset = i < 6 ? offsets[i] : 388 + 130 * (i - 5);
            draw(reel, base + offset, s + 2 - i);
        }
    }
}
