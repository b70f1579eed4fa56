#include "JixSender.h"

#include "NetClientGlobal.h"
#include "NetworkClient.h"

bool CJixNetSender::Send(JixRequest request, uint8_t byGameType, uint16_t wMachineNo,
                         uint32_t dwValue)
{
    NetworkClient* pClient = m_pClient ? m_pClient : g_NetClient.Get();
    if (!pClient)
        return false;
    switch (request) {
    case JixRequest::Enter:
        return pClient->ReqJixEnter(byGameType, wMachineNo);
    case JixRequest::CoinIn:
        return pClient->ReqJixCoinIn(byGameType, wMachineNo);
    case JixRequest::PlayStart:
        return pClient->ReqJixPlayStart(byGameType, wMachineNo);
    case JixRequest::Bonus:
        return pClient->ReqJixBonus(byGameType, wMachineNo, dwValue);
    case JixRequest::SpinData:
        return pClient->ReqJixSpinData(byGameType, wMachineNo);
    case JixRequest::SpinEnd:
        return pClient->ReqJixSpinEnd(byGameType, wMachineNo);
    case JixRequest::TicketOut:
        return pClient->ReqJixTicketOut(byGameType, wMachineNo);
    case JixRequest::Action:
        return pClient->ReqJixAction(byGameType, wMachineNo);
    case JixRequest::GameFin:
        return pClient->ReqJixGameFin(byGameType, wMachineNo);
    }
    return false;
}
