#include "CPelagornProbClient.h"

#include "CPelagornLinkHost.h"
#include "CXLog.h"

namespace {

constexpr const char* kLogFile = "source_pelagorn\\CPelagornProbClient";

}  // namespace

CPelagornProbClient::CPelagornProbClient(CPelagornLinkHost* pHost, CPelagornSender* pSender)
    : m_pHost(pHost), m_pSender(pSender)
{}

bool CPelagornProbClient::HasKey() const
{
    return m_iKind >= 0 && m_iKind <= 0xFF && m_iMachine >= 0 && m_iMachine <= 0xFFFF;
}

uint32_t CPelagornProbClient::Now() const
{
    return m_pHost ? m_pHost->GetTimeMs() : 0;
}

uint32_t CPelagornProbClient::Elapsed(uint32_t& dwStamp) const
{
    const uint32_t dwNow = Now();
    if (static_cast<int32_t>(dwNow - dwStamp) < 0)
        dwStamp = dwNow;
    return dwNow - dwStamp;
}

bool CPelagornProbClient::Send(PelagornRequest request, const CPelagornItemHit& hit)
{
    if (!m_pSender || !HasKey())
        return false;
    return m_pSender->Send(request, static_cast<uint8_t>(m_iKind),
                           static_cast<uint16_t>(m_iMachine), hit);
}

bool CPelagornProbClient::RequestEnter()
{
    return Send(PelagornRequest::Enter);
}

bool CPelagornProbClient::RequestCoinIn(bool bForce)
{
    if (m_bCoinInPending && !bForce)
        return false;
    if (!Send(PelagornRequest::CoinIn))
        return false;
    m_bCoinInPending = 1;
    return true;
}

bool CPelagornProbClient::RequestCoinDrop()
{
    if (m_bCoinDropPending || !Send(PelagornRequest::CoinDrop))
        return false;
    m_bCoinDropPending = 1;
    return true;
}

bool CPelagornProbClient::RequestItemHit(const CPelagornItemHit& hit)
{
    return Send(PelagornRequest::ItemHit, hit);
}

bool CPelagornProbClient::RequestSpinData()
{
    if (m_bSpinDataHeld || m_bSpinDataPending || !Send(PelagornRequest::SpinData))
        return false;
    m_bSpinDataPending = 1;
    m_bSpinCycleOpen = 0;
    m_bResultPending = 0;
    m_bResultFailed = 0;
    return true;
}

bool CPelagornProbClient::RequestResult()
{
    if (m_bResultPending || !Send(PelagornRequest::Result))
        return false;
    m_bResultPending = 1;
    return true;
}

bool CPelagornProbClient::RequestReelsStopped()
{
    if (m_bReelsStoppedSent || !Send(PelagornRequest::ReelsStopped))
        return false;
    m_bReelsStoppedSent = 1;
    return true;
}

bool CPelagornProbClient::RequestGameFin()
{
    if (!m_bSpinEndConfirmed || !m_bSpinDataHeld || m_bGameFinPending || m_bGameFinRetry ||
        m_bGameFinGivenUp)
        return false;
    if (!Send(PelagornRequest::GameFin))
        return false;
    m_bGameFinPending = 1;
    return true;
}

bool CPelagornProbClient::RequestTicketOut(int32_t iCommGift)
{
    if (iCommGift < 1 || Elapsed(m_dwTicketStamp) < kTicketOutIntervalMs)
        return false;
    m_dwTicketStamp = Now();
    if (m_bTicketOutPending || !Send(PelagornRequest::TicketOut))
        return false;
    m_bTicketOutPending = 1;
    return true;
}

void CPelagornProbClient::ScheduleResend(const char* pszWhat, uint8_t& bRetry, uint8_t& byResends,
                                         uint8_t& bGivenUp, uint32_t& dwStamp)
{
    if (bGivenUp)
        return;
    if (byResends >= kMaxResends) {
        bRetry = 0;
        bGivenUp = 1;
        CX_LOG_ERROR("CPelagornProbClient::ScheduleResend",
                     "%s refused after %d resends; no further request. [%d:%d]", pszWhat, byResends,
                     m_iKind, m_iMachine);
        return;
    }
    ++byResends;
    bRetry = 1;
    dwStamp = Now();
}

void CPelagornProbClient::SendSpinEnd()
{
    m_bSpinEndRetry = 0;
    if (Send(PelagornRequest::SpinEnd)) {
        m_bSpinEndSent = 1;
        return;
    }
    ScheduleResend("spin end (40)", m_bSpinEndRetry, m_bySpinEndResends, m_bSpinEndGivenUp,
                   m_dwSpinEndRetryStamp);
}

void CPelagornProbClient::Process()
{
    // A cycle that ended or whose end is confirmed leaves nothing to resend.
    if (m_bSpinEndRetry && (!m_bSpinCycleOpen || m_bSpinEndConfirmed))
        m_bSpinEndRetry = 0;
    if (m_bSpinEndRetry && Elapsed(m_dwSpinEndRetryStamp) >= kRetryDelayMs)
        SendSpinEnd();

    if (m_bGameFinRetry && !m_bSpinDataHeld)
        m_bGameFinRetry = 0;
    if (m_bGameFinRetry && Elapsed(m_dwGameFinRetryStamp) >= kRetryDelayMs) {
        m_bGameFinRetry = 0;
        if (!RequestGameFin())
            ScheduleResend("game finish (43)", m_bGameFinRetry, m_byGameFinResends,
                           m_bGameFinGivenUp, m_dwGameFinRetryStamp);
    }
}

void CPelagornProbClient::OnEnter(const CPelagornEnterRecord& record)
{
    if (m_pHost)
        m_pHost->ApplyEnterData(record);
}

void CPelagornProbClient::OnCoinIn(int32_t iCredit)
{
    m_bCoinInPending = 0;
    if (m_pHost)
        m_pHost->ApplyCoinInCredit(iCredit);
}

void CPelagornProbClient::OnCoinDrop(bool bOk, const CPelagornCoinDropRecord& record)
{
    m_bCoinDropPending = 0;
    if (!m_pHost)
        return;
    if (bOk)
        m_pHost->ApplyCoinDrop(record.dwFromCredit != 0);
    else if (record.bComplete)
        m_pHost->ApplyMeters(record.iCredit, record.iGift, 0, false);
}

void CPelagornProbClient::OnItemHit(bool bOk, const CPelagornItemRecord& record)
{
    if (!m_pHost)
        return;
    if (bOk) {
        if (record.bComplete)
            m_pHost->ApplyItemHit(record);
        return;
    }
    // While a spin's data is held the spin's own answers own the meters.
    if (m_bSpinDataHeld || !record.bComplete)
        return;
    m_pHost->ApplyMeters(record.iCredit, record.iGift, record.iSpin, true);
    m_pHost->RefreshSpin();
}

void CPelagornProbClient::OnSpinData(bool bOk, const CPelagornSpinRecord& record)
{
    m_bSpinDataPending = 0;
    if (bOk && !record.bComplete) {
        // An accepted answer without its record has no event to show: no cycle starts, and the
        // next spin asks again.
        CX_LOG_ERROR("CPelagornProbClient::OnSpinData", "short spin record ignored.");
        return;
    }
    if (bOk) {
        if (m_pHost)
            m_pHost->ApplySpinData(record);
        m_LastSpinData = record;
        m_bSpinCycleOpen = 1;
        m_bSpinEndConfirmed = 0;
        m_bSpinEndSent = 0;
        m_bSpinEndRetry = 0;
        m_bySpinEndResends = 0;
        m_bSpinEndGivenUp = 0;
        m_bGameFinRetry = 0;
        m_byGameFinResends = 0;
        m_bGameFinGivenUp = 0;
        m_bSpinDataHeld = 1;
        m_bReelsStoppedSent = 0;
        return;
    }
    if (!record.bComplete || !m_pHost)
        return;
    m_pHost->ApplyMeters(record.iCredit, record.iGift, record.iSpin, true);
    m_pHost->RefreshSpin();
}

void CPelagornProbClient::OnSpinResult(bool bOk, const CPelagornResultRecord* pRecord)
{
    m_bResultPending = 0;
    if (bOk && pRecord && pRecord->bComplete && pRecord->byStatus == 0) {
        m_bResultFailed = 0;
        if (m_pHost)
            m_pHost->ApplySpinResult(*pRecord);
        return;
    }
    m_bResultFailed = 1;
    // Once per cycle: a 40 already sent, waiting to go again or given up is not asked for anew.
    if (m_bSpinCycleOpen && !m_bSpinEndConfirmed && !m_bSpinEndSent && !m_bSpinEndRetry &&
        !m_bSpinEndGivenUp)
        SendSpinEnd();
}

void CPelagornProbClient::OnSpinEnd(bool bOk)
{
    // Only the answer to this cycle's 40 counts: an answer nobody asked for must not let the game
    // finish go out while results are still wanted.
    if (!m_bSpinEndSent || m_bSpinEndConfirmed)
        return;
    if (bOk) {
        m_bSpinEndConfirmed = 1;
        m_bSpinEndRetry = 0;
        return;
    }
    if (m_bSpinCycleOpen)
        ScheduleResend("spin end (40)", m_bSpinEndRetry, m_bySpinEndResends, m_bSpinEndGivenUp,
                       m_dwSpinEndRetryStamp);
}

void CPelagornProbClient::OnTicketOut(bool bOk, const CPelagornTicketOutRecord& record)
{
    m_bTicketOutPending = 0;
    if (m_pHost && record.bComplete)
        m_pHost->ApplyTicketOut(bOk, record);
}

void CPelagornProbClient::OnGameFin(bool bOk, const CPelagornGameFinRecord& record)
{
    m_bGameFinPending = 0;
    if (bOk) {
        m_bSpinCycleOpen = 0;
        m_bSpinDataHeld = 0;
        m_bGameFinRetry = 0;
        if (m_pHost && record.bComplete)
            m_pHost->ApplyGameFin(record);
        return;
    }
    if (m_bSpinDataHeld)
        ScheduleResend("game finish (43)", m_bGameFinRetry, m_byGameFinResends, m_bGameFinGivenUp,
                       m_dwGameFinRetryStamp);
}
