// Credit, score and ticket-out rules, the coin launch and the demo stage.
#include "CDemo.h"
#include "CDemoLink.h"
#include "CXSaturate.h"
#include "JixSoundTable.h"

void JixSplitDigits(int32_t nValue, int32_t* pDigits, int32_t* pQuotients, int nCount)
{
    int64_t nRest = nValue < 0 ? 0 : nValue;
    for (int i = 0; i < nCount; ++i) {
        pQuotients[i] = int32_t(nRest);
        pDigits[i] = int32_t(nRest % 10);
        nRest /= 10;
    }
}

bool CDemo::IsPlayable() const
{
    return m_nCredit >= kPlayCost || m_nScore % kTicketUnit >= kPlayCost;
}

bool CDemo::IsOutOfCredit() const
{
    return m_nCredit < kPlayCost && m_nWinSum == 0 && m_nScore < kPlayCost;
}

bool CDemo::NeedsTicketOut() const
{
    return m_nScore >= kScoreCap ||
           (m_nCredit < kPlayCost && m_nScore > 0 && m_nScore % kTicketUnit == 0);
}

bool CDemo::CheckPlayable()
{
    const bool bPlayable = IsPlayable();
    if (!m_bTicketWanted && bPlayable)
        m_bPlayWanted = 1;
    return bPlayable;
}

void CDemo::TicketTest()
{
    if (NeedsTicketOut())
        m_bTicketWanted = 1;
}

void CDemo::SetCredit(int32_t nCredit)
{
    m_nCreditShown = nCredit;
    JixSplitDigits(nCredit, m_anCreditDigit, m_anCreditQuot, 10);
}

void CDemo::SetScore(int32_t nScore)
{
    m_nScoreShown = nScore > kScoreCap ? kScoreCap : nScore;
    JixSplitDigits(nScore, m_anScoreDigit, m_anScoreQuot, 10);
}

void CDemo::SetWin(int32_t nSpins)
{
    m_nSpinsShown = nSpins;
    JixSplitDigits(nSpins, m_anSpinsDigit, m_anSpinsQuot, 6);
}

void CDemo::SetActionCode(int32_t nAction)
{
    if (m_nActionJix == 0 && nAction > 0 && IsOnline() && !m_pLink->m_bActionSent)
        m_pLink->ReqAction();
    m_nActionJix = nAction;
}

int32_t CDemo::PathCodeForTarget(int32_t nTarget)
{
    // Upper bounds (exclusive) of the bands and their codes: multiples of 50 own 20, the others
    // 10, and 625 owns 30.
    struct Band {
        int32_t nBelow;
        int32_t nCode;
    };
    static constexpr Band kBands[] = {
        {130, 125}, {140, 135}, {160, 150}, {170, 165}, {180, 175}, {190, 185}, {210, 200},
        {220, 215}, {230, 225}, {240, 235}, {260, 250}, {270, 265}, {280, 275}, {290, 285},
        {310, 300}, {320, 315}, {330, 325}, {340, 335}, {360, 350}, {370, 365}, {380, 375},
        {390, 385}, {410, 400}, {420, 415}, {430, 425}, {440, 435}, {460, 450}, {470, 465},
        {480, 475}, {490, 485}, {510, 500}, {520, 515}, {530, 525}, {540, 535}, {560, 550},
        {570, 565}, {580, 575}, {590, 585}, {610, 600}, {620, 615}, {650, 625}};
    for (const Band& band : kBands)
        if (nTarget < band.nBelow)
            return band.nCode;
    return 0;
}

void CDemo::ChooseWalkAction()
{
    m_nLaunchTarget = m_nLaunchHeight + 60;
    if (const int32_t nCode = PathCodeForTarget(m_nLaunchTarget))
        m_nPathCode = nCode;
    m_bFlying = 1;
}

void CDemo::CountUpScore()
{
    if (m_nStopTick < 395) {
        if (!m_bDigitsShown) {
            int32_t anQuot[5];
            JixSplitDigits(m_nPendingWin, m_anPendingDigit, anQuot, 5);
            m_bDigitsShown = 1;
        }
        return;
    }
    if (m_nStopTick < m_nPresentationLength || m_nPendingWin <= 0 || m_nPendingWin > 49999)
        return;
    const int32_t nStep = m_nPendingWin >= 1000 ? 100 : 10;
    const int32_t nMove = nStep < m_nPendingWin ? nStep : m_nPendingWin;
    m_nPendingWin -= nMove;
    m_nSavedScore = CXAddSat32(m_nSavedScore, nMove);
    if (m_nSavedScore > kScoreCap)
        m_nSavedScore = kScoreCap;
    int32_t anQuot[5];
    JixSplitDigits(m_nPendingWin, m_anPendingDigit, anQuot, 5);
    SetScore(m_nSavedScore);
}

void CDemo::EndTicketOut()
{
    m_bTicketWanted = 0;
    m_nTicketsPaid = 0;
    m_nTicketImageStep = 0;
    m_nTicketStepCounter = 0;
    m_bTicketShown = 0;
    m_bSpinsCashed = 0;
    m_nLowScoreWait = 0;
    m_nScoreOverflow = CXAddSat32(m_nScoreOverflow, CXMulSat32(m_nSpinsLeft, 100));
    m_nSpinsLeft = 0;
    SetWin(0);
}

void CDemo::StepTicketOut(bool bTestOnly)
{
    if (bTestOnly) {
        TicketTest();
        return;
    }
    if (m_bTicketWanted != 1 || m_bFlying)
        return;
    if (!m_bSpinsCashed) {
        m_nScoreOverflow = CXAddSat32(m_nScoreOverflow, CXMulSat32(m_nSpinsLeft, 100));
        m_bSpinsCashed = 1;
    }
    m_nSpinsLeft = 0;
    SetWin(0);
    m_bTicketShown = 1;

    if (m_nScore < kTicketUnit) {
        // The ticket-out ends once the score has stayed below one ticket for more than 50
        // ticks, however many tickets were paid.
        if (++m_nLowScoreWait > 50) {
            EndTicketOut();
            return;
        }
    } else if (m_nTickCount % 200 == 1 && IsOnline()) {
        m_pLink->ReqTicketOut();
    }

    if (m_nTickCount % 10 == 0) {
        ++m_nTicketStepCounter;
        if (m_nTicketsPaid > 4) {
            m_nTicketStepCounter = 1;
            m_nTicketImageStep = 0;
        }
        const int32_t nLimit = m_nTicketsPaid < 2    ? 15
                               : m_nTicketsPaid == 2 ? 18
                               : m_nTicketsPaid == 3 ? 21
                                                     : 24;
        if (m_nTicketImageStep < nLimit)
            ++m_nTicketImageStep;
    }
    DrawSlot(747 + m_nTicketImageStep, 450, 172);
}

void CDemo::OnTicketPaid()
{
    ++m_nTicketsPaid;
    if (m_nScore < kTicketUnit)
        SetWin(0);
    PlayEntry(JixSndTicketOut);
    m_nScoreAfterWin = 0;
}

int32_t CDemo::GetSeriesMultiplier() const
{
    switch (m_anSeries[0]) {
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
        return 5;
    case 4:
        return 10;
    default:
        return 1;
    }
}

void CDemo::ApplyStage()
{
    if (m_nStage > 73)
        m_nStage = 25;
    if (m_nStage == 25)
        SetActionCode(1);
}

void CDemo::DecideBonus(int32_t nLevel)
{
    m_nBonusLevel = nLevel;
    m_bBonusDecided = 1;
    if (IsOnline()) {
        PlayEntry(JixSndHitIcon);
        if (!m_pLink->m_bBonusPending && nLevel > 0)
            m_pLink->ReqBonus(nLevel);
        return;
    }
    if (nLevel == 1 || nLevel == 3 || nLevel == 5 || nLevel == 7) {
        ++m_nSpinsLeft;
        SetWin(m_nSpinsLeft);
    } else if (nLevel == 4 || nLevel == 6) {
        m_nScore += 100;
        if (m_nScore > kScoreCap)
            m_nScore = kScoreCap;
    }
}
