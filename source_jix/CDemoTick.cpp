// The game tick (engine state 3): previews, background, devil crossing, spin, reel frame,
// big-win digits, side figures, bonus wheel, character presentations, win presentation, launch
// marker, ticket-out, play start, coin flight, attract mode and counters, in that order.
#include <iterator>

#include "CDemo.h"
#include "CDemoLink.h"
#include "JixCoinPaths.h"
#include "JixSoundTable.h"

namespace {

int NonNegativeMod(int n, int m)
{
    const int r = n % m;
    return r < 0 ? r + m : r;
}

// Steps a frame counter through 0..nLast and back to 0.
void StepFrame(int32_t& nFrame, int32_t nLast)
{
    nFrame = (nFrame >= nLast || nFrame < 0) ? 0 : nFrame + 1;
}

// Image slots of the pictures the tick draws.
constexpr int kGroundCrackSlot = 1091;  // the first companion's three preview pictures
constexpr int kDevilSlot = 90;          // devil frames 0..4
constexpr int kPlainFrameSlot = 41;
constexpr int kLitFrameSlot = 42;
constexpr int kFeverFrameSlot = 77;
constexpr int kBigWinDigitSlot = 477;  // five runs of 19 frames
constexpr int kBigWinPictureSlot = 1464;
constexpr int kMarkerSlot = 23;
constexpr int kInsertCoinSlot = 21;
constexpr int kCoinSlot = 24;
constexpr int kCommaSlot = 86;
constexpr int kWinDigitSlot = 892;
constexpr int kScoreDigitSlot = 902;
constexpr int kCreditDigitSlot = 912;
constexpr int kCreditLabelSlot = 87;
constexpr int kGiftLabelSlot = 88;
constexpr int kSpinLabelSlot = 89;

constexpr int kReelFrameX = 696;
constexpr int kReelFrameY = 283;

// The presentation picture of a series code: codes x40..x42 (fruit to seven) and 830..1042 (the
// bars) have one each, every code from 1140 on shows the jackpot. 0 for none.
int SeriesPictureSlot(int32_t nCode)
{
    struct Run {
        int32_t nFirstCode;
        int nFirstSlot;
    };
    static constexpr Run kRuns[] = {{340, 74}, {440, 71},  {540, 68}, {640, 65},
                                    {740, 62}, {830, 52},  {840, 43}, {930, 55},
                                    {940, 46}, {1030, 58}, {1040, 49}};
    if (nCode >= 1140)
        return 61;
    for (const Run& run : kRuns)
        if (nCode >= run.nFirstCode && nCode <= run.nFirstCode + 2)
            return run.nFirstSlot + (nCode - run.nFirstCode);
    return 0;
}

// The side figures in drawing order: the run of 20 frames, where it stands, and the character
// action that shows this figure itself (the figure is then left out).
struct SideFigure {
    int nFirstSlot;
    int x, y;
    int32_t nAction;
};
constexpr SideFigure kSideFigures[] = {
    {812, 271, 291, 3},  // second companion
    {852, 362, 214, 4},  // third companion
    {872, 371, 354, 2},  // first companion
    {832, 353, 278, 1},  // main character
};

// Bands of the bonus wheel from its offset w: level k for w + from <= t < w + to (mod 768).
struct WheelBand {
    int nFrom, nTo;
};
constexpr WheelBand kWheelBands[7] = {{0, 120},   {120, 210}, {210, 360}, {360, 410},
                                      {410, 580}, {580, 630}, {630, 768}};

// The seven wheel pockets: still picture, animation run and the frame counter that drives it.
struct Pocket {
    int nStillSlot;
    int nFirstSlot;
    int nFrames;
    int nCounter;
};
constexpr Pocket kPockets[7] = {
    {741, 698, 8, 1},   // Dd9
    {742, 706, 8, 1},   // Dd10
    {743, 690, 8, 2},   // Dd11
    {744, 722, 9, 0},   // Dd12
    {745, 731, 10, 3},  // Dd13
    {746, 714, 8, 1},   // Dd14
    {741, 698, 8, 2},   // Dd9
};
constexpr int32_t kPocketLast[4] = {8, 7, 10, 9};

// Sound cues of a character action: preview counter value -> sound row.
struct Cue {
    int32_t nCounter;
    int nRow;
};
constexpr Cue kFirstCompanionCues[] = {{8, 18},  {17, 12}, {20, 13}, {26, 12},
                                       {36, 12}, {47, 41}, {53, 14}, {62, 18}};
constexpr Cue kSecondCompanionCues[] = {{35, 16}, {54, 19}, {98, 20}, {120, 20}};
constexpr Cue kThirdCompanionCues[] = {{1, 37},   {32, 29},  {81, 36}, {84, 25},
                                       {108, 36}, {110, 25}, {117, 38}};

// Digits of a counter: nCount places from (x, y0) in steps of nStep, units first; places above
// the units are left out while their quotient is 0.
void DrawDigits(CDemo& demo, const int32_t* pDigits, const int32_t* pQuotients, int nCount,
                int nSlot, int x, int y0, int nStep)
{
    for (int i = 0; i < nCount; ++i) {
        if (i > 0 && pQuotients[i] == 0)
            break;
        demo.DrawSlot(nSlot + NonNegativeMod(pDigits[i], 10), x, y0 + nStep * i);
    }
}

}  // namespace

void CDemo::TickGame()
{
    const int32_t m = m_anSeries[4] % 200;
    ApplyPreviewRules(m);     // 1
    AnimateCharacters();      // 2
    if (m_nActionJix == 2) {  // 3
        if (m_nPreviewCounter >= 17 && m_nPreviewCounter <= 25)
            DrawSlot(kGroundCrackSlot, 840, 170);
        else if (m_nPreviewCounter >= 26 && m_nPreviewCounter <= 34)
            DrawSlot(kGroundCrackSlot + 1, 840, 170);
        else if (m_nPreviewCounter > 34)
            DrawSlot(kGroundCrackSlot + 2, 840, 170);
    }
    TickDevil(m);  // 4
    TickSpin();    // 5
    AnimateScroll();
    DrawReelFrame();             // 6
    StepPresentationCounters();  // 7
    DrawSideFigures();           // 8
    TickBonusWheel();            // 9
    DrawWheelPockets();          // 10
    StepCharacterAction();       // 11
    DrawCharacterPicture();
    TickWinPresentation();                                  // 12
    TickLaunchMarker();                                     // 13
    StepTicketOut(false);                                   // 14
    if (!m_bTicketWanted && !m_bFlying && m_bPlayWanted) {  // 15
        if (IsOnline())
            m_pLink->ReqPlayStart();
        else
            CheckPlayable();
    }
    if (m_bFlying) {  // 16
        if (m_nFlightCounter == 0) {
            m_nCoinX = 0;
            m_nCoinFrame = 0;
            m_nCoinSpinDir = m_nLaunchDir;
        }
        ++m_nFlightCounter;
    }
    DrawAttract();                 // 17
    RunPathScript();               // 18
    DrawCoin();                    // 19
    if (m_nFlightCounter > 300) {  // 20
        m_nCoinX = 0;
        m_nCoinYOffset = 0;
        m_nCoinYStep = 0;
        m_nFlightCounter = 0;
        m_bFlying = 0;
        m_bTicketShown = 0;
        m_bPlayWanted = 0;
        m_nPathCode = 0;
    }
    if (m_nTotalWin >= 100000 && m_nStopTick > kAllReelsStopped)  // 21
        DrawSlot(kBigWinPictureSlot + m_nBigWinFrame, 0, 0);
    DrawPinField();
    DrawCounters();  // 22
}

void CDemo::ApplyPreviewRules(int32_t m)
{
    const int32_t nMode = m_anHint[0];
    const int32_t nKind = m_anHint[2];
    if (m == 165 && nMode == 1) {
        if (nKind < 10)
            m_nEventKind = nKind;
        if (nKind < 3) {
            SetActionCode(2);
        } else if (nKind <= 5) {
            SetActionCode(3);
        } else if (nKind <= 7) {
            SetActionCode(4);
        } else if (nKind == 8) {
            m_nPreviewStage = 10;
            SetActionCode(1);
        } else if (nKind == 9) {
            SetActionCode(1);
        }
    } else if (m > 164 && nMode == 10 && nKind == 8) {
        m_nPreviewStage = 10;
        if (m == 165)
            SetActionCode(1);
        m_nEventKind = 10;
    }
    if (nMode == 5 && m > 164 && m_anHint[1] < PreviewEventSpin() && nKind == 9) {
        SetActionCode(1);
        m_nEventKind = 9;
    }
    if (m == 100 && nKind > 5 && nKind < 8) {
        m_nPreviewCounter = 0;
        m_anHoldCounter[0] = 0;
        m_anHoldCounter[1] = 0;
    }
    if (m_nActionJix == 0) {
        m_nAction1Counter = 0;
        if (m_bAction1Sound)
            StopEntry(9);
        m_bAction1Sound = 0;
    }
}

void CDemo::TickDevil(int32_t m)
{
    if (m_nDevilAction == 1) {
        if (!m_nDevilFlag)
            ++m_nDevilCount;
        if (m_nDevilCount > 1379 && m_anFever[5] == 1 && !m_nDevilFlag) {
            m_nDevilFlag = 1;
            m_bDevilBlock = 0;
        }
        if (m_nDevilFlag && m_anHint[0] > 0) {
            if (m_nSmileFlag == 0)
                PlayEntry(JixSndDevilLaugh);
            if (m_nTickCount % 6 == 0) {
                StepFrame(m_nDevilFrame, 4);
                m_nSmileFlag = 2;
            }
        }
        if (m_nActionJix > 0 || m_anFever[5] == 2)
            m_nDevilFlag = 0;
        if (m_nDevilCount == 2)
            PlayEntry(JixSndDevilCome);
        if (m_nDevilFlag && m_nTickCount % 500 == 1 && m_anFever[5] == 1)
            PlayEntry(JixSndDevilStand);
    }
    const bool bPassed = m_nDevilCount > 2500;
    if (bPassed || m == 100) {
        m_nDevilAction = 0;
        m_nDevilFlag = 0;
        m_nDevilCount = 0;
        m_nDevilFrame = 0;
        m_nSmileFlag = 0;
        m_bDevilBlock = bPassed ? 1 : 0;
    }
    if (m_nDevilAction == 1 && m_nDevilCount > 0)
        DrawSlot(kDevilSlot + m_nDevilFrame, 1280 - m_nDevilCount, 71);
}

void CDemo::DrawReelFrame()
{
    const bool bLit = HasFeverWin() || m_anSeries[3] != 0 || m_anSeries[0] != 0;
    DrawSlot(bLit ? kLitFrameSlot : kPlainFrameSlot, kReelFrameX, kReelFrameY);
    if (m_nStopTick < 266)
        return;
    const bool bFeverBlink = HasFeverWin() && m_anSeries[3] == 0 && m_nTickCount % 40 <= 19;
    if (bFeverBlink) {
        DrawSlot(kFeverFrameSlot, kReelFrameX, kReelFrameY);
        m_nExtraTicks = 50;
    } else if (const int nSlot = SeriesPictureSlot(m_anSeries[3])) {
        DrawSlot(nSlot, kReelFrameX, kReelFrameY);
    }
}

void CDemo::StepPresentationCounters()
{
    if (++m_nTickCount > 90000000)
        m_nTickCount = 1;
    if (m_nTickCount % 7 == 0) {
        StepFrame(m_nFrameA, 19);
        StepFrame(m_nBigWinFrame, 90);
    }
    if (m_nTickCount % 9 == 0 && m_nShownWin >= 10000) {
        StepFrame(m_anBigWinDigit[0], 18);
        for (int k = 1; k < 5; ++k)
            if (m_nBigWinLevel >= k)
                StepFrame(m_anBigWinDigit[k], 18);
        m_nBigWinLevel = 5;
        for (int k = 0; k < 4; ++k)
            if (m_anBigWinDigit[k] == 10) {
                m_nBigWinLevel = k + 1;
                break;
            }
    }
    if (m_nShownWin >= 10000 && m_nStopTick > kAllReelsStopped) {
        static constexpr int kX[5] = {100, 200, 300, 400, 450};
        static constexpr int kY[5] = {0, 100, 50, 100, 20};
        for (int k = 0; k < 5 && k < m_nBigWinLevel; ++k)
            DrawSlot(kBigWinDigitSlot + 19 * k + NonNegativeMod(m_anBigWinDigit[k], 19), kX[k],
                     kY[k]);
    }
}

void CDemo::DrawSideFigures()
{
    for (const SideFigure& f : kSideFigures)
        if (m_nActionJix != f.nAction)
            DrawSlot(f.nFirstSlot + NonNegativeMod(m_nFrameA, 20), f.x, f.y);
}

void CDemo::TickBonusWheel()
{
    m_nBonusWheel += 2;
    if (++m_nWheelClock > 100000)
        m_nWheelClock = 1;
    if (m_nTickCount % 5 == 0)
        for (int i = 0; i < 4; ++i)
            StepFrame(m_anPocketFrame[i], kPocketLast[i]);
    if (m_nCoinX + 80 < 570 || m_nBonusLevel != 0 || m_nFlightCounter < 53)
        return;
    const int w = NonNegativeMod(m_nBonusWheel, 768);
    const int t = NonNegativeMod(m_nPathCode + m_nCoinYOffset, 768);
    // A band whose ends fall on both sides of 768 holds nothing; the test repeats next tick.
    for (int k = 0; k < 7; ++k) {
        const int nFrom = (w + kWheelBands[k].nFrom) % 768;
        const int nTo = (w + kWheelBands[k].nTo) % 768;
        if (nFrom <= t && t < nTo) {
            DecideBonus(k + 1);
            return;
        }
    }
}

void CDemo::DrawWheelPockets()
{
    const int w = NonNegativeMod(m_nBonusWheel, 768);
    for (int k = 1; k <= 7; ++k) {
        const Pocket& p = kPockets[k - 1];
        const int y = (w + 110 * (k - 1)) % 768;
        if (m_bBonusDecided && m_nBonusLevel == k) {
            DrawSlot(p.nFirstSlot + NonNegativeMod(m_anPocketFrame[p.nCounter], p.nFrames), 609, y);
            if (y > 700)
                m_nBonusLevel = 9;
        } else {
            DrawSlot(p.nStillSlot, 609, y);
        }
    }
    if (m_nBonusWheel > 767)
        m_nBonusWheel = 3;
}

void CDemo::StepCharacterAction()
{
    if (m_nTickCount % 7 != 0)
        return;
    const Cue* pCues = nullptr;
    int nCues = 0;
    switch (m_nActionJix) {
    case 1:
        StepFrame(m_nPreviewCounter, 98);
        m_nAction1Counter = m_nAction1Counter >= 344 ? 100 : m_nAction1Counter + 1;
        if (m_nAction1Counter == 5 && !m_bAction1Sound) {
            PlayEntry(8);
            m_bAction1Sound = 1;
        } else if (m_nAction1Counter == 100 && m_bAction1Sound) {
            PlayEntry(9);
        }
        return;
    case 2:
        StepFrame(m_nPreviewCounter, 69);
        pCues = kFirstCompanionCues;
        nCues = int(std::size(kFirstCompanionCues));
        break;
    case 3:
        if (m_nPreviewCounter == 0)
            PlayEntry(17);
        StepFrame(m_nPreviewCounter, 145);
        pCues = kSecondCompanionCues;
        nCues = int(std::size(kSecondCompanionCues));
        break;
    case 4:
        // Two holds while the flights play: the hold counters are also the flights' frames.
        if (m_nPreviewCounter < 86) {
            m_anHoldCounter[0] = 0;
            m_anHoldCounter[1] = 0;
        } else {
            ++m_anHoldCounter[0];
            if (m_nPreviewCounter >= 111)
                ++m_anHoldCounter[1];
        }
        if (!(m_nPreviewCounter == 86 && m_anHoldCounter[0] <= 30) &&
            !(m_nPreviewCounter == 111 && m_anHoldCounter[1] <= 40))
            StepFrame(m_nPreviewCounter, 124);
        pCues = kThirdCompanionCues;
        nCues = int(std::size(kThirdCompanionCues));
        break;
    default:
        return;
    }
    for (int i = 0; i < nCues; ++i)
        if (pCues[i].nCounter == m_nPreviewCounter)
            PlayEntry(pCues[i].nRow);
}

void CDemo::TickWinPresentation()
{
    if ((m_nWinSum <= 0 && !HasFeverWin()) || m_nStopTick < 266)
        return;
    if (m_nStopTick <= PresentationEnd())
        Render();
    if (m_nStopTick < m_nPresentationLength) {
        if (m_nStopTick % 40 < 25 && m_nWinSum >= 0)
            DrawWinCounters();
    } else if (m_nPendingWin > 0) {
        DrawWinCounters();
        if (m_nStopTick == m_nPresentationLength && m_nWinSum >= 2000)
            StartScoreCount();
    }
    if (m_nPendingWin <= 0 && m_bScoreCounting)
        StopScoreCount();
}

void CDemo::TickLaunchMarker()
{
    DrawSlot(kMarkerSlot, 30, m_nLaunchHeight);
    // Past the top it turns and moves on in the same tick (586, 582); past the bottom it shows
    // -2 once and then restarts at 4.
    if (m_nLaunchHeight >= 0 && m_nLaunchHeight <= 586) {
        m_nLaunchHeight += (m_nLaunchDir == 0) ? 2 : -2;
    } else if (m_nLaunchHeight < 0) {
        m_nLaunchHeight = 4;
        m_nLaunchDir = 0;
    }
    if (m_nLaunchHeight > 586) {
        m_nLaunchHeight = 582;
        m_nLaunchDir = 1;
    }
}

void CDemo::DrawAttract()
{
    if (m_nScore != 0 || m_nCredit != 0 || m_nSpinsLeft != 0)
        return;
    m_nSpecialMode = 10;
    DrawSlot(kInsertCoinSlot + (m_nTickCount % 60 < 30 ? 0 : 1), 430, 13);
}

void CDemo::RunPathScript()
{
    const JixCoinPath* pPath = JixFindCoinPath(m_nPathCode);
    if (!pPath)
        return;
    int32_t nDx = 0;
    int32_t nDy = 0;
    if (JixCoinPathStep(*pPath, m_nFlightCounter, &nDx, &nDy)) {
        m_nCoinX += nDx;
        m_nCoinYOffset += nDy;
    }
    // A level left over from the previous coin never survives into this flight.
    if (m_nFlightCounter >= 50 && m_nFlightCounter <= 52) {
        m_nBonusLevel = 0;
        m_bBonusDecided = 0;
        for (int32_t& n : m_anPocketFrame)
            n = 0;
    }
}

void CDemo::DrawCoin()
{
    if (m_nCoinX >= 600 || !m_bFlying)
        return;
    if (m_nFlightCounter % 6 == 1 && m_nFlightCounter > 1) {
        // Launched while the marker moved toward smaller heights the coin turns one way, else
        // the other.
        m_nCoinFrame = NonNegativeMod(m_nCoinFrame + (m_nCoinSpinDir == 1 ? 1 : -1), 12);
    }
    DrawSlot(kCoinSlot + m_nCoinFrame, m_nCoinX + 80, m_nPathCode + m_nCoinYOffset);
}

void CDemo::DrawWinCounters()
{
    CountUpScore();
    const int32_t nWin = m_nPendingWin;
    if (nWin < 10)
        return;
    // y of each digit, units first, and of the thousands separator (0 for none).
    struct Layout {
        int nDigits;
        int aY[5];
        int nCommaY;
    };
    static constexpr Layout kLayouts[4] = {
        {2, {318, 381}, 0},
        {3, {285, 348, 411}, 0},
        {4, {238, 305, 374, 466}, 419},
        {5, {203, 271, 339, 433, 501}, 394},
    };
    const Layout& l = kLayouts[nWin >= 10000 ? 3 : nWin >= 1000 ? 2 : nWin >= 100 ? 1 : 0];
    for (int i = 0; i < l.nDigits; ++i)
        DrawSlot(kWinDigitSlot + NonNegativeMod(m_anPendingDigit[i], 10), 936, l.aY[i]);
    if (l.nCommaY)
        DrawSlot(kCommaSlot, 936, l.nCommaY);
}

void CDemo::DrawCounters()
{
    DrawDigits(*this, m_anSpinsDigit, m_anSpinsQuot, 3, kScoreDigitSlot, 1218, 598, 19);
    DrawDigits(*this, m_anCreditDigit, m_anCreditQuot, 7, kCreditDigitSlot, 1225, 335, 25);
    DrawDigits(*this, m_anScoreDigit, m_anScoreQuot, 6, kScoreDigitSlot, 1218, 106, 19);
    DrawSlot(kGiftLabelSlot, 1179, 115);
    DrawSlot(kCreditLabelSlot, 1179, 306);
    DrawSlot(kSpinLabelSlot, 1179, 576);
}
