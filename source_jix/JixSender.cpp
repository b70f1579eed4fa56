#include "JixSender.h"

#include "MessageIds.h"

using namespace netmsg;
#include "NetClientGlobal.h"
#include "NetworkClient.h"

bool CJixNetSender::Send(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue)
{
    NetworkClient* pClient = m_pClient ? m_pClient : g_NetClient.Get();
    if (!pClient)
        return false;
    switch (wId) {
    case MsgJixEnter: return pClient->ReqJixEnter(byGameType, wMachineNo);
    case MsgJixCoinIn: return pClient->ReqJixCoinIn(byGameType, wMachineNo);
    case MsgJixPlayStart: return pClient->ReqJixPlayStart(byGameType, wMachineNo);
    case MsgJixBonus: return pClient->ReqJixBonus(byGameType, wMachineNo, dwValue);
    case MsgJixSpinData: return pClient->ReqJixSpinData(byGameType, wMachineNo);
    case MsgJixSpinEnd: return pClient->ReqJixSpinEnd(byGameType, wMachineNo);
    case MsgJixTicketOut: return pClient->ReqJixTicketOut(byGameType, wMachineNo);
    case MsgJixAction: return pClient->ReqJixAction(byGameType, wMachineNo);
    case MsgJixGameFin: return pClient->ReqJixGameFin(byGameType, wMachineNo);
    default: return false;
    }
}

namespace {
CJixSender* s_pSender = nullptr;
}

CJixSender* JixGetSender()
{
    static CJixNetSender s_Program(nullptr);
    return s_pSender ? s_pSender : &s_Program;
}

void JixSetSender(CJixSender* pSender)
{
    s_pSender = pSender;
}
