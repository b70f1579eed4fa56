// The win presentation: row bars, win sounds, the evaluation steps, the choice of the presentation
// state by jackpot, pattern and amount, the states' picture sequences, and the count-up.
#include <algorithm>

#include "CButtonSinHo.h"
#include "CMorvaneMain.h"
#include "CXSaturate.h"

namespace {

using S = MorvaneImageSet;

constexpr int32_t kBigWinSound = 3;
constexpr int32_t kSmallWinSound = 0;
constexpr int32_t kFreeSound = 27;
constexpr int32_t kBarLineSound = 8;
constexpr int32_t kCountSound = 2;
constexpr int32_t kGunSound = 17;
constexpr int32_t kSexyReelSound = 15;
constexpr int32_t kMidAllocationSound = 6;
constexpr int32_t kJackpotFireSound = 37;
constexpr int32_t kJackpotSound = 7;

// Sounds a presentation leaves playing, stopped when a state ends or the double-up starts.
constexpr int32_t kPresentationSounds[] = {0,  2,  3,  5,  6,  7,  8,  12, 13, 14,
                                           15, 16, 17, 18, 19, 20, 27, 31, 37};

constexpr MorvaneRect kRowBar = {0, 0, 745, 26};
constexpr MorvaneRect kMarksRect = {0, 0, 161, 56};
constexpr MorvaneRect kFeverAni = {0, 0, 192, 79};
constexpr MorvaneRect kBoxAni = {0, 0, 412, 65};
constexpr MorvaneRect kBoxAni01 = {0, 0, 577, 253};
constexpr MorvaneRect kDoubleOffer = {0, 0, 151, 46};
constexpr MorvaneRect kShow = {0, 0, 800, 461};

constexpr float kRowBarY[kMorvaneRows] = {168, 304, 440};

// Panels slots.
constexpr int32_t kBar = 0, kMarks = 8, kBoxAniSlot = 9, kBoxAni01Slot = 10, kFeverAniSlot = 13;
constexpr int32_t kDoubleOfferSlot = 5;  // Messages

bool Square(float size, MorvaneRect& r)
{
    r = {0, 0, size, size};
    return true;
}

// Advances a frame every `period` ticks of `n` and wraps after `frames`.
void Step(int32_t& frame, int32_t n, int32_t period, int32_t frames)
{
    if (n % period == 0 && ++frame >= frames)
        frame = 0;
}

}  // namespace

void CMorvaneMain::StopPresentationSounds()
{
    for (int32_t row : kPresentationSounds)
        StopSound(row);
}

void CMorvaneMain::SplitWin()
{
    m_nWinSizeClass = m_nWinAmount >= 1000 ? 2 : m_nWinAmount >= 300 ? 1 : 0;
    m_nPendingWin = m_nWinAmount;
    SetWinAmount(m_nWinAmount);
    // The score already holds the win: the count-up shows it arriving.
    if (m_nPendingWin > 0)
        SetScore(CXSubSat32(m_nScore, m_nPendingWin), true);
}

int32_t CMorvaneMain::ChooseWinState() const
{
    if (m_Rec.jackValue > 200 && m_Rec.Seriescount == 0)
        return 5;
    const MorvaneWindow window = MorvaneWindowOf(m_Rec.nReelSet, m_Rec.Array);
    for (const auto& row : window.aCell)
        if (std::all_of(std::begin(row), std::end(row), [](int32_t c) { return c == MSYM_A; }))
            return 10;
    if (m_Rec.WinHaveFlag == 1)
        return 50;
    const int32_t win = m_nWinAmount;
    if (win >= 32000)
        return 20;
    if (win >= 20000)
        return 30;
    if (win >= 10000)
        return 40;
    for (const auto& row : window.aCell)
        if (IsMorvaneBar(row[1]) && row[1] == row[2] && (row[0] == row[1] || row[3] == row[1]))
            return 41;  // 40 with the bar-line sound
    return 50;
}

void CMorvaneMain::RunWinPresentation()
{
    const int32_t v = SpinStepValue;
    const bool anyWin = m_Rec.Win[0] > 0 || m_Rec.Win[1] > 0 || m_Rec.Win[2] > 0 ||
                        m_Rec.Free[0] > 0 || m_Rec.Free[1] > 0 || m_Rec.Free[2] > 0 ||
                        m_Rec.CaptionCue > 0;
    if (!anyWin || !m_bySpinInProgress || m_byPresentDone)
        return;
    if (ReelSettle[3] < m_nSettleWait || m_Rec.FeverStop != 0)
        return;
    const bool anyFree = m_Rec.Free[0] > 0 || m_Rec.Free[1] > 0 || m_Rec.Free[2] > 0;
    const bool blink = m_nStepCount % 30 < 15;

    PlayWinSound(anyFree);
    DrawWinMarks(blink);
    DrawFreeMarks(anyFree, blink);
    OpenWinStates(v, blink);
    RunWinStates(v);
    ShowWinDigits();

    // Double-up offer, or the spin end at once.
    if (m_nWinAmount >= 1 && m_nWinAmount <= 500 && m_Rec.PerformanceBlock == 0 &&
        SettingFlag != 1 && m_Rec.nReelSet == 0) {
        if (m_byDoubleDue) {
            m_byDoubleUpOffer = 0;
        } else if (m_Rec.FireValue <= 0) {
            DrawSprite(324, 488, S::Messages, kDoubleOfferSlot, kDoubleOffer);
            m_byDoubleUpOffer = 1;
        }
    } else {
        if (!m_byDoubleDue && Networked() && !m_pLink->SpinEndRequested())
            m_pLink->ReqSpinEnd();
        m_byDoubleUpOffer = 0;
    }
}

void CMorvaneMain::PlayWinSound(bool anyFree)
{
    if (!m_byWinSoundDone) {
        m_byWinSoundDone = 1;
        if (!anyFree && m_nWinAmount >= 2000)
            PlaySound(kBigWinSound);
        else if (!anyFree && m_nWinAmount > 0)
            PlaySound(kSmallWinSound);
    }
}

void CMorvaneMain::DrawWinMarks(bool blink)
{
    for (int row = 0; row < kMorvaneRows; ++row)
        if ((m_Rec.Win[row] > 0 && !m_byDoubleShown) || m_Rec.Free[row] > 0 ||
            m_Rec.CaptionCue == row + 1)
            DrawSprite(27, kRowBarY[row], S::Panels, kBar, kRowBar);
    if (m_nWinAmount > 0 && !m_byDoubleShown && blink) {
        if (ReelSettle[3] > m_nSettleWait)
            DrawSprite(371, 544, S::Panels, kMarks, kMarksRect);
        if (ReelSettle[3] > m_nPresentLength - 60)
            DrawSprite(628, 544, S::Panels, kMarks, kMarksRect);
    }
}

void CMorvaneMain::DrawFreeMarks(bool anyFree, bool blink)
{
    if (anyFree) {
        if (blink)
            DrawSprite(0, 0, S::Panels, kFeverAniSlot, kFeverAni);
        if (m_nFreeSoundSteps == 0)
            PlaySound(kFreeSound);
        if (++m_nFreeSoundSteps == 100)
            StopSound(kFreeSound);
    }
}

void CMorvaneMain::OpenWinStates(int32_t v, bool blink)
{
    if (m_byDoubleDue || m_byReshow) {
        m_byDoubleShown = 1;
        SpinStep = 359 - v;
    } else if (!m_byReshow && ReelSettle[3] >= m_nSettleWait + 5) {
        SpinStep = 358 - v;
        if (blink)
            DrawSprite(194, 9, S::Panels, kBoxAniSlot, kBoxAni);
        if (m_nWinAmount >= 2501)
            DrawSprite(110, 0, S::Panels, kBoxAni01Slot, kBoxAni01);
    }
}

void CMorvaneMain::RunWinStates(int32_t v)
{
    if (!m_byDoubleDue && SpinStep == 358 - v) {
        switch (m_nWinState) {
        case 0: {
            ++m_nWinStateStep;
            m_nEvalBaseStep = SpinStep - m_nWinStateStep;
            EvaluateReelWindow();
            if (m_nWinStateStep < m_nPresentLength) {
                if (m_nWinAmount > 5000)
                    m_nEndCount = 0;
                break;
            }
            const int32_t next = ChooseWinState();
            if (next == 41)
                PlaySound(kBarLineSound);
            m_nWinState = next == 41 ? 40 : next;
            m_nStageCount = 0;
            m_nShowStep = 0;
            SplitWin();
            break;
        }
        case 5:
            WinStage5();
            break;
        case 10:
            WinStage10();
            break;
        case 20:
            WinStage20();
            break;
        case 30:
            WinStage30();
            break;
        case 40:
            WinStage40();
            break;
        case 50:
            WinStage50();
            break;
        default:
            break;
        }
    }
    if (m_nWinState > 0)
        CountUpWinStep();
}

void CMorvaneMain::ShowWinDigits()
{
    if (m_nEndCount == 20 && m_nPendingWin > 0 && m_Rec.MoSumState == 0 && m_Rec.FeverTime == 0 &&
        !m_byDoubleDue)
        PlaySound(kCountSound, true);
    if ((m_nWinState < 50 && ReelSettle[3] % 30 < 20) || (m_nWinState == 50 && m_nEndCount <= 20)) {
        SetWinAmount(m_nWinAmount);
        DrawWinEffect();
    }
}

void CMorvaneMain::CountUpWinStep()
{
    // State 50 counts after its first 20 steps; the other states count while they show.
    if (m_nWinState == 50 && (m_nEndCount <= 20 || m_byDoubleDue))
        return;
    const int32_t before = m_nPendingWin;
    CountUpWin();
    if (before > 0)
        SetScore(CXAddSat32(m_nDispScore, before - m_nPendingWin), true);
}

void CMorvaneMain::WinStage50()
{
    StopSound(kMidAllocationSound);
    for (int32_t row : {5, 7, 12, 13, 14, 15, 16, 17, 18, 19, 20, 37})
        StopSound(row);
    ++m_nEndCount;
    if (m_nEndCount <= 20 || m_nPendingWin > 0)
        return;
    StopSound(kCountSound);
    m_nWinAmount = 0;
    SetWinAmount(0);
    if (++m_nEndCount2 > 50 && m_Rec.FeverTime == 0 && m_Rec.FeverStop == 0) {
        SpinStep = 500;
        m_byPresentDone = 1;
    }
}

// States 5 and 10: the gun intro, then the jackpot show.
void CMorvaneMain::WinStage5()
{
    RunJackpotShow(true);
}
void CMorvaneMain::WinStage10()
{
    RunJackpotShow(false);
}

void CMorvaneMain::RunJackpotShow(bool jackpot)
{
    const int32_t n = ++m_nStageCount;
    StopSound(kMidAllocationSound);
    if (n <= 1000) {
        EvaluateReelWindow();
        if (jackpot)
            DrawJackpotIntro();
        return;
    }
    if (n > 2050) {
        m_nWinState = 50;
        if (jackpot) {
            m_Rec.jackValue = 0;
            m_Rec.jackpottrue = 0;
        }
        return;
    }
    if (jackpot)
        StopSound(kJackpotFireSound);
    if (m_nShowStep == 0) {
        PlaySound(kGunSound);
        if (n % 10 == 1 && ++m_nGunFrame > 18) {
            m_nGunFrame = 18;
            m_nShowStep = 20;
        }
        if (m_nShowStep == 0)
            DrawSprite(0, 82, S::Gun, m_nGunFrame, kShow);
        return;
    }
    DrawSprite(0, 82, S::JackpotStars, (n / 10) % 2, kShow);
    DrawFireworks(n, 5, 5);
    Step(m_nNeonFrame, n, 3, 3);
    DrawSprite(0, 82, S::Neon, m_nNeonFrame, kShow);
    const bool banner = !jackpot || n >= 600;
    if (jackpot) {
        DrawSprite(204, 129, S::JackpotGirl, 0, {0, 0, 400, 414});
        if (n % 50 < 20)
            DrawSprite(351, 210, S::JackpotGirl, 1, {0, 0, 94, 107});
        if (n >= 600 && m_nMunFrame < 5) {
            DrawSprite(239, 130, S::JackpotGirl, 2 + m_nMunFrame, {0, 0, 215, 277});
            if (n % 20 == 0)
                ++m_nMunFrame;
        }
    } else {
        const float left = ((n / 20) % 2) * 264.0f;
        DrawSprite(290, 189, S::JackpotGirlStrip, 0, {left, 0, left + 264, 354});
    }
    if (banner) {
        Step(m_nBannerRow, n, 5, 10);
        DrawSprite(161, 403, S::JackpotBanner, 0,
                   {0, 85.0f * m_nBannerRow, 484, 85.0f * m_nBannerRow + 85});
    }
}

void CMorvaneMain::DrawFireworks(int32_t n, int32_t period, int32_t period512)
{
    MorvaneRect r;
    Step(m_anFirework[0], n, period, 10);
    Step(m_anFirework[1], n, period, 31);
    Step(m_anFirework[2], n, period, 16);
    Step(m_anFirework[3], n, period, 16);
    Step(m_anFirework[4], n, period512, 29);
    Step(m_anFirework[5], n + 7, period512, 29);
    DrawSprite(0, 83, S::Firework400, m_anFirework[0], (Square(400, r), r));
    DrawSprite(15, 100, S::Firework320, m_anFirework[1], (Square(320, r), r));
    DrawSprite(300, 83, S::Firework304, m_anFirework[2], (Square(304, r), r));
    DrawSprite(550, 180, S::Firework240, m_anFirework[3], (Square(240, r), r));
    DrawSprite(288, 0, S::Firework512, m_anFirework[4], (Square(512, r), r));
    DrawSprite(288, 0, S::Firework512, m_anFirework[5], (Square(512, r), r));
}

void CMorvaneMain::DrawDancers(int32_t n, int32_t period)
{
    if (n % period == 0) {
        if (!m_byDanceBack && ++m_nDanceFrame >= 35)
            m_byDanceBack = 1;
        else if (m_byDanceBack && --m_nDanceFrame <= 0)
            m_byDanceBack = 0;
    }
    for (float x : {18.0f, 211.0f, 404.0f, 597.0f})
        DrawSprite(x, 196, S::Dance, m_nDanceFrame, {0, 0, 186, 321});
}

void CMorvaneMain::WinStage20()
{
    const int32_t n = ++m_nStageCount;
    if (n > 1450) {
        m_nWinState = 50;
        return;
    }
    if (m_nShowStep == 0) {
        PlaySound(kGunSound);
        if (n % 15 == 1 && ++m_nGunFrame > 18) {
            m_nGunFrame = 18;
            m_nShowStep = 20;
            m_nIntroCount = 0;
        }
        if (m_nShowStep == 0)
            DrawSprite(0, 82, S::Gun, m_nGunFrame, kShow);
        return;
    }
    const int32_t shown = ++m_nIntroCount;
    if (shown == 11)
        PlaySound(kSexyReelSound);
    Step(m_nLightFrame, shown, 5, 11);
    for (float x : {13.0f, 209.0f, 405.0f, 601.0f})
        DrawSprite(x, 83, S::Light, m_nLightFrame, {0, 0, 196, 461});
    if (shown > 50) {
        MorvaneRect r;
        Step(m_anFirework[1], shown, 2, 31);
        Step(m_anFirework[4], shown, 2, 29);
        for (const auto& at :
             {std::pair{15.0f, 100.0f}, std::pair{300.0f, 83.0f}, std::pair{480.0f, 180.0f}})
            DrawSprite(at.first, at.second, S::Firework320, m_anFirework[1], (Square(320, r), r));
        DrawSprite(288, 0, S::Firework512, m_anFirework[4], (Square(512, r), r));
        DrawSprite(0, 0, S::Firework512, m_anFirework[4], (Square(512, r), r));
    }
    DrawDancers(shown, 4);
    Step(m_nNeonFrame, shown, 3, 3);
    DrawSprite(0, 82, S::Neon, m_nNeonFrame, kShow);
}

void CMorvaneMain::WinStage30()
{
    const int32_t n = ++m_nStageCount;
    if (n > 1300) {
        m_nWinState = 50;
        return;
    }
    if (n <= 9)
        PlaySound(kSexyReelSound);
    DrawDancers(n, 5);
}

// The firework stage: the four firework scenes in turn until step 1100, then state 50.
void CMorvaneMain::WinStage40()
{
    const int32_t n = ++m_nStageCount;
    if (n > 1100) {
        m_nWinState = 50;
        return;
    }
    const bool done = StepFireworks(n);
    DrawFireworkScene();
    if (done) {
        std::fill(std::begin(m_anFirework), std::end(m_anFirework), 0);
        m_nFireworkScene = m_nFireworkScene == 0    ? 20
                           : m_nFireworkScene == 20 ? 30
                           : m_nFireworkScene == 30 ? 40
                                                    : 0;
    }
}

// Advances the frames of the scene's fireworks on step n, each at its own rate; true when the
// scene's longest firework has run out.
bool CMorvaneMain::StepFireworks(int32_t n)
{
    int32_t* fw = m_anFirework;
    bool done = false;
    if (m_nFireworkScene == 0 || m_nFireworkScene == 30) {
        if (n % 4 == 0)
            ++fw[0];
        if (n % 3 == 0)
            ++fw[2];
        if (n % 2 == 0) {
            ++fw[1];
            ++fw[3];
            ++fw[4];
        }
        done = fw[1] >= 31;
    } else {
        if (n % 2 == 0) {
            ++fw[4];
            ++fw[5];
        }
        if (n % 4 == 0)
            ++fw[3];
        done = fw[4] >= 29;
    }
    fw[0] %= 10;
    fw[2] %= 16;
    fw[3] %= 16;
    fw[5] %= 29;
    return done;
}

// The fireworks of the current scene (0, 20, 30 or 40) on their frames.
void CMorvaneMain::DrawFireworkScene()
{
    MorvaneRect r;
    const int32_t* fw = m_anFirework;
    const int32_t f512 = std::min(fw[4], 28), f320 = std::min(fw[1], 30);
    switch (m_nFireworkScene) {
    case 0:
        DrawSprite(260, 140, S::Firework240, fw[3], (Square(240, r), r));
        DrawSprite(288, 0, S::Firework512, f512 % 29, (Square(512, r), r));
        DrawSprite(0, 88, S::Firework512, f512 % 29, (Square(512, r), r));
        DrawSprite(400, 200, S::Firework400, fw[0], (Square(400, r), r));
        DrawSprite(0, 0, S::Firework320, f320, (Square(320, r), r));
        DrawSprite(0, 296, S::Firework304, fw[2], (Square(304, r), r));
        break;
    case 20:
        DrawSprite(0, 0, S::Firework512, f512, (Square(512, r), r));
        DrawSprite(0, 88, S::Firework512, fw[5], (Square(512, r), r));
        DrawSprite(380, 0, S::Firework240, fw[3], (Square(240, r), r));
        DrawSprite(380, 360, S::Firework240, fw[3], (Square(240, r), r));
        break;
    case 30:
        DrawSprite(260, 140, S::Firework240, fw[3], (Square(240, r), r));
        DrawSprite(480, 280, S::Firework320, f320, (Square(320, r), r));
        DrawSprite(0, 280, S::Firework320, f320, (Square(320, r), r));
        DrawSprite(396, 0, S::Firework304, fw[2], (Square(304, r), r));
        DrawSprite(0, 200, S::Firework400, fw[0], (Square(400, r), r));
        break;
    default:
        DrawSprite(0, 88, S::Firework512, f512, (Square(512, r), r));
        DrawSprite(288, 88, S::Firework512, fw[5], (Square(512, r), r));
        DrawSprite(0, 360, S::Firework240, fw[3], (Square(240, r), r));
        DrawSprite(560, 0, S::Firework240, fw[3], (Square(240, r), r));
        break;
    }
}

void CMorvaneMain::DrawJackpotIntro()
{
    const int32_t n = ++m_nIntroCount;
    if (n == 2)
        PlaySound(kJackpotFireSound, true);
    Step(m_nFireFrame, n, 10, 25);
    DrawSprite(0, 84, S::Fire, m_nFireFrame, {0, 0, 800, 458});
}

void CMorvaneMain::DrawJackpot()
{
    PlaySound(kJackpotSound);
    DrawSprite(161, 403, S::JackpotBanner, 0, {0, 0, 484, 85});
}

void CMorvaneMain::DrawWinEffect()
{
    // The pending win in large digits without leading zeros, commas after millions and thousands,
    // centred: seven digits start at x 4.
    constexpr float kDigit = 104, kComma = 32;
    const int32_t value = std::clamp(m_nPendingWin, 0, 9999999);
    int32_t digits[7];
    int32_t count = 0;
    for (int32_t rest = value; count == 0 || rest > 0; rest /= 10)
        digits[count++] = rest % 10;
    const int32_t commas = count > 6 ? 2 : count > 3 ? 1 : 0;
    const float full = 7 * kDigit + 2 * kComma;
    const float width = count * kDigit + commas * kComma;
    float x = 4 + (full - width) / 2;
    const float y = m_Rec.WinMark == 2 ? 85 : 240;
    for (int32_t i = count - 1; i >= 0; --i) {
        DrawSprite(x, y, S::SmallDigits, digits[i], {0, 0, 104, 144});
        x += kDigit;
        if (i == 6 || i == 3) {
            DrawSprite(x, y + 102, S::SmallDigits, 10, {0, 0, 32, 42});
            x += kComma;
        }
    }
}
