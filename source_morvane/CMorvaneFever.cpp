// The fever start and end sequences (rock and curtain styles) and the three reel effects.
#include <algorithm>

#include "CMorvaneMain.h"

namespace {

using S = MorvaneImageSet;

constexpr MorvaneRect kStones = {0, 0, 800, 459};
constexpr MorvaneRect kLock = {0, 0, 320, 140};
constexpr MorvaneRect kCurtainHalf = {0, 0, 400, 461};

constexpr int32_t kLockSound = 28;
constexpr int32_t kKeyStopSound = 29;
constexpr int32_t kRockCloseSound = 30;
constexpr int32_t kCurtainOpenSound = 22;
constexpr int32_t kFinishSteps = 10;

// Every n ticks the key-and-lock frame advances, by the sequence counter.
int32_t LockPeriod(int32_t c)
{
    if (c < 250)
        return 3;
    if (c < 400)
        return 1;
    if (c < 500)
        return 3;
    if (c < 600)
        return 5;
    if (c < 700)
        return 7;
    if (c < 900)
        return 10;
    return 0;  // held
}

}  // namespace

void CMorvaneMain::InstallFeverReels()
{
    const int32_t sum = m_Rec.MoSumState;
    if ((sum >= 20 && sum <= 22) || (sum >= 41 && sum <= 43)) {
        m_Rec.nReelSet = 1;
        std::fill(std::begin(m_Rec.Array), std::end(m_Rec.Array), 5);
    } else if (sum >= 30 && sum <= 32) {
        m_Rec.nReelSet = 2;
    }
}

void CMorvaneMain::ReturnNormalReels()
{
    m_Rec.nReelSet = 0;
    std::copy(std::begin(m_Rec.FeverReel), std::end(m_Rec.FeverReel), std::begin(m_Rec.Array));
    for (int32_t& stop : m_Rec.Array)
        stop = ((stop % kMorvaneStops) + kMorvaneStops) % kMorvaneStops;
    std::fill(std::begin(m_Rec.Win), std::end(m_Rec.Win), 0);
    std::fill(std::begin(m_Rec.Free), std::end(m_Rec.Free), 0);
    if (m_Rec.MoFever > 0)
        --m_Rec.MoFever;
}

void CMorvaneMain::EndFeverSequence()
{
    m_nFeverSeq = 0;
    m_nFeverFrame = 0;
    m_nFeverLockFrame = 0;
    m_nFeverFinish = 0;
    m_nFeverBurst = 0;
    m_byFeverSwapped = 0;
    SpinStep = 500;
}

void CMorvaneMain::FeverStartRock()
{
    const int32_t c = ++m_nFeverSeq;
    if (c < 200) {
        if (c % 5 == 0 && ++m_nFeverFrame > 17) {
            m_nFeverFrame = 18;
            std::fill(std::begin(m_Rec.Free), std::end(m_Rec.Free), 0);
        }
    } else if (c < 1000) {
        m_nFeverFrame = 13;
        const int32_t period = LockPeriod(c);
        if (period > 0 && c % period == 0 && ++m_nFeverLockFrame > 15)
            m_nFeverLockFrame = 0;
        if (c < 800) {
            PlaySound(kLockSound);
        } else {
            StopSound(kLockSound);
            PlaySound(kKeyStopSound);
        }
        InstallFeverReels();
    } else if (m_Rec.FeverCue2 == 1) {
        // Closing style 1: the stones burst.
        if (c % 5 == 0)
            ++m_nFeverBurst;
        if (m_nFeverBurst > 12) {
            ++m_nFeverFinish;
            std::fill(std::begin(m_Rec.Free), std::end(m_Rec.Free), 0);
        }
    } else {
        if (c % 8 == 0 && m_nFeverFrame > 0 && --m_nFeverFrame == 12)
            PlaySound(kRockCloseSound);
        if (m_nFeverFrame == 0)
            ++m_nFeverFinish;
    }
    DrawSprite(0, 84, S::Stones, std::min(m_nFeverFrame, 18), kStones);
    if (c >= 200 && c < 1000)
        DrawSprite(240, 233, S::KeyAndLock, m_nFeverLockFrame, kLock);
    if (c >= 1000 && m_Rec.FeverCue2 == 1)
        DrawSprite(0, 84, S::StoneBursts, std::min(m_nFeverBurst, 14), kStones);
    // The closing steps end by 1150 whatever the style.
    if (m_nFeverFinish > kFinishSteps || c >= 1150) {
        m_Rec.FeverTime = 0;
        EndFeverSequence();
    }
}

void CMorvaneMain::FeverEndRock()
{
    const int32_t c = ++m_nFeverSeq;
    if (c < 150) {
        if (c >= 5 && c % 5 == 0) {
            if (m_nFeverFrame >= 18 && !m_byFeverSwapped) {
                ReturnNormalReels();
                m_byFeverSwapped = 1;
                m_nFeverFrame = 13;
            } else if (!m_byFeverSwapped && ++m_nFeverFrame > 17) {
                m_nFeverFrame = 18;
            }
        }
    } else if (FeverEndDue == 1) {
        if (c % 3 == 0 && m_nFeverFrame > 0)
            --m_nFeverFrame;
        if (m_nFeverFrame == 0)
            ++m_nFeverFinish;
    }
    if (m_nFeverFinish == 0)
        DrawSprite(0, 84, S::Stones, m_nFeverFrame, kStones);
    if (m_nFeverFinish > kFinishSteps) {
        m_Rec.FeverStop = 0;
        FeverEndDue = 0;
        EndFeverSequence();
    }
}

void CMorvaneMain::RunCurtain(bool start)
{
    const int32_t c = ++m_nFeverSeq;
    if (c == 1 && !start && m_Rec.FeverCue2 > 0)
        m_Rec.FeverCue2 = 0;
    if (c < 100) {
        if (c >= 5 && c % 10 == 0 && ++m_nFeverFrame >= 8) {
            m_nFeverFrame = 7;
            if (!m_byFeverSwapped) {
                m_byFeverSwapped = 1;
                if (start) {
                    InstallFeverReels();
                    std::fill(std::begin(m_Rec.Free), std::end(m_Rec.Free), 0);
                } else {
                    ReturnNormalReels();
                }
            }
        }
    } else if ((start ? m_Rec.FeverTime : FeverEndDue) == 1) {
        if (c % 5 == 0 && m_nFeverFrame > 0 && --m_nFeverFrame == 5 && start)
            PlaySound(kCurtainOpenSound);
        if (m_nFeverFrame == 0)
            ++m_nFeverFinish;
    }
    if (m_nFeverFinish == 0) {
        DrawSprite(0, 83, S::Curtain, m_nFeverFrame, kCurtainHalf);
        DrawSprite(400, 83, S::Curtain, 8 + m_nFeverFrame, kCurtainHalf);
    }
    if (m_nFeverFinish > kFinishSteps) {
        if (start) {
            m_Rec.FeverTime = 0;
            m_nCurtainFlag = 1;
        } else {
            m_Rec.FeverStop = 0;
            FeverEndDue = 0;
            m_nCurtainFlag = 0;
        }
        EndFeverSequence();
    }
}

void CMorvaneMain::FeverEndCurtain()
{
    RunCurtain(false);
}
void CMorvaneMain::FeverStartCurtain()
{
    RunCurtain(true);
}

namespace {

constexpr int32_t kHorseBegin = 24, kHorseHowl = 25, kHorseEnd = 26;
constexpr int32_t kFigureSound = 33;

struct Band {
    int32_t last;  // last frame of the band
    float x, y, w, h;
};

constexpr Band kHorseBands[] = {{5, 744, 228, 56, 120},
                                {40, 600, 200, 200, 300},
                                {100, 300, 150, 400, 400},
                                {169, 100, 150, 400, 400}};
constexpr Band kFigureBands[] = {{5, 653, 185, 147, 193},
                                 {11, 534, 164, 266, 275},
                                 {17, 436, 184, 364, 291},
                                 {35, 250, 150, 400, 300},
                                 {55, 50, 150, 400, 300}};

template <size_t N>
const Band& BandOf(const Band (&bands)[N], int32_t frame)
{
    for (const Band& band : bands)
        if (frame <= band.last)
            return band;
    return bands[N - 1];
}

}  // namespace

bool CMorvaneMain::WinShownPastRun() const
{
    return m_nPendingWin > 0 && ReelSettle[3] > m_nSettleWait;
}

void CMorvaneMain::DrawSmokeA()
{
    if (++m_nSmokeTick > 100000)
        m_nSmokeTick = 0;
    if (m_nSmokeTick % 5 == 0) {
        if (!m_bySmokeBack && ++m_nSmokeFrame >= 19)
            m_bySmokeBack = 1;
        else if (m_bySmokeBack && --m_nSmokeFrame <= 0)
            m_bySmokeBack = 0;
    }
    DrawSprite(192, 0, S::LightBoom, std::clamp(m_nSmokeFrame, 0, 19), {0, 0, 416, 550});
}

void CMorvaneMain::DrawSmokeB()
{
    if (++m_nSmokeTick > 100000)
        m_nSmokeTick = 0;
    if (m_nSmokeTick % 5 == 0 && ++m_nSmokeFrame > 169)
        m_nSmokeFrame = 0;
    const int32_t f = m_nSmokeFrame;
    if (WinShownPastRun()) {
        StopSound(kHorseBegin);
        StopSound(kHorseHowl);
        StopSound(kHorseEnd);
    } else if (m_nSmokeTick % 5 == 0) {
        if (f < 83 || (f >= 118 && f <= 162))
            PlaySound(kHorseBegin, true);
        if (f == 83 || f == 163)
            StopSound(kHorseBegin);
        if (f == 92)
            PlaySound(kHorseHowl);
        if (f == 114)
            StopSound(kHorseHowl);
        if (f == 164)
            PlaySound(kHorseEnd);
    }
    const Band& band = BandOf(kHorseBands, f);
    DrawSprite(band.x, band.y, S::Horse, std::min(f, 168), {0, 0, band.w, band.h});
}

void CMorvaneMain::DrawSmokeC()
{
    if (++m_nSmokeTick > 100000)
        m_nSmokeTick = 0;
    if (m_nSmokeTick % 3 == 0) {
        if (WinShownPastRun())
            StopSound(kFigureSound);
        else
            PlaySound(kFigureSound, true);
        if (++m_nSmokeFrame > 55) {
            StopSound(kFigureSound);
            m_nSmokeFrame = 0;
        }
    }
    const Band& band = BandOf(kFigureBands, m_nSmokeFrame);
    DrawSprite(band.x, band.y, S::Yang, m_nSmokeFrame, {0, 0, band.w, band.h});
}
