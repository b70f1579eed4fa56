#include "CPelagornSender.h"

#include "NetClientGlobal.h"

bool CPelagornNetSender::Send(PelagornRequest request, uint8_t kind, uint16_t machineNo,
                              const CPelagornItemHit& hit)
{
    NetworkClient* pClient = g_NetClient.Get();
    if (!pClient)
        return false;
    switch (request) {
    case PelagornRequest::Enter:
        return pClient->ReqPelagornEnter(kind, machineNo);
    case PelagornRequest::CoinIn:
        return pClient->ReqPelagornCoinIn(kind, machineNo);
    case PelagornRequest::CoinDrop:
        return pClient->ReqPelagorn36(kind, machineNo);
    case PelagornRequest::ItemHit:
        return pClient->ReqPelagorn37(kind, machineNo, hit.fX, hit.fY, hit.wItemType,
                                      hit.byRightHalf);
    case PelagornRequest::SpinData:
        return pClient->ReqPelagornSpinData(kind, machineNo);
    case PelagornRequest::Result:
        return pClient->ReqPelagorn39(kind, machineNo);
    case PelagornRequest::SpinEnd:
        return pClient->ReqPelagornSpinEnd(kind, machineNo);
    case PelagornRequest::TicketOut:
        return pClient->ReqPelagornTicketOut(kind, machineNo);
    case PelagornRequest::ReelsStopped:
        return pClient->ReqPelagorn42(kind, machineNo);
    case PelagornRequest::GameFin:
        return pClient->ReqPelagornGameFin(kind, machineNo);
    }
    return false;
}
