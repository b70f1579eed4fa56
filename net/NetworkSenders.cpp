// Requests of the login, lobby, money, reservation and notice messages.
#include "NetworkClient.h"

#include "MessageIds.h"

using namespace netmsg;

namespace {

// Names typed in the money dialogs go out with at most this many UTF-16 units.
constexpr int32_t kMaxNameUnits = 20;
constexpr int32_t kMaxChatUnits = 63;
// Kinds of a chat message: a line for the lobby, or an inquiry to the staff.
constexpr uint8_t kChatKindChat = 0;
constexpr uint8_t kChatKindInquiry = 8;
// Sub-kinds of the gift-ticket request, and the fixed kind of the reservation list request.
constexpr uint8_t kGiftTicketQuery = 0;
constexpr uint8_t kGiftTicketExchange = 1;
constexpr uint8_t kReserveInfoKind = 8;

}  // namespace

bool NetworkClient::SendIdOnly(uint16_t wId)
{
    uint8_t store[2];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(wId);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqVersionCheck()
{
    if (!IsConnected())
        return false;
    uint8_t store[6];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgVersionCheck);
    body.WriteU32(kClientVersion);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqLogin(const char* pszUserId, const char* pszPassword)
{
    if (!IsConnected())
        return false;
    uint8_t store[34];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgLogin);
    body.WriteFixedText(pszUserId, 16);
    body.WriteFixedText(pszPassword, 16);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqUserInfo()
{
    return SendIdOnly(MsgUserInfoRequest);
}

bool NetworkClient::ReqChannelInfo(uint8_t byGameType)
{
    uint8_t store[3];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgChannelInfoRequest);
    body.WriteU8(byGameType);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqMachineSelect(uint8_t byDeckIndex, uint8_t byGameType, uint16_t wMachineNo)
{
    uint8_t store[6];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgMachineSelect);
    body.WriteU8(byDeckIndex);
    body.WriteU8(byGameType);
    body.WriteU16(wMachineNo);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqLobbyEnter()
{
    return SendIdOnly(MsgLobbyEnter);
}

bool NetworkClient::SendChat(uint8_t byKind, const char16_t* pszText)
{
    const int32_t nUnits = WideLength(pszText);
    if (!IsConnected() || nUnits < 1 || nUnits > kMaxChatUnits)
        return false;
    uint8_t store[3 + 2 + 2 * kMaxChatUnits];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgChat);
    body.WriteU8(byKind);
    body.WriteWString(pszText);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqChat(const char16_t* pszText)
{
    return SendChat(kChatKindChat, pszText);
}

bool NetworkClient::ReqInquiry(const char16_t* pszText)
{
    return SendChat(kChatKindInquiry, pszText);
}

bool NetworkClient::ReqCharge(uint32_t dwAmount, const char16_t* pszDepositor)
{
    if (!IsConnected())
        return false;
    uint8_t store[8 + 2 * kMaxNameUnits];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgChargeRequest);
    body.WriteU32(dwAmount);
    body.WriteWString(pszDepositor, kMaxNameUnits);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqExchange(uint32_t dwAmount, const char16_t* pszBankName,
                                const char16_t* pszHolder, const char* pszAccountNo,
                                const char* pszPhoneNo)
{
    if (!IsConnected())
        return false;
    uint8_t store[6 + 2 * (2 + 2 * kMaxNameUnits) + 20 + 20 + 2];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgExchangeRequest);
    body.WriteU32(dwAmount);
    body.WriteWString(pszHolder, kMaxNameUnits);  // the depositor comes before the bank
    body.WriteWString(pszBankName, kMaxNameUnits);
    body.WriteFixedText(pszAccountNo, 20);
    body.WriteFixedText(pszPhoneNo, 20);
    body.WriteU16(0);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqDeckSwap(uint8_t byDeckIndex, uint8_t byNeighbourIndex)
{
    uint8_t store[4];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgDeckSwap);
    body.WriteU8(byDeckIndex);
    body.WriteU8(byNeighbourIndex);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqGiftTicketInfo()
{
    uint8_t store[3];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgGiftTicket);
    body.WriteU8(kGiftTicketQuery);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqGiftTicketExchange(uint32_t dwTicketCount)
{
    uint8_t store[7];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgGiftTicket);
    body.WriteU8(kGiftTicketExchange);
    body.WriteU32(dwTicketCount);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqReserveInfo()
{
    uint8_t store[3];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgReserveInfoRequest);
    body.WriteU8(kReserveInfoKind);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqReserveStatus()
{
    return SendIdOnly(MsgReserveStatusRequest);
}

bool NetworkClient::ReqReserveMachine(int32_t nHours, bool bDeck0, bool bDeck1, bool bDeck2,
                                      bool bDeck3)
{
    if (!(bDeck0 || bDeck1 || bDeck2 || bDeck3))
        return false;
    const uint16_t wHours = nHours < 0 ? 1 : nHours > 0xFFFF ? 0xFFFF : uint16_t(nHours);
    uint8_t store[8];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(MsgReserveMachine);
    body.WriteU16(wHours);
    for (const bool bDeck : {bDeck0, bDeck1, bDeck2, bDeck3})
        body.WriteU8(bDeck ? 1 : 0);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqStaffCall()
{
    return SendIdOnly(MsgStaffCall);
}
