#include "CMorvaneSender.h"

#include "NetworkClient.h"

bool CMorvaneNetSender::Send(MorvaneRequest request, uint8_t kind, uint16_t machineNo)
{
    if (!m_pClient)
        return false;
    switch (request) {
    case MorvaneRequest::Enter:
        return m_pClient->ReqMorvaneEnter(kind, machineNo);
    case MorvaneRequest::CoinIn:
        return m_pClient->ReqMorvaneCoinIn(kind, machineNo);
    case MorvaneRequest::SpinData:
        return m_pClient->ReqMorvaneSpinData(kind, machineNo);
    case MorvaneRequest::SpinEnd:
        return m_pClient->ReqMorvaneSpinEnd(kind, machineNo, 0);
    case MorvaneRequest::TicketOut:
        return m_pClient->ReqMorvaneTicketOut(kind, machineNo);
    case MorvaneRequest::DoubleUp:
        return m_pClient->ReqMorvane29(kind, machineNo);
    case MorvaneRequest::PerformanceEnd:
        return m_pClient->ReqMorvanePerformanceEnd(kind, machineNo);
    case MorvaneRequest::PerformanceValue:
        return false;  // needs its stage and choice
    case MorvaneRequest::SpinDone:
        return m_pClient->ReqMorvaneSpinDone(kind, machineNo);
    case MorvaneRequest::GameFin:
        return m_pClient->ReqMorvaneGameFin(kind, machineNo);
    }
    return false;
}

bool CMorvaneNetSender::SendPerformanceValue(uint8_t kind, uint16_t machineNo, uint32_t stage,
                                             uint8_t choice)
{
    return m_pClient && m_pClient->ReqMorvanePerformanceValue(kind, machineNo, stage, choice != 0);
}
