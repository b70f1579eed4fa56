// Decoding of received messages by id: the login, lobby, money, reservation and notice answers
// here, the games' families in NetworkGameDispatch.cpp. Each field is read into a variable holding
// its default, so a short body reads its missing trailing fields as those defaults.
#include <algorithm>
#include <cmath>

#include "MessageIds.h"
#include "NetFieldReaders.h"
#include "NetworkClient.h"

using namespace netfield;
using namespace netmsg;

void NetworkClient::UpdateMachineState2(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer)
{
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwScore = ReadU32(buffer);
    if (CMachineState* pRow = m_table.Find(nGameType, nMachineNo)) {
        pRow->m_nCredit = int32_t(dwCredit);
        pRow->m_nScore = int32_t(dwScore);
    }
}

void NetworkClient::UpdateMachineState3(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer)
{
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwWin = ReadU32(buffer);
    const uint32_t dwScore = ReadU32(buffer);
    if (CMachineState* pRow = m_table.Find(nGameType, nMachineNo)) {
        pRow->m_nCredit = int32_t(dwCredit);
        pRow->m_nWin = int32_t(dwWin);
        pRow->m_nScore = int32_t(dwScore);
    }
}

// Reads the id and hands the body to the dispatcher of its concern; request ids and unknown ids are
// ignored.
void NetworkClient::DispatchMessage(HiByteBuffer& buffer)
{
    uint16_t wId = 0;
    if (!buffer.ReadU16(wId))
        return;
    if (DispatchLobbyMessage(wId, buffer) || DispatchMoneyMessage(wId, buffer) ||
        DispatchReserveMessage(wId, buffer) || DispatchNoticeMessage(wId, buffer))
        return;
    if (wId >= kJixFirst && wId <= kJixLast)
        DispatchJixMessage(wId, buffer);
    else if (wId >= kMorvaneFirst && wId <= kMorvaneLast)
        DispatchMorvaneMessage(wId, buffer);
    else if (wId >= kPelagornFirst && wId <= kPelagornLast)
        DispatchPelagornMessage(wId, buffer);
}

// Login, channel and machine choice, chat, deck changes and the keep-alive echo.
bool NetworkClient::DispatchLobbyMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgVersionCheckResult:
        OnVersionCheckResult(ReadU8(buffer) == 1);
        return true;
    case MsgLoginResult:
        ParseLoginResult(buffer);
        return true;
    case MsgUserInfo:
        ParseUserInfo(buffer);
        return true;
    case MsgChannelInfo:
        ParseChannelInfo(buffer);
        return true;
    case MsgMachineSelectResult:
        ParseMachineSelectResult(buffer);
        return true;
    case MsgChatLine:
        ParseChatLine(buffer);
        return true;
    case MsgDeckSwap:
        ParseMachineTable(buffer);
        OnDeckSwap();
        return true;
    case MsgMachineRemove:
        ParseMachineRemove(buffer);
        return true;
    case MsgUserEnterLeave:
        ParseUserEnterLeave(buffer);
        return true;
    case MsgMachineRelease:
        ParseMachineRelease(buffer);
        return true;
    case MsgPing: {
        float fEcho = 0.0f;
        buffer.ReadF32(fEcho);
        return true;
    }
    default:
        return false;
    }
}

// The player's money and gift tickets: charges, exchanges and their refusals.
bool NetworkClient::DispatchMoneyMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgCoinCharged:
        m_table.m_nMoney = int32_t(ReadU32(buffer));
        OnCoinCharged(ReadU8(buffer));
        return true;
    case MsgGiftTicketCount:
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        OnGiftTicketCount();
        return true;
    case MsgChargeRequestResult:
        OnChargeRequestResult(ReadU8(buffer));
        return true;
    case MsgExchangeRequestResult:
        ParseExchangeRequestResult(buffer);
        return true;
    case MsgGiftTicket:
        ParseGiftTicket(buffer);
        return true;
    case MsgExchangeDone:
        OnExchangeDone(ReadU32(buffer));
        return true;
    case MsgChargeRefused:
        OnChargeRefused(ReadU32(buffer));
        return true;
    default:
        return false;
    }
}

// Machine reservations, the machine log and the staff call.
bool NetworkClient::DispatchReserveMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgReserveInfo:
        ParseReserveInfo(buffer);
        return true;
    case MsgReserveStatus:
        ParseReserveStatus(buffer);
        return true;
    case MsgReserveResult:
        ParseReserveResult(buffer);
        return true;
    case MsgMachineLog:
        ParseMachineLog(buffer);
        return true;
    case MsgStaffCallResult:
        ParseStaffCallResult(buffer);
        return true;
    default:
        return false;
    }
}

// Prize notices and the operator's notices.
bool NetworkClient::DispatchNoticeMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgPrizeNoticeA:
        ParsePrizeNoticeA(buffer);
        return true;
    case MsgPrizeNoticeB:
        ParsePrizeNoticeB(buffer);
        return true;
    case MsgPrizeNoticeC:
        ParsePrizeNoticeC(buffer);
        return true;
    case MsgNotice:
        ParseNotice(buffer);
        return true;
    case MsgNoticeList:
        ParseNoticeList(buffer);
        return true;
    default:
        return false;
    }
}

void NetworkClient::ParseLoginResult(HiByteBuffer& buffer)
{
    const uint8_t byCode = ReadU8(buffer);
    if (byCode == 0)
        m_table.m_byLoggedIn = 1;
    OnLoginResult(byCode);
}

void NetworkClient::ParseUserInfo(HiByteBuffer& buffer)
{
    ReadU8(buffer);
    char16_t szName[CMachineTable::kNicknameUnits / 2 + 1] = {};
    buffer.ReadWString(szName, CMachineTable::kNicknameUnits);
    std::fill(std::begin(m_table.m_szNickname), std::end(m_table.m_szNickname), u'\0');
    std::copy(std::begin(szName), std::end(szName), m_table.m_szNickname);
    m_table.m_nMoney = int32_t(ReadU32(buffer));
    m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
    ParseMachineTable(buffer);
    OnUserInfo();
}

void NetworkClient::ParseChannelInfo(HiByteBuffer& buffer)
{
    const int32_t nPage = ReadU8(buffer);
    uint16_t wCount = 0;
    buffer.ReadU16(wCount);
    OnChannelInfoBegin(nPage, wCount);
    for (int32_t i = 0; i < wCount && buffer.GetRemaining() > 0; ++i) {
        uint16_t wNumber = 0;
        buffer.ReadU16(wNumber);
        const int32_t nState = ReadU8(buffer);
        OnChannelInfoEntry(nPage, wNumber, nState);
    }
    OnChannelInfoEnd();
}

void NetworkClient::ParseMachineSelectResult(HiByteBuffer& buffer)
{
    const int32_t nCode = ReadU8(buffer);
    if (nCode != 0) {
        OnMachineSelectResult(nCode, 0, 0, 0);
        return;
    }
    const int32_t nDeck = ReadU8(buffer);
    const MachineKey key = ReadKey(buffer);
    if (CMachineState* pRow = m_table.FindByIndex(nDeck)) {
        *pRow = CMachineState{};
        pRow->m_nIndex = nDeck;
        pRow->m_nGameType = key.nGameType;
        pRow->m_nMachineNo = key.nMachineNo;
    }
    OnMachineSelectResult(0, nDeck, key.nGameType, key.nMachineNo);
}

void NetworkClient::ParseExchangeRequestResult(HiByteBuffer& buffer)
{
    const int32_t nCode = ReadU8(buffer);
    if (nCode == 0)
        m_table.m_nMoney = int32_t(ReadU32(buffer));
    OnExchangeRequestResult(nCode);
}

void NetworkClient::ParseMachineRemove(HiByteBuffer& buffer)
{
    const int32_t nCode = ReadU8(buffer);
    if (nCode == 0)
        ParseMachineTable(buffer);
    OnMachineRemove(nCode);
}

void NetworkClient::ParseGiftTicket(HiByteBuffer& buffer)
{
    const int32_t nCode = ReadU8(buffer);
    if (nCode != 0) {
        OnGiftTicketFailed(nCode);
        return;
    }
    const int32_t nSubKind = ReadU8(buffer);
    if (nSubKind == 0) {
        float fRate = 0.1f;
        buffer.ReadF32(fRate);
        // The rate is shown as a percentage: anything a dialog cannot show becomes 0.
        if (!std::isfinite(fRate) || fRate < 0.0f || fRate > 100.0f)
            fRate = 0.0f;
        const uint32_t dwA = ReadU32(buffer);
        ReadU32(buffer);
        const uint32_t dwB = ReadU32(buffer);
        OnGiftTicketInfo(fRate, dwA, dwB);
    } else if (nSubKind == 1) {
        m_table.m_nMoney = int32_t(ReadU32(buffer));
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        const uint32_t dwC = ReadU32(buffer);
        const uint32_t dwD = ReadU32(buffer);
        OnGiftTicketExchanged(dwC, dwD);
    }
}
