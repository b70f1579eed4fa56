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

} // namespace

bool NetworkClient::SendKeyMessage(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo)
{
    uint8_t store[kKeyBodySize];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    WriteKey(body, wId, byGameType, wMachineNo);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqJixEnter(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixEnter, t, n); }
bool NetworkClient::ReqJixCoinIn(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixCoinIn, t, n); }
bool NetworkClient::ReqJixPlayStart(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixPlayStart, t, n); }
bool NetworkClient::ReqJixSpinData(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixSpinData, t, n); }
bool NetworkClient::ReqJixSpinEnd(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixSpinEnd, t, n); }
bool NetworkClient::ReqJixTicketOut(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixTicketOut, t, n); }
bool NetworkClient::ReqJixAction(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixAction, t, n); }
bool NetworkClient::ReqJixGameFin(uint8_t t, uint16_t n) { return SendKeyMessage(MsgJixGameFin, t, n); }
bool NetworkClient::ReqMorvaneEnter(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneEnter, t, n); }
bool NetworkClient::ReqMorvaneCoinIn(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneCoinIn, t, n); }
bool NetworkClient::ReqMorvaneSpinData(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneSpinData, t, n); }
bool NetworkClient::ReqMorvaneTicketOut(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneTicketOut, t, n); }
bool NetworkClient::ReqMorvane29(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvane29, t, n); }
bool NetworkClient::ReqMorvanePerformanceEnd(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvanePerformanceEnd, t, n); }
bool NetworkClient::ReqMorvaneSpinDone(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneSpinDone, t, n); }
bool NetworkClient::ReqMorvaneGameFin(uint8_t t, uint16_t n) { return SendKeyMessage(MsgMorvaneGameFin, t, n); }
bool NetworkClient::ReqPelagornEnter(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornEnter, t, n); }
bool NetworkClient::ReqPelagornCoinIn(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornCoinIn, t, n); }
bool NetworkClient::ReqPelagorn36(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagorn36, t, n); }
bool NetworkClient::ReqPelagornSpinData(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornSpinData, t, n); }
bool NetworkClient::ReqPelagorn39(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagorn39, t, n); }
bool NetworkClient::ReqPelagornSpinEnd(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornSpinEnd, t, n); }
bool NetworkClient::ReqPelagornTicketOut(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornTicketOut, t, n); }
bool NetworkClient::ReqPelagorn42(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagorn42, t, n); }
bool NetworkClient::ReqPelagornGameFin(uint8_t t, uint16_t n) { return SendKeyMessage(MsgPelagornGameFin, t, n); }

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
