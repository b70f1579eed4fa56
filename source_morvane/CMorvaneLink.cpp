#include "CMorvaneLink.h"

#include "CMorvaneLinkHost.h"
#include "CMorvaneOwner.h"
#include "CMorvaneSender.h"
#include "CXLog.h"
#include "MachineTable.h"

CMorvaneLink::CMorvaneLink(CMorvaneLinkHost* host) : m_pHost(host)
{
    if (CMorvaneOwner* owner = host->GetOwner()) {
        m_nKind = owner->GetMorvaneKind();
        m_nMachineNo = owner->GetMorvaneMachineNo();
    }
}

bool CMorvaneLink::Send(uint16_t request)
{
    if (!m_pHost->Networked() || !m_pSender)
        return false;
    return m_pSender->Send(static_cast<MorvaneRequest>(request), static_cast<uint8_t>(m_nKind),
                           static_cast<uint16_t>(m_nMachineNo));
}

bool CMorvaneLink::ReqEnter()
{
    return Send(uint16_t(MorvaneRequest::Enter));
}

bool CMorvaneLink::ReqCoinIn(bool force)
{
    if (m_byCoinInPending && !force)
        return false;
    const bool sent = Send(uint16_t(MorvaneRequest::CoinIn));
    if (sent)
        m_byCoinInPending = 1;
    return sent;
}

bool CMorvaneLink::ReqSpinData()
{
    const bool sent = Send(uint16_t(MorvaneRequest::SpinData));
    if (sent)
        SpinReq = 1;
    return sent;
}

bool CMorvaneLink::ReqTicketOut()
{
    if (TicketOutReq)
        return false;
    const bool sent = Send(uint16_t(MorvaneRequest::TicketOut));
    if (sent)
        TicketOutReq = 1;
    return sent;
}

bool CMorvaneLink::ReqSpinDone()
{
    m_bySpinDoneSent = 1;
    return Send(uint16_t(MorvaneRequest::SpinDone));
}

bool CMorvaneLink::ReqSpinEnd()
{
    SpinEnd = 0;
    m_bySpinEndReq = 1;
    return Send(uint16_t(MorvaneRequest::SpinEnd));
}

bool CMorvaneLink::ReqGameFin()
{
    finReq = 1;
    return Send(uint16_t(MorvaneRequest::GameFin));
}

bool CMorvaneLink::ReqDoubleUp()
{
    return Send(uint16_t(MorvaneRequest::DoubleUp));
}

bool CMorvaneLink::ReqPerformanceValue(int32_t stage, int32_t choice)
{
    if (!m_pHost->Networked() || !m_pSender)
        return false;
    const bool sent = m_pSender->SendPerformanceValue(static_cast<uint8_t>(m_nKind),
                                                      static_cast<uint16_t>(m_nMachineNo),
                                                      static_cast<uint32_t>(stage), choice ? 1 : 0);
    if (sent)
        m_byValueReq = 1;
    return sent;
}

bool CMorvaneLink::ReqPerformanceEnd()
{
    return Send(uint16_t(MorvaneRequest::PerformanceEnd));
}

void CMorvaneLink::OnAnsPerformanceValue(uint32_t index, int32_t value, int32_t flag,
                                         int32_t amount)
{
    m_byValueReq = 0;
    m_pHost->AnsPerformanceValue(index, value, flag, amount);
}

void CMorvaneLink::OnAnsPerformanceRefused()
{
    m_byValueReq = 0;
    m_pHost->AnsPerformanceRefused();
}

void CMorvaneLink::RefreshMachine()
{
    const CMachineState* row = g_MachineTable.Find(m_nKind, m_nMachineNo);
    if (!row)
        return;
    m_pHost->TakeCredit(row->m_nCredit);
    m_pHost->TakeScore(row->m_nScore);
}

namespace {

bool TakeRecord(const uint8_t* data, size_t size, CMorvaneSpinData& into, const char* function)
{
    if (ReadMorvaneSpinData(data, size, into))
        return true;
    CXLog::ErrorLog().Write(__FILE__, function, __LINE__, "spin record out of range refused.");
    return false;
}

}  // namespace

void CMorvaneLink::OnAnsEnter(const uint8_t* record, size_t size)
{
    RefreshMachine();
    TakeRecord(record, size, m_Record, "CMorvaneLink::OnAnsEnter");
    m_pHost->ApplySpinData(true);
    if (CMorvaneOwner* owner = m_pHost->GetOwner())
        owner->SetMorvaneActive();
}

void CMorvaneLink::OnAnsCoinIn(bool accepted)
{
    m_byCoinInPending = 0;
    if (const CMachineState* row = g_MachineTable.Find(m_nKind, m_nMachineNo))
        m_pHost->TakeCredit(row->m_nCredit);
    // A refused coin-in put no money in.
    if (!accepted)
        return;
    if (CMorvaneOwner* owner = m_pHost->GetOwner())
        owner->AddMorvaneMoneyInserted(10000);
}

void CMorvaneLink::OnAnsSpinData(bool granted, const uint8_t* record, size_t size)
{
    SpinReq = 0;
    if (!granted || !record)
        return;
    // A bad record counts as a refused answer: the next armed tick asks again.
    if (!TakeRecord(record, size, m_Record, "CMorvaneLink::OnAnsSpinData"))
        return;
    RefreshMachine();
    SpinDataRecved = 1;
    m_bySpinEndReq = 0;
    playing = 1;
    m_bySpinDoneSent = 0;
    if (CMorvaneOwner* owner = m_pHost->GetOwner())
        owner->AddMorvaneTotals(m_pHost->GetBet(), m_Record.nWinAmount);
}

void CMorvaneLink::OnAnsSpinEnd(bool ok)
{
    if (!ok)
        return;
    SpinEnd = 1;
    m_pHost->OnSpinEnded();
}

void CMorvaneLink::OnAnsTicketOut(bool ok)
{
    TicketOutReq = 0;
    RefreshMachine();
    m_pHost->OnTicketOut(ok);
}

void CMorvaneLink::OnAnsGameFin(bool ok)
{
    finReq = 0;
    if (ok) {
        SpinDataRecved = 0;
        playing = 0;
    }
    RefreshMachine();
    m_pHost->OnGameFin(ok);
}
