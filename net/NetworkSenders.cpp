// Requests of the login, lobby, money, reservation and notice messages.
#include "NetworkClient.h"

namespace {

// Names typed in the money dialogs go out with at most this many UTF-16 units.
constexpr int32_t kMaxNameUnits = 20;
constexpr int32_t kMaxChatUnits = 63;

} // namespace

bool NetworkClient::ReqVersionCheck()
{
    if (!IsConnected())
        return false;
    uint8_t store[6];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(0);
    body.WriteU32(kClientVersion);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqLogin(const char* pszUserId, const char* pszPassword)
{
    if (!IsConnected())
        return false;
    uint8_t store[34];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(4);
    body.WriteFixedText(pszUserId, 16);
    body.WriteFixedText(pszPassword, 16);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqUserInfo()
{
    const uint8_t body[] = {8, 0};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqChannelInfo(uint8_t byGameType)
{
    const uint8_t body[] = {10, 0, byGameType};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqMachineSelect(uint8_t byDeckIndex, uint8_t byGameType, uint16_t wMachineNo)
{
    const uint8_t body[] = {12, 0, byDeckIndex, byGameType, uint8_t(wMachineNo),
                            uint8_t(wMachineNo >> 8)};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqLobbyEnter()
{
    const uint8_t body[] = {99, 0};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::SendChat(uint8_t byKind, const char16_t* pszText)
{
    const int32_t nUnits = WideLength(pszText);
    if (!IsConnected() || nUnits < 1 || nUnits > kMaxChatUnits)
        return false;
    uint8_t store[3 + 2 + 2 * kMaxChatUnits];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(100);
    body.WriteU8(byKind);
    body.WriteWString(pszText);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqChat(const char16_t* pszText)
{
    return SendChat(0, pszText);
}

bool NetworkClient::ReqInquiry(const char16_t* pszText)
{
    return SendChat(8, pszText);
}

bool NetworkClient::ReqCharge(uint32_t dwAmount, const char16_t* pszDepositor)
{
    if (!IsConnected())
        return false;
    uint8_t store[8 + 2 * kMaxNameUnits];
    HiByteBuffer body = HiByteBuffer::Writer(store, sizeof store);
    body.WriteU16(104);
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
    body.WriteU16(106);
    body.WriteU32(dwAmount);
    body.WriteWString(pszHolder, kMaxNameUnits); // the depositor comes before the bank
    body.WriteWString(pszBankName, kMaxNameUnits);
    body.WriteFixedText(pszAccountNo, 20);
    body.WriteFixedText(pszPhoneNo, 20);
    body.WriteU16(0);
    return SendPacket(body.GetData(), body.GetSize());
}

bool NetworkClient::ReqDeckSwap(uint8_t byDeckIndex, uint8_t byNeighbourIndex)
{
    const uint8_t body[] = {108, 0, byDeckIndex, byNeighbourIndex};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqGiftTicketInfo()
{
    const uint8_t body[] = {110, 0, 0};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqGiftTicketExchange(uint32_t dwTicketCount)
{
    const uint8_t body[] = {110,
                            0,
                            1,
                            uint8_t(dwTicketCount),
                            uint8_t(dwTicketCount >> 8),
                            uint8_t(dwTicketCount >> 16),
                            uint8_t(dwTicketCount >> 24)};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqReserveInfo()
{
    const uint8_t body[] = {115, 0, 8};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqReserveStatus()
{
    const uint8_t body[] = {117, 0};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqReserveMachine(int32_t nHours, bool bDeck0, bool bDeck1, bool bDeck2,
                                      bool bDeck3)
{
    if (!(bDeck0 || bDeck1 || bDeck2 || bDeck3))
        return false;
    const uint16_t wHours = nHours < 0 ? 1 : nHours > 0xFFFF ? 0xFFFF : uint16_t(nHours);
    const uint8_t body[] = {119,          0,      uint8_t(wHours), uint8_t(wHours >> 8),
                            bDeck0,       bDeck1, bDeck2,          bDeck3};
    return SendPacket(body, sizeof body);
}

bool NetworkClient::ReqStaffCall()
{
    const uint8_t body[] = {123, 0};
    return SendPacket(body, sizeof body);
}
