// Requests of the three games; each body starts with the machine key.
#include "NetworkClient.h"

#include "MessageIds.h"

using namespace netmsg;

namespace {

constexpr int32_t kKeyBodySize = 5;

void WriteKey(HiByteBuffer& body, uint16_t wId, uint8_t byGameType, uint16_t wMachineNo)
{
    body.WriteU16(wId);
    body.WriteU8(byGameType);
    body.WriteU16(wMachineNo);
}

}  // namespace

bool NetworkClient::SendKeyMessage(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo)
{
    uint8_t store[kKeyBodySize];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, wId, byGameType, wMachineNo);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqJixEnter(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixEnter, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixCoinIn(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixCoinIn, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixPlayStart(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixPlayStart, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixSpinData(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixSpinData, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixSpinEnd(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixSpinEnd, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixTicketOut(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixTicketOut, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixAction(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixAction, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixGameFin(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgJixGameFin, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneEnter(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneEnter, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneCoinIn(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneCoinIn, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneSpinData(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneSpinData, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneTicketOut(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneTicketOut, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvane29(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvane29, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvanePerformanceEnd(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvanePerformanceEnd, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneSpinDone(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneSpinDone, byGameType, wMachineNo);
}

bool NetworkClient::ReqMorvaneGameFin(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgMorvaneGameFin, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornEnter(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornEnter, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornCoinIn(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornCoinIn, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagorn36(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagorn36, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornSpinData(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornSpinData, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagorn39(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagorn39, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornSpinEnd(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornSpinEnd, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornTicketOut(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornTicketOut, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagorn42(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagorn42, byGameType, wMachineNo);
}

bool NetworkClient::ReqPelagornGameFin(uint8_t byGameType, uint16_t wMachineNo)
{
    return SendKeyMessage(MsgPelagornGameFin, byGameType, wMachineNo);
}

bool NetworkClient::ReqJixBonus(uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue)
{
    uint8_t store[kKeyBodySize + 4];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, MsgJixBonus, byGameType, wMachineNo);
    body.WriteU32(dwValue);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqMorvaneSpinEnd(uint8_t byGameType, uint16_t wMachineNo, uint8_t byValue)
{
    uint8_t store[kKeyBodySize + 1];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, MsgMorvaneSpinEnd, byGameType, wMachineNo);
    body.WriteU8(byValue);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqMorvanePerformanceValue(uint8_t byGameType, uint16_t wMachineNo,
                                               uint32_t dwValue, bool bFlag)
{
    uint8_t store[kKeyBodySize + 5];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, MsgMorvanePerformanceValue, byGameType, wMachineNo);
    body.WriteU32(dwValue);
    body.WriteU8(bFlag ? 1 : 0);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqPelagorn37(uint8_t byGameType, uint16_t wMachineNo, float fX, float fY,
                                  uint16_t wItemType, uint8_t byRightHalf)
{
    uint8_t store[kKeyBodySize + 11];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, MsgPelagorn37, byGameType, wMachineNo);
    body.WriteF32(fX);
    body.WriteF32(fY);
    body.WriteU16(wItemType);
    body.WriteU8(byRightHalf);
    return SendPacket(body.GetData(), body.GetSize());
}
