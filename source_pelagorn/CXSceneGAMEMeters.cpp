// The game scene's money side: the meters and their displays, the coin drop, gift-out and
// ticket-out, and the server's answers that carry meters.
#include <algorithm>

#include "CPelagorn.h"
#include "CXDrawCOIN.h"
#include "CXDrawFRAME.h"
#include "CXLog.h"
#include "CXSaturate.h"
#include "CXSceneGAME.h"
#include "CXSceneLOGO.h"

namespace {

// Integer percentage of a value against a maximum; none for a maximum <= 0.
bool Percent(int32_t iValue, int32_t iMaximum, double& out)
{
    if (iMaximum <= 0)
        return false;
    out = static_cast<double>(iValue) * 100.0 / iMaximum;
    return true;
}

uint32_t Shown(int32_t iValue)
{
    return static_cast<uint32_t>(std::max(iValue, 0));
}

}  // namespace

void CXSceneGAME::TakeMeters(int32_t iCredit, int32_t iGift, int32_t iSpin)
{
    m_iCredit = iCredit;
    m_iGift = iGift;
    m_iSpin = iSpin;
    ShowCredit(false);
    ShowGift();
    ShowSpin();
}

void CXSceneGAME::ShowCredit(bool bJump)
{
    if (m_pFrame)
        m_pFrame->SetScore(CXDrawFRAME::kCreditScore, Shown(m_iCredit), bJump, 0);
}

void CXSceneGAME::ShowGift()
{
    // GIFT above the maximum shows as the maximum (the frame takes the gauge from it).
    if (m_pFrame)
        m_pFrame->SetScore(CXDrawFRAME::kGiftScore, Shown(std::min(m_iGift, m_iGiftMaximum)), false,
                           0);
}

void CXSceneGAME::ShowSpin()
{
    if (m_pFrame)
        m_pFrame->SetScore(0, Shown(m_iSpin), false, 0);
}

void CXSceneGAME::ShowCoinsInPlay()
{
    if (m_pFrame)
        m_pFrame->SetScore(1, Shown(m_iCoinsInPlay), false, 0);
}

void CXSceneGAME::ShowOil()
{
    if (!m_pFrame)
        return;
    double left = 0.0;
    double right = 0.0;
    if (!Percent(m_iLOil, m_iOilMaximum, left) || !Percent(m_iROil, m_iOilMaximum, right))
        return;
    m_pFrame->m_dLeftOilShown = m_pFrame->m_dLeftOilTarget;
    m_pFrame->m_dLeftOilTarget = left;
    m_pFrame->m_dRightOilShown = m_pFrame->m_dRightOilTarget;
    m_pFrame->m_dRightOilTarget = right;
}

void CXSceneGAME::RestoreDisplays()
{
    ShowCredit(false);
    ShowGift();
    ShowSpin();
    ShowCoinsInPlay();
    ShowOil();
}

void CXSceneGAME::RefreshSpin()
{
    ShowSpin();
}

void CXSceneGAME::AddGift(int32_t n)
{
    m_iGift = CXAddSat32(m_iGift, n);
    ShowGift();
}

void CXSceneGAME::RequestCoinDrop()
{
    if (m_iCommGift > 0 || !m_bCoinDropPermit)
        return;
    // The coins object keeps the drop interval.
    if (m_pCoins && !m_pCoins->IsDropTime())
        return;
    if (m_iCredit < m_iCoinThreshold && m_iGift < m_iCoinThreshold)
        return;
    if (CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr)
        pLink->RequestCoinDrop();
}

void CXSceneGAME::ApplyCoinDrop(bool bFromCredit)
{
    if (m_pCoins && m_pDropper &&
        !m_pCoins->DropCoin(m_pDropper->GetDropX(), m_pDropper->m_fDirection))
        return;
    m_iCoinsInPlay = CXAddSat32(m_iCoinsInPlay, m_iCoinThreshold);
    m_bCoinDropPermit = 0;
    if (bFromCredit) {
        m_iCredit = std::max(CXSubSat32(m_iCredit, m_iCoinThreshold), 0);
        ShowCredit(false);
    } else {
        m_iGift = m_iGift < m_iCoinThreshold ? 0 : m_iGift - m_iCoinThreshold;
        ShowGift();
        if ((m_iAutoGiftMode == 0 || m_iAutoGiftMode == 2) && m_iCredit == 0 && m_iGiftUnit > 0 &&
            m_iGift >= m_iGiftUnit && m_iGift % m_iGiftUnit <= 50)
            StartGiftOut(m_iGift / m_iGiftUnit, false);
    }
    ShowCoinsInPlay();
}

void CXSceneGAME::CoinLeavesPlay()
{
    if (m_iCoinsInPlay >= m_iCoinThreshold) {
        m_iCoinsInPlay -= m_iCoinThreshold;
        ShowCoinsInPlay();
    }
}

void CXSceneGAME::CheckAutoGiftOut()
{
    CXDrawNUMBER* pGiftNumber = m_pFrame && CXDrawFRAME::kGiftScore < m_pFrame->m_Scores.GetSize()
                                    ? m_pFrame->m_Scores.GetAt(CXDrawFRAME::kGiftScore)
                                    : nullptr;
    if (pGiftNumber && !pGiftNumber->Reached())
        return;
    if (m_iCommGift != 0 || m_byError.load() != 0 || m_iGiftUnit <= 0)
        return;
    if (m_iGift >= m_iGiftMaximum) {
        StartGiftOut(m_iGift / m_iGiftUnit, false);
        return;
    }
    if (m_iGift / m_iGiftUnit >= 1 && m_iCredit < m_iCoinThreshold &&
        m_iGift % m_iGiftUnit < m_iCoinThreshold)
        StartGiftOut(m_iGift / m_iGiftUnit, false);
}

void CXSceneGAME::StartGiftOut(int32_t iCount, bool bFromKey)
{
    if (IsDemoMode() || m_iGiftUnit <= 0)
        return;
    iCount = std::min(iCount, m_iGiftOutLimit);
    if (iCount <= 0 || m_iCommGift != 0 || m_byError.load() != 0)
        return;
    const uint32_t dwNow = GetTimeMs();
    m_iGiftsStarted = CXAddSat32(m_iGiftsStarted, iCount);
    m_dwGiftsStartedStamp = dwNow;
    AddCommGiftToGo(iCount);
    // GIFT moves into COMM_GIFT only when the gift-out was accepted.
    if (m_iCommGift == 0)
        return;
    // The gift-out counts as paid only when the board or the server says so, never because the
    // board did not answer.
    SendGiftOut(iCount);
    if (CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr)
        pLink->StampTicketOut();
    const int64_t iPaid = static_cast<int64_t>(iCount) * m_iGiftUnit;
    m_iGift = m_iGift < iPaid ? 0 : static_cast<int32_t>(m_iGift - iPaid);
    if (m_iHighPrizeMode != 0 || IsLastResultHigh())
        m_iHighBonus = CXAddSat32(m_iHighBonus, m_iGift);
    else if (!bFromKey)
        m_iNormalBonus = CXAddSat32(m_iNormalBonus, m_iGift);
    m_iSkipCount = CXAddSat32(m_iSkipCount, m_iSpin);
    m_iGift = 0;
    m_iSpin = 0;
    m_iCoinsInPlay = 0;
    m_iReelPrizeCount = 0;
    ResetBackgroundScroll();
    ShowGift();
    ShowSpin();
    ShowCoinsInPlay();
    SaveGameData();
}

void CXSceneGAME::AddCommGiftToGo(int32_t iCount)
{
    if (iCount > 0) {
        if (m_iCommGift != 0) {
            CX_LOG_SYSTEM("CXSceneGAME::AddCommGiftToGo", "### m_iCommGiftToGo=%d", m_iCommGift);
            return;
        }
        const int64_t nD = static_cast<int64_t>(iCount) * m_iGiftUnit;
        if (nD > m_iGiftMaximum) {
            CX_LOG_SYSTEM("CXSceneGAME::AddCommGiftToGo", "### nD=%lld, iCount=%d",
                          static_cast<long long>(nD), iCount);
            return;
        }
        m_iCommGift = static_cast<int32_t>(nD);
        SaveGameData();
        return;
    }
    if (iCount == 0)
        return;
    if (m_iCommGift <= 0) {
        CX_LOG_SYSTEM("CXSceneGAME::AddCommGiftToGo", "### m_iCommGiftToGo=%d", m_iCommGift);
        return;
    }
    if (m_iHighPrizeMode != 0 || IsLastResultHigh() || m_iHighBonus != 0)
        m_iLastHighPrizeGCount += 1;
    const int64_t nPaid = -static_cast<int64_t>(iCount) * m_iGiftUnit;
    if (m_iCommGift >= nPaid) {
        for (int32_t i = 0; i < -iCount; ++i) {
            m_iCommGift -= m_iGiftUnit;
            m_SaveData.m_aiAccounts[ACCOUNT_OUTPUT_GIFT] += 1;
            SaveAccountsData();
        }
    }
    if (m_iCommGift == 0) {
        m_ErrorWindow.Stop();
        m_byError = 0;
    }
    SaveGameData();
}

void CXSceneGAME::ResumeGiftOut()
{
    m_bResend = 0;
    // Nothing owed: nothing to send again (a flag armed now would send a later gift-out twice).
    if (m_iCommGift == 0)
        return;
    m_byError = ERROR_GIFT_UNANSWERED;
    const int32_t iSendCount = m_iGiftSendCount.load();
    if (iSendCount != 0 && m_iGiftUnit > 0 && iSendCount == m_iCommGift / m_iGiftUnit)
        SendGiftOut(iSendCount);
    else
        m_bResend = 1;
}

void CXSceneGAME::RequestTicketOut()
{
    if (CPelagornProbClient* pLink = m_pOwner ? m_pOwner->GetProbClient() : nullptr)
        pLink->RequestTicketOut(m_iCommGift);
}

void CXSceneGAME::CreditTick()
{
    const int32_t iCredit = TakeCreditInput();
    if (iCredit != 0) {
        m_iCredit = CXAddSat32(m_iCredit, iCredit);
        int32_t& iInput = m_SaveData.m_aiAccounts[ACCOUNT_INPUT_MONEY];
        iInput = CXAddSat32(iInput, iCredit);
        SaveAccountsData();
        m_bCreditArrived = 1;
        ShowCredit(false);
    }
    for (int32_t n = TakeGiftsDispensed(); n > 0; --n)
        AddCommGiftToGo(-1);
    // The board echoed a gift-out and GIFT_SEND_COUNT went down on the serial thread.
    if (TakeGiftSendCountChanged())
        SaveGameData();
    if (m_byError.load() == ERROR_GIFT_UNANSWERED) {
        if (m_iCommGift > 0) {
            m_dwGiftErrorStamp = GetTimeMs();
            if (!m_ErrorWindow.IsPlaying())
                m_ErrorWindow.Play();
        } else {
            m_byError = 255;
        }
    } else if (m_byError.load() == 0 && m_ErrorWindow.IsPlaying()) {
        m_ErrorWindow.Stop();
    }
}

void CXSceneGAME::ApplyEnterData(const CPelagornEnterRecord& r)
{
    m_iCredit = r.iCredit;
    m_iGift = r.iGift;
    m_iSpin = r.iSpin;
    // A zero or negative divisor keeps the scene's own value.
    auto positive = [](int32_t value, int32_t fallback, const char* name) {
        if (value > 0)
            return value;
        CX_LOG_ERROR("CXSceneGAME::ApplyEnterData", "%s %d refused; %d kept.", name, value,
                     fallback);
        return fallback;
    };
    m_iCoinThreshold = positive(r.iCoinThreshold, m_iCoinThreshold, "coin threshold");
    m_iGiftMaximum = positive(r.iGiftMaximum, m_iGiftMaximum, "gift maximum");
    m_iGiftUnit = positive(r.iGiftUnit, m_iGiftUnit, "gift unit");
    m_iGiftOutLimit = r.iGiftOutLimit;
    m_iOilMaximum = r.iOilMaximum;
    m_iLOil = r.iLOil;
    m_iROil = r.iROil;
    m_iCommGift = r.iCommGift;
    m_iGiftSendCount = r.iGiftSendCount;
    m_iShakeAmplitude = r.iShakeAmplitude;
    m_iHighPrizeSkip = r.aiCabinetRule[2];
    m_iHighPrizeRepeat = r.iHighPrizeRepeat;
    m_byType4Effect = r.byType4Effect;
    m_iHighEffectMode = r.iHighEffectMode;
    m_iHighPrizeKind = r.iHighPrizeKind;
    m_iHighPrizeMode = r.iHighPrizeMode;
    for (int i = 0; i < 4; ++i)
        m_aiReelStopLine[i] = r.aiReelStopLine[i];
    SetReelStops(m_aiReelStopLine);
    RestoreDisplays();
    if (m_pOwner && m_pOwner->GetSceneLOGO()) {
        CXSceneLOGO* pLogo = m_pOwner->GetSceneLOGO();
        pLogo->m_dElapsed = 0.0;
        pLogo->StartDemoLogo();
    }
}

void CXSceneGAME::ApplyCoinInCredit(int32_t iCredit)
{
    m_iCredit = iCredit;
    ShowCredit(true);
    m_bCreditArrived = 1;
}

void CXSceneGAME::ApplyMeters(int32_t iCredit, int32_t iGift, int32_t iSpin, bool bWithSpin)
{
    m_iCredit = iCredit;
    m_iGift = iGift;
    ShowCredit(false);
    ShowGift();
    if (bWithSpin) {
        m_iSpin = iSpin;
        ShowSpin();
    }
    SaveGameData();
}

void CXSceneGAME::ApplyTicketOut(bool bOk, const CPelagornTicketOutRecord& r)
{
    m_iCommGift = r.iCommGift;
    m_iGiftSendCount = r.iGiftSendCount;
    m_iLOil = r.iLOil;
    m_iROil = r.iROil;
    TakeMeters(r.iCredit, r.iGift, r.iSpin);
    ShowOil();
    if (bOk && m_iCommGift <= 0) {
        m_ErrorWindow.Stop();
        m_byError = 0;
    }
}

void CXSceneGAME::ApplyGameFin(const CPelagornGameFinRecord& r)
{
    TakeMeters(r.iCredit, r.iGift, r.iSpin);
}
