// The spin cycle: phase 0 asks for spin data, 10 winds the reels up, 20 spins them, 30 stops
// them and runs the win presentation, 40 waits for the game-fin answer.
#include <algorithm>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CDemoSound.h"
#include "CDemoSurface.h"
#include "CXLog.h"
#include "CXSaturate.h"
#include "JixReelStrips.h"
#include "JixSoundTable.h"

namespace {

// Row y of each reel in the landscape picture, and the x of the three still cells.
constexpr int kReelY[kJixReels] = {528, 394, 260, 126};
constexpr int kStillX[3] = {793, 917, 1041};
constexpr int kClosingImageX = 797;
constexpr int kClosingImageY = 130;
// Slot of closing image 0: the eight "bar/bar%03d" pictures.
constexpr int kFirstClosingSlot = 78;
// The closing image of each step of the closing sequence: from 7 down to 0, back up to 7, then two
// steps with none (20).
constexpr int kClosingSteps = 21;
constexpr int32_t kClosingImages[kClosingSteps] = {7, 6, 5, 4, 3, 2, 1, 0, 0,  0, 0,
                                                   0, 1, 2, 3, 4, 5, 6, 7, 20, 20};

int NonNegativeMod(int n, int m)
{
    const int r = n % m;
    return r < 0 ? r + m : r;
}

}  // namespace

int32_t CDemo::Symbol(int nReel, int nIndex) const
{
    int nSet = m_anHint[6];
    if (nSet < 0 || nSet >= kJixStripSets)
        nSet = 0;
    return JixStripSymbol(nSet, nReel, nIndex);
}

bool CDemo::RowAllJokers(int nRow) const
{
    for (int r = 0; r < kJixReels; ++r)
        if (Symbol(r, m_anReelStop[r] - 1 + nRow) != 0)
            return false;
    return true;
}

int CDemo::CellScreenX(int x)
{
    const int xWrapped = NonNegativeMod(x, 1280);
    return xWrapped > 678 ? xWrapped : -1;
}

void CDemo::DrawCell(int nReel, int x, int nIndex)
{
    const int xShown = CellScreenX(x);
    if (xShown >= 0)
        DrawSlot(kJixFirstSymbolSlot + Symbol(nReel, nIndex), xShown, kReelY[nReel]);
}

void CDemo::DrawReelCells(int nReel, int nFirstX, int nStepX, int nCells, int nFirstIndex)
{
    for (int k = 0; k < nCells; ++k)
        DrawCell(nReel, nFirstX + nStepX * k, nFirstIndex + k);
}

void CDemo::DrawStillCells()
{
    for (int r = 0; r < kJixReels; ++r)
        for (int c = 0; c < 3; ++c)
            if (!m_abHighlight[c][r])
                DrawCell(r, kStillX[c], m_anReelStop[r] - 1 + c);
}

void CDemo::ArmDevil()
{
    const int32_t nFever = m_anFever[5];
    if ((nFever == 1 || ((nFever == 2 || nFever == 3) && !m_bDevilBlock)) && m_nDevilCount < 2500) {
        m_nDevilAction = 1;
        if (m_nActionJix > 0)
            m_nDevilFlag = 0;
    }
}

void CDemo::ApplySpinData(bool bTicketTest)
{
    CJixSpinData d = m_pLink->m_SpinData;
    if (d.RangeCheck()) {
        const CJixSpinData& raw = m_pLink->m_SpinData;
        CX_LOG_ERROR("CDemo::ApplySpinData",
                     "stops %d %d %d %d or strip set %d out of range; 0 used for them",
                     raw.ReelStop[0], raw.ReelStop[1], raw.ReelStop[2], raw.ReelStop[3],
                     raw.Hint[6]);
    }
    m_nWinSum = d.WinSum;
    m_nSpecialMode = d.SpecialMode;
    m_nTotalWin = d.TotalWin;
    m_nBigWinFlag = d.BigWinFlag;
    m_nScoreAfterWin = d.ScoreAfterWin;
    m_nPreviewStage = d.PreviewStage;
    for (int r = 0; r < 4; ++r)
        m_anReelStop[r] = d.ReelStop[r];
    m_nShownWin = d.ShownWin;
    m_nPendingWin = d.PendingWin;
    m_nSavedScore = d.SavedScore;
    m_nPresentationLength = std::min(d.PresentationLength, kMaxPresentationLength);
    for (int i = 0; i < 4; ++i) {
        m_anMid[i] = d.Mid[i];
        m_anWin[i] = d.Win[i];
    }
    for (int i = 0; i < 7; ++i)
        m_anSeries[i] = d.Series[i];
    for (int i = 0; i < 6; ++i)
        m_anFever[i] = d.Fever[i];
    for (int i = 0; i < 8; ++i)
        m_anHint[i] = d.Hint[i];
    m_nEventKind = d.EventKind;
    SetActionCode(d.ActionJix);
    if (bTicketTest)
        TicketTest();
}

void CDemo::TickSpin()
{
    switch (m_nSpinPhase) {
    case 0:
        AskForSpin();
        return;
    case 10:
        WindReelsUp();
        return;
    case 20:
        SpinReels();
        return;
    case 30:
        StopReels();
        return;
    case 40:
        DrawStillCells();
        return;
    default:
        return;
    }
}

// Phase 0: asks for spin data and, once it is there, starts the spin.
void CDemo::AskForSpin()
{
    DrawStillCells();
    if (IsOnline() && (!m_pLink->m_bSpinEnded || m_bTicketWanted))
        return;
    const bool bCanSpin =
        IsOnline() ? (m_pLink->m_bSpinDataHeld || m_nSpinsLeft > 0) : m_nSpinsLeft > 0;
    if (!bCanSpin)
        return;
    if (!m_bRequestMade) {
        SetWin(CXSubSat32(m_nSpinsLeft, 1));
        m_pLink->ReqSpinData();
        m_bRequestMade = 1;
    }
    if (++m_nPhase0Wait <= 50)
        return;
    if (IsOnline()) {
        if (!m_pLink->m_bSpinDataHeld)
            return;
        ApplySpinData(false);
    }
    m_nScrollOffset = 796;
    m_nPhase0Wait = 0;
    if (!IsOnline()) {
        m_nWinSum = 0;
        m_anWin[0] = m_anWin[1] = m_anWin[2] = 0;
    }
    m_nEffectStep = 0;
    for (int32_t& n : m_anEffectCounter)
        n = 0;
    m_nBigWinLevel = 0;
    ResetWinAnimation();
    m_nSpinPhase = 10;
}

// Phase 10: the reels wind back a little; the stops are known after it.
void CDemo::WindReelsUp()
{
    m_nScrollOffset -= 5;
    for (int r = 0; r < kJixReels; ++r)
        DrawReelCells(r, m_nScrollOffset, 123, 6, m_anReelStop[r] - 1);
    if (++m_nPhase10Counter > 10) {
        m_nPhase10Counter = 0;
        if (!IsOnline()) {
            ApplyStage();
            for (int r = 0; r < 4; ++r)
                m_anReelStop[r] = NonNegativeMod(m_anMid[r], kJixStops);
            m_nScoreAfterWin =
                m_nScore + (m_anWin[0] + m_anWin[1] + m_anWin[2]) * GetSeriesMultiplier();
        }
        ArmDevil();
        m_nSpinPhase = 20;
    }
}

// Phase 20: the reels run.
void CDemo::SpinReels()
{
    m_nScrollOffset += 30;
    for (int r = 0; r < kJixReels; ++r)
        DrawReelCells(r, m_nScrollOffset - 125, 125, 10, m_anReelStop[r] - 1);
    if (++m_nPhase20Counter > 30) {
        m_nPhase20Counter = 0;
        m_nSpinPhase = 30;
    }
}

// Phase 30: the reels stop one after another and the win presentation runs.
void CDemo::StopReels()
{
    ++m_nStopTick;
    m_nScrollOffset += 20;
    for (int r = 0; r < kJixReels; ++r) {
        const int nStopAt = 50 + 50 * r;
        if (m_nStopTick <= nStopAt) {
            DrawReelCells(r, m_nScrollOffset - 129, 123, 10, m_anReelStop[r] - 4);
        } else if (m_nStopTick <= nStopAt + 60) {
            m_anReelOffset[r] += (m_nStopTick <= nStopAt + 50) ? 10 : -5;
            DrawReelCells(r, m_anReelOffset[r] - 18, 123, 11, m_anReelStop[r] - 4);
            if (m_nStopTick == nStopAt + 40)
                PlayEntry(JixSndReelStop);
        } else {
            for (int c = 0; c < 3; ++c)
                if (!m_abHighlight[c][r])
                    DrawCell(r, kStillX[c], m_anReelStop[r] - 1 + c);
        }
    }
    if (!IsOnline() && m_nStopTick == kAllReelsStopped && (HasRowWin() || HasFeverWin()))
        ComputeStandaloneWin();
    if ((m_nWinSum > 0 || HasFeverWin()) && m_nStopTick > kAllReelsStopped)
        StartWinPresentation();
    EndPresentation();
}

void CDemo::ComputeStandaloneWin()
{
    const int32_t nTotal = (m_anWin[0] + m_anWin[1] + m_anWin[2]) * GetSeriesMultiplier();
    m_nTotalWin = nTotal;
    m_nWinSum = nTotal;
    if (m_nWinSum > kScoreCap) {
        m_nScoreOverflow += m_nWinSum - kScoreCap;
        m_nWinSum = kScoreCap;
    }
    m_nShownWin = m_nWinSum;
    m_nPendingWin = m_nWinSum;
    m_nSavedScore = m_nScore;
    const bool bAllJokers = RowAllJokers(0) || RowAllJokers(1) || RowAllJokers(2);
    if (bAllJokers)
        m_nPresentationLength = 2450;
    else if (!HasRowWin() && !HasFeverWin())
        m_nPresentationLength = 0;
    else if (HasFeverWin() && m_nWinSum < 2000)
        m_nPresentationLength = 500;
    else if (nTotal < 2000)
        m_nPresentationLength = 300;
    else if ((nTotal >= 10000 && nTotal <= 20000 && m_nBigWinFlag) ||
             (nTotal < 20000 && m_anSeries[3] > 800))
        m_nPresentationLength = 1060;
    else if (nTotal < 5000)
        m_nPresentationLength = 510;
    else if (nTotal < 10000)
        m_nPresentationLength = 610;
    else if (nTotal < 20000)
        m_nPresentationLength = 1010;
    else if (nTotal < 50000)
        m_nPresentationLength = 1110;
    else if (nTotal < 100000)
        m_nPresentationLength = 1360;
    else if (nTotal < 300000)
        m_nPresentationLength = 1800;
    else
        m_nPresentationLength = 2100;
}

void CDemo::StartWinPresentation()
{
    if (IsOnline())
        m_pLink->ReqSpinEnd();
    if (m_nStopTick % 2 == 0 && m_nEffectStep < 7)
        ++m_nEffectStep;
    if (m_nStopTick != kAllReelsStopped + 1)
        return;
    const int32_t nTotal = m_nTotalWin;
    int nEntry;
    if (m_nPresentationLength == 2450)
        nEntry = JixSndInnerJackpot;
    else if (m_nBigWinFlag && nTotal >= 10000 && nTotal <= 20000)
        nEntry = JixSndShotScore;
    else if (nTotal < 2000 && HasFeverWin())
        nEntry = JixSndFever;
    else if (nTotal < 1000)
        nEntry = JixSndScore1000Less;
    else if (nTotal < 20000 && m_anSeries[3] > 500)
        nEntry = JixSndBarSound;
    else if (nTotal < 5000)
        nEntry = JixSndScore5000Less;
    else if (nTotal < 10000)
        nEntry = JixSndScore10000Less;
    else if (nTotal < 20000)
        nEntry = JixSndScore20000Less;
    else if (nTotal < 50000)
        nEntry = JixSndScore50000Less;
    else if (nTotal < 100000)
        nEntry = JixSndScore50000More;
    else if (nTotal < 300000)
        nEntry = JixSndScore100000More;
    else
        nEntry = JixSndScore300000;
    PlayEntry(nEntry);
    m_nExtraTicks = (m_nWinSum < 1000) ? 100 : (m_nWinSum < 10000) ? 200 : 300;
}

// Ends the presentation of a stopped spin: the spin ends when the presentation time is over, after
// the closing sequence for the events that close with it.
void CDemo::EndPresentation()
{
    const bool bWin = m_nWinSum > 0 || HasFeverWin();
    if (m_nClosingCounter == 0 && !BeginClosing(bWin))
        return;
    if (m_nStopTick % 15 == 0 && !StepClosing(bWin))
        return;
    if (m_nClosingImage < 20 && m_nClosingCounter > 0)
        DrawSlot(kFirstClosingSlot + m_nClosingImage, kClosingImageX, kClosingImageY);
}

// Once the presentation time is over: clears the win highlights and ends the spin, unless its event
// closes with the closing sequence. True when the closing sequence starts.
bool CDemo::BeginClosing(bool bWin)
{
    if (bWin ? m_nStopTick <= PresentationEnd() : m_nStopTick < 266)
        return false;
    if (bWin)
        for (auto& row : m_abHighlight)
            for (uint8_t& b : row)
                b = 0;
    if (m_anHint[1] == PreviewEventSpin()) {
        m_nClosingImage = 7;
        m_nActionJix = 0;
    }
    const bool bClosing =
        ((m_nEventKind == 6 || m_nEventKind == 7) && m_anHint[1] == 10000) || m_nSpecialMode == 5;
    if (!bClosing)
        EndSpin(!bWin, false);
    return bClosing;
}

// The next step of the closing sequence: its image, the all-bar sound at steps 1 and 12, the strip
// set changed in the middle steps; the step after the last ends the spin (false).
bool CDemo::StepClosing(bool bWin)
{
    ++m_nClosingCounter;
    if (m_nClosingCounter > kClosingSteps) {
        m_nClosingCounter = 0;
        m_nClosingImage = 7;
        EndSpin(!bWin, true);
        return false;
    }
    m_nClosingImage = kClosingImages[m_nClosingCounter - 1];
    if (m_nClosingCounter == 1 || m_nClosingCounter == 12)
        PlayEntry(JixSndAllBar);
    if (m_nClosingCounter >= 8 && m_nClosingCounter <= 11) {
        if (m_nSpecialMode == 0)
            m_anHint[6] = 0;
        else if (m_nSpecialMode == 5)
            m_anHint[6] = 2;
    }
    return true;
}

void CDemo::EndSpin(bool bNoWinEnd, bool bClosingRun)
{
    for (int32_t& n : m_anReelOffset)
        n = 0;
    m_nScrollOffset = 0;
    m_nStopTick = 0;
    if (bNoWinEnd)
        m_anSeries[3] = 0;
    if (bClosingRun && m_anHint[1] == 10000)
        m_nSpecialMode = 0;
    m_bDigitsShown = 0;
    m_nTotalWin = 0;
    m_bRequestMade = 0;
    m_nShownWin = 0;
    for (auto& row : m_abHighlight)
        for (uint8_t& b : row)
            b = 0;
    m_nBigWinFlag = 0;
    if (!IsOnline()) {
        m_nScore += m_nWinSum;
        if (m_nScore > kScoreCap) {
            m_nScoreOverflow += m_nScore - kScoreCap;
            m_nScore = kScoreCap;
        }
        SetScore(m_nScore);
    }
    StopScoreCount();
    m_nWinSum = 0;
    m_nSavedScore = 0;
    m_nPendingWin = 0;
    if (!IsOnline()) {
        m_nSpinPhase = 0;
        return;
    }
    m_nSpinPhase = 40;
    if (m_pLink->m_bSpinDataHeld && !m_pLink->m_bSpinEndRequested && !m_pLink->ReqSpinEnd())
        CX_LOG_ERROR("CDemo::EndSpin", "spin end request not sent; the next spin waits for it");
    m_pLink->ReqGameFin();
}
