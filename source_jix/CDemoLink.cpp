#include "CDemoLink.h"

#include <cstdarg>
#include <cstdio>

#include "CDemo.h"
#include "CDemoTrace.h"
#include "CJixHost.h"
#include "CXLog.h"
#include "CXSaturate.h"
#include "JixSender.h"
#include "MachineTable.h"

CDemoLink::CDemoLink(CDemo* pOwner, int32_t nGameType, int32_t nMachineNo)
    : m_pOwner(pOwner), m_nGameType(nGameType), m_nMachineNo(nMachineNo)
{}

CDemoLink::~CDemoLink()
{
    delete m_pTrace;
}

void CDemoLink::SetTraceSink(CDemoTrace* pSink)
{
    if (pSink != m_pTrace)
        delete m_pTrace;
    m_pTrace = pSink;
}

void CDemoLink::Trace(const char* pszFormat, ...)
{
    if (!m_pTrace || !pszFormat)
        return;
    char szText[1024] = {};
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(szText, sizeof(szText), pszFormat, args);
    va_end(args);
    // The trace formats are ASCII; each byte becomes one UTF-16 unit.
    char16_t szWide[1024] = {};
    for (size_t i = 0; i + 1 < std::size(szWide) && szText[i]; ++i)
        szWide[i] = char16_t(static_cast<unsigned char>(szText[i]));
    m_pTrace->WriteLine(szWide);
}

bool CDemoLink::Send(JixRequest request, uint32_t dwValue)
{
    if (!m_pOwner->IsOnline())
        return false;
    return m_pOwner->GetHost()->GetJixSender().Send(request, uint8_t(m_nGameType),
                                                    uint16_t(m_nMachineNo), dwValue);
}

bool CDemoLink::ReqEnter()
{
    return Send(JixRequest::Enter);
}

bool CDemoLink::ReqCoinIn()
{
    if (!Send(JixRequest::CoinIn))
        return false;
    m_bCoinInPending = 1;
    return true;
}

bool CDemoLink::ReqPlayStart()
{
    if (!m_pOwner->IsOnline() || m_pOwner->NeedsTicketOut() || m_bPlayStartPending)
        return false;
    if (m_dwRefusedAt != 0) {
        if (m_pOwner->GetHost()->JixNow() - m_dwRefusedAt < uint32_t(m_nRetryWait))
            return false;
        m_dwRefusedAt = 0;
    }
    if (!Send(JixRequest::PlayStart))
        return false;
    m_bPlayStartPending = 1;
    return true;
}

bool CDemoLink::ReqBonus(int32_t nLevel)
{
    if (m_bBonusPending || nLevel <= 0 || !Send(JixRequest::Bonus, uint32_t(nLevel)))
        return false;
    m_bBonusPending = 1;
    return true;
}

bool CDemoLink::ReqSpinData()
{
    if (!m_pOwner->IsOnline() || m_bPlaying || m_bSpinDataRequested)
        return false;
    Trace("ReqSpinData");
    if (!Send(JixRequest::SpinData)) {
        CX_LOG_ERROR("CDemoLink::ReqSpinData", "spin data request not sent; the round waits");
        return false;
    }
    m_bSpinDataRequested = 1;
    m_bSpinDataHeld = 0;
    return true;
}

bool CDemoLink::ReqSpinEnd()
{
    if (!m_pOwner->IsOnline() || !m_bSpinDataHeld || m_bSpinEndRequested)
        return false;
    Trace("ReqSpinEnd");
    if (!Send(JixRequest::SpinEnd))
        return false;
    m_bSpinEnded = 0;
    m_bSpinEndRequested = 1;
    return true;
}

bool CDemoLink::ReqGameFin()
{
    if (!m_pOwner->IsOnline() || m_bGameFinPending)
        return false;
    Trace("ReqGameFin");
    if (!Send(JixRequest::GameFin)) {
        CX_LOG_ERROR("CDemoLink::ReqGameFin", "game-fin request not sent; the round waits");
        return false;
    }
    m_bGameFinPending = 1;
    return true;
}

bool CDemoLink::ReqTicketOut()
{
    if (!m_pOwner->IsOnline() || m_bTicketOutPending)
        return false;
    Trace("ReqTicketOut: save=%d", m_pOwner->m_nScore);
    if (!Send(JixRequest::TicketOut))
        return false;
    m_bTicketOutPending = 1;
    return true;
}

bool CDemoLink::ReqAction()
{
    if (m_bActionSent || !Send(JixRequest::Action))
        return false;
    m_bActionSent = 1;
    return true;
}

void CDemoLink::RefreshMachine(bool bWithScoreDigits)
{
    const CMachineState* pRow = g_MachineTable.Find(m_nGameType, m_nMachineNo);
    if (!pRow)
        return;
    m_pOwner->m_nCredit = pRow->m_nCredit;
    m_pOwner->SetCredit(pRow->m_nCredit);
    m_pOwner->m_nSpinsLeft = pRow->m_nWin;
    m_pOwner->SetWin(pRow->m_nWin);
    m_pOwner->m_nScore = pRow->m_nScore;
    if (bWithScoreDigits)
        m_pOwner->SetScore(pRow->m_nScore);
}

void CDemoLink::OnAnsSpinData(const uint8_t* pBlock)
{
    if (!pBlock)
        return;
    RefreshMachine(false);
    if (CJixHost* pHost = m_pOwner->GetHost())
        pHost->AddPlayCredit(100);
    m_SpinData.Read(pBlock, CJixSpinData::kSize);
    m_bSpinDataHeld = 1;
    m_bSpinEndRequested = 0;
    m_bPlaying = 1;
    m_bActionSent = 0;
}

void CDemoLink::OnAnsPlayStart(bool bOk, uint32_t dwValue)
{
    m_bPlayStartPending = 0;
    if (bOk) {
        m_dwRefusedAt = 0;
        RefreshMachine(false);
        const int32_t nValue = int32_t(dwValue);
        if (nValue > 0)
            m_pOwner->SetScore(m_bPlaying ? CXSubSat32(m_pOwner->m_nScoreShown, nValue)
                                          : m_pOwner->m_nScore);
        m_pOwner->ChooseWalkAction();
        return;
    }
    RefreshMachine(true);
    m_pOwner->TicketTest();
    const uint32_t dwNow = m_pOwner->GetHost()->JixNow();
    m_dwRefusedAt = dwNow ? dwNow : 1;
}

void CDemoLink::OnAnsBonus(bool bOk, uint32_t dwAmount)
{
    m_bBonusPending = 0;
    RefreshMachine(false);
    if (!bOk)
        return;
    const int32_t nAmount = int32_t(dwAmount);
    if (nAmount > 0) {
        if (m_bPlaying) {
            m_pOwner->SetScore(CXAddSat32(m_pOwner->m_nScoreShown, nAmount));
        } else {
            m_pOwner->SetScore(m_pOwner->m_nScore);
            m_pOwner->TicketTest();
        }
    } else if (!m_bPlaying) {
        m_pOwner->TicketTest();
    }
}

void CDemoLink::OnAnsTicketOut(bool bValid)
{
    m_bTicketOutPending = 0;
    Trace("AnsTicketOut: ticketValid=%d", bValid ? 1 : 0);
    if (bValid) {
        RefreshMachine(true);
        if (CJixHost* pHost = m_pOwner->GetHost())
            pHost->AddTotalTicket(1);
        m_pOwner->OnTicketPaid();
        return;
    }
    m_pOwner->m_bTicketWanted = 0;
    RefreshMachine(true);
    m_pOwner->TicketTest();
}

void CDemoLink::OnAnsGameFin()
{
    RefreshMachine(true);
    m_bSpinDataHeld = 0;
    m_bPlaying = 0;
    m_pOwner->TicketTest();
    m_pOwner->m_nSpinPhase = 0;
}
