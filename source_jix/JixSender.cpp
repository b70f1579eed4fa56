#include "JixSender.h"

#include "MessageIds.h"

using namespace netmsg;
#include "NetworkClient.h"

bool CJixNetSender::Send(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue)
{
    if (!m_pClient)
        return false;
    switch (wId) {
    case MsgJixEnter: return m_pClient->ReqJixEnter(byGameType, wMachineNo);
    case MsgJixCoinIn: return m_pClient->ReqJixCoinIn(byGameType, wMachineNo);
    case MsgJixPlayStart: return m_pClient->ReqJixPlayStart(byGameType, wMachineNo);
    case MsgJixBonus: return m_pClient->ReqJixBonus(byGameType, wMachineNo, dwValue);
    case MsgJixSpinData: return m_pClient->ReqJixSpinData(byGameType, wMachineNo);
    case MsgJixSpinEnd: return m_pClient->ReqJixSpinEnd(byGameType, wMachineNo);
    case MsgJixTicketOut: return m_pClient->ReqJixTicketOut(byGameType, wMachineNo);
    case MsgJixAction: return m_pClient->ReqJixAction(byGameType, wMachineNo);
    case MsgJixGameFin: return m_pClient->ReqJixGameFin(byGameType, wMachineNo);
    default: return false;
    }
}

namespace {
CJixSender* s_pSender = nullptr;
}

CJixSender* JixGetSender()
{
    return s_pSender;
}

void JixSetSender(CJixSender* pSender)
{
    s_pSender = pSender;
}
