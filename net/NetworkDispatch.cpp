// Decoding of received messages by id. Each field is read into a variable holding its default, so a
// short body reads its missing trailing fields as those defaults.
#include <algorithm>
#include <cmath>

#include "NetFieldReaders.h"
#include "NetworkClient.h"

using namespace netfield;

namespace {

struct MachineKey
{
    int32_t nGameType = 0;
    int32_t nMachineNo = 0;
};

MachineKey ReadKey(HiByteBuffer& buffer)
{
    const int32_t nGameType = ReadU8(buffer);
    return MachineKey{nGameType, ReadU16(buffer)};
}

// Copies a block only when the body holds all of it; otherwise the record keeps what it has.
void ReadBlock(HiByteBuffer& buffer, uint8_t* pRecord, int32_t nSize)
{
    buffer.Read(pRecord, nSize);
}

// An answer record prepared with its defaults, then filled from the body when all of it is there.
template <class Record>
Record ReadRecord(HiByteBuffer& buffer)
{
    Record record;
    record.Init();
    ReadBlock(buffer, record.m_abyData, record.kSize);
    return record;
}

// Stores credit, win and score taken from offsets of an answer record.
void StoreFromRecord(CMachineState* pRow, const uint8_t* pRecord, int32_t nCredit, int32_t nScore,
                     int32_t nWin)
{
    if (!pRow)
        return;
    pRow->m_nCredit = int32_t(BlockU32(pRecord, nCredit));
    pRow->m_nScore = int32_t(BlockU32(pRecord, nScore));
    if (nWin >= 0)
        pRow->m_nWin = int32_t(BlockU32(pRecord, nWin));
}

constexpr uint32_t kPerformanceEntries = 5;
constexpr int32_t kMaxCardValue = 55;

} // namespace

void NetworkClient::UpdateMachineState2(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer)
{
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwScore = ReadU32(buffer);
    if (CMachineState* pRow = m_table.Find(nGameType, nMachineNo))
    {
        pRow->m_nCredit = int32_t(dwCredit);
        pRow->m_nScore = int32_t(dwScore);
    }
}

void NetworkClient::UpdateMachineState3(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer)
{
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwWin = ReadU32(buffer);
    const uint32_t dwScore = ReadU32(buffer);
    if (CMachineState* pRow = m_table.Find(nGameType, nMachineNo))
    {
        pRow->m_nCredit = int32_t(dwCredit);
        pRow->m_nWin = int32_t(dwWin);
        pRow->m_nScore = int32_t(dwScore);
    }
}

void NetworkClient::DispatchMessage(HiByteBuffer& buffer)
{
    uint16_t wId = 0;
    if (!buffer.ReadU16(wId))
        return;
    const int32_t nId = wId;
    switch (nId)
    {
    case 1:
        OnVersionCheckResult(ReadU8(buffer) == 1);
        return;
    case 5: {
        const uint8_t byCode = ReadU8(buffer);
        if (byCode == 0)
            m_table.m_byLoggedIn = 1;
        OnLoginResult(byCode);
        return;
    }
    case 9: {
        ReadU8(buffer);
        char16_t szName[CMachineTable::kNicknameUnits / 2 + 1] = {};
        buffer.ReadWString(szName, CMachineTable::kNicknameUnits);
        std::fill(std::begin(m_table.m_szNickname), std::end(m_table.m_szNickname), u'\0');
        std::copy(std::begin(szName), std::end(szName), m_table.m_szNickname);
        m_table.m_nMoney = int32_t(ReadU32(buffer));
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        ParseMachineTable(buffer);
        OnUserInfo();
        return;
    }
    case 11: {
        const int32_t nPage = ReadU8(buffer);
        uint16_t wCount = 0;
        buffer.ReadU16(wCount);
        OnChannelInfoBegin(nPage, wCount);
        for (int32_t i = 0; i < wCount && buffer.GetRemaining() > 0; ++i)
        {
            uint16_t wNumber = 0;
            buffer.ReadU16(wNumber);
            const int32_t nState = ReadU8(buffer);
            OnChannelInfoEntry(nPage, wNumber, nState);
        }
        OnChannelInfoEnd();
        return;
    }
    case 13: {
        const int32_t nCode = ReadU8(buffer);
        if (nCode != 0)
        {
            OnMachineSelectResult(nCode, 0, 0, 0);
            return;
        }
        const int32_t nDeck = ReadU8(buffer);
        const MachineKey key = ReadKey(buffer);
        if (CMachineState* pRow = m_table.FindByIndex(nDeck))
        {
            *pRow = CMachineState{};
            pRow->m_nIndex = nDeck;
            pRow->m_nGameType = key.nGameType;
            pRow->m_nMachineNo = key.nMachineNo;
        }
        OnMachineSelectResult(0, nDeck, key.nGameType, key.nMachineNo);
        return;
    }
    case 101:
        ParseChatLine(buffer);
        return;
    case 102: {
        m_table.m_nMoney = int32_t(ReadU32(buffer));
        OnCoinCharged(ReadU8(buffer));
        return;
    }
    case 103:
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        OnGiftTicketCount();
        return;
    case 105:
        OnChargeRequestResult(ReadU8(buffer));
        return;
    case 107: {
        const int32_t nCode = ReadU8(buffer);
        if (nCode == 0)
            m_table.m_nMoney = int32_t(ReadU32(buffer));
        OnExchangeRequestResult(nCode);
        return;
    }
    case 108:
        ParseMachineTable(buffer);
        OnDeckSwap();
        return;
    case 109: {
        const int32_t nCode = ReadU8(buffer);
        if (nCode == 0)
            ParseMachineTable(buffer);
        OnMachineRemove(nCode);
        return;
    }
    case 110: {
        const int32_t nCode = ReadU8(buffer);
        if (nCode != 0)
        {
            OnGiftTicketFailed(nCode);
            return;
        }
        const int32_t nSubKind = ReadU8(buffer);
        if (nSubKind == 0)
        {
            float fRate = 0.1f;
            buffer.ReadF32(fRate);
            // The rate is shown as a percentage: anything a dialog cannot show becomes 0.
            if (!std::isfinite(fRate) || fRate < 0.0f || fRate > 100.0f)
                fRate = 0.0f;
            const uint32_t dwA = ReadU32(buffer);
            ReadU32(buffer);
            const uint32_t dwB = ReadU32(buffer);
            OnGiftTicketInfo(fRate, dwA, dwB);
        }
        else if (nSubKind == 1)
        {
            m_table.m_nMoney = int32_t(ReadU32(buffer));
            m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
            const uint32_t dwC = ReadU32(buffer);
            const uint32_t dwD = ReadU32(buffer);
            OnGiftTicketExchanged(dwC, dwD);
        }
        return;
    }
    case 111: ParsePrizeNoticeA(buffer); return;
    case 112: ParsePrizeNoticeB(buffer); return;
    case 113: ParsePrizeNoticeC(buffer); return;
    case 114: ParseUserEnterLeave(buffer); return;
    case 116: ParseReserveInfo(buffer); return;
    case 118: ParseReserveStatus(buffer); return;
    case 120: ParseReserveResult(buffer); return;
    case 122: ParseMachineLog(buffer); return;
    case 124: ParseStaffCallResult(buffer); return;
    case 125: ParseMachineRelease(buffer); return;
    case 126: ParseNotice(buffer); return;
    case 127: ParseNoticeList(buffer); return;
    case 128:
        OnExchangeDone(ReadU32(buffer));
        return;
    case 129:
        OnChargeRefused(ReadU32(buffer));
        return;
    case 1001: {
        float fEcho = 0.0f;
        buffer.ReadF32(fEcho);
        return;
    }
    default:
        if (nId >= 14 && nId <= 43)
            DispatchGameMessage(nId, buffer);
        return;
    }
}

void NetworkClient::DispatchGameMessage(int32_t nId, HiByteBuffer& buffer)
{
    switch (nId)
    {
    case 14: {
        const MachineKey key = ReadKey(buffer);
        const uint32_t dwCredit = ReadU32(buffer);
        const uint32_t dwWin = ReadU32(buffer);
        const uint32_t dwScore = ReadU32(buffer);
        uint8_t abySpin[kJixSpinDataSize] = {};
        ReadBlock(buffer, abySpin, kJixSpinDataSize);
        if (CMachineState* pRow = m_table.Find(key.nGameType, key.nMachineNo))
        {
            pRow->m_nCredit = int32_t(dwCredit);
            pRow->m_nWin = int32_t(dwWin);
            pRow->m_nScore = int32_t(dwScore);
        }
        OnJixEnter(key.nGameType, key.nMachineNo, abySpin);
        return;
    }
    case 15:
    case 24:
    case 35: {
        const int32_t nResult = ReadU8(buffer);
        m_table.m_nMoney = int32_t(ReadU32(buffer));
        const MachineKey key = ReadKey(buffer);
        if (nResult == 0)
        {
            const uint32_t dwCredit = ReadU32(buffer);
            if (CMachineState* pRow = m_table.Find(key.nGameType, key.nMachineNo))
                pRow->m_nCredit = int32_t(dwCredit);
        }
        if (nId == 15)
            OnJixCoinIn(nResult, key.nGameType, key.nMachineNo);
        else if (nId == 24)
            OnMorvaneCoinIn(nResult, key.nGameType, key.nMachineNo);
        else
            OnPelagornCoinIn(nResult, key.nGameType, key.nMachineNo);
        return;
    }
    case 16: {
        const MachineKey key = ReadKey(buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        const uint32_t dwValue = bGranted ? ReadU32(buffer) : 0;
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        OnJixPlayStart(key.nGameType, key.nMachineNo, bGranted, dwValue);
        return;
    }
    case 17: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        const uint32_t dwValue = bGranted ? ReadU32(buffer) : 0;
        OnJixBonus(key.nGameType, key.nMachineNo, bGranted, dwValue);
        return;
    }
    case 18: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        uint8_t abySpin[kJixSpinDataSize] = {};
        if (bGranted)
            ReadBlock(buffer, abySpin, kJixSpinDataSize);
        OnJixSpinData(key.nGameType, key.nMachineNo, bGranted, bGranted ? abySpin : nullptr);
        return;
    }
    case 19: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        if (bOk)
            UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        OnJixSpinEnd(key.nGameType, key.nMachineNo, bOk);
        return;
    }
    case 20:
    case 27: {
        const MachineKey key = ReadKey(buffer);
        const uint32_t dwCredit = ReadU32(buffer);
        const uint32_t dwWin = nId == 20 ? ReadU32(buffer) : 0;
        const uint32_t dwScore = ReadU32(buffer);
        const int32_t nResult = ReadU8(buffer, nId == 27 ? 1 : 0);
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        if (CMachineState* pRow = m_table.Find(key.nGameType, key.nMachineNo))
        {
            pRow->m_nCredit = int32_t(dwCredit);
            if (nId == 20)
                pRow->m_nWin = int32_t(dwWin);
            pRow->m_nScore = int32_t(dwScore);
        }
        if (nId == 20)
            OnJixTicketOut(key.nGameType, key.nMachineNo, nResult);
        else
            OnMorvaneTicketOut(key.nGameType, key.nMachineNo, nResult);
        return;
    }
    case 22:
    case 33: {
        const MachineKey key = ReadKey(buffer);
        if (ReadU8(buffer) == 0)
            return;
        if (nId == 22)
        {
            UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
            OnJixGameFin(key.nGameType, key.nMachineNo, true);
        }
        else
        {
            UpdateMachineState2(key.nGameType, key.nMachineNo, buffer);
            OnMorvaneGameFin(key.nGameType, key.nMachineNo, true);
        }
        return;
    }
    case 23: {
        const MachineKey key = ReadKey(buffer);
        const uint32_t dwCredit = ReadU32(buffer);
        const uint32_t dwScore = ReadU32(buffer);
        uint8_t abySpin[kMorvaneSpinDataSize] = {};
        ReadBlock(buffer, abySpin, kMorvaneSpinDataSize);
        if (CMachineState* pRow = m_table.Find(key.nGameType, key.nMachineNo))
        {
            pRow->m_nCredit = int32_t(dwCredit);
            pRow->m_nScore = int32_t(dwScore);
        }
        OnMorvaneEnter(key.nGameType, key.nMachineNo, abySpin);
        return;
    }
    case 25: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState2(key.nGameType, key.nMachineNo, buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        uint8_t abySpin[kMorvaneSpinDataSize] = {};
        if (bGranted)
            ReadBlock(buffer, abySpin, kMorvaneSpinDataSize);
        OnMorvaneSpinData(key.nGameType, key.nMachineNo, bGranted, bGranted ? abySpin : nullptr);
        return;
    }
    case 26: {
        const MachineKey key = ReadKey(buffer);
        OnMorvaneSpinEnd(key.nGameType, key.nMachineNo, ReadU8(buffer) != 0);
        return;
    }
    case 28:
    case 29:
        return; // acknowledgements with nothing to hand on
    case 30: {
        const MachineKey key = ReadKey(buffer);
        if (ReadU8(buffer, 1) < 1)
            return;
        const uint32_t dwIndex = ReadU32(buffer);
        const int32_t nValue = int32_t(ReadU32(buffer));
        const int32_t nFlag = ReadU8(buffer);
        const uint32_t dwAmount = ReadU32(buffer);
        if (dwIndex >= kPerformanceEntries)
            return; // no such entry in the game's performance values
        OnMorvanePerformanceValue(key.nGameType, key.nMachineNo, dwIndex,
                                  std::clamp(nValue, 0, kMaxCardValue), nFlag, dwAmount);
        return;
    }
    case 34: {
        const MachineKey key = ReadKey(buffer);
        const CPelagornEnterData record = ReadRecord<CPelagornEnterData>(buffer);
        StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), record.m_abyData, 0, 4, 8);
        OnPelagornEnter(key.nGameType, key.nMachineNo, record);
        return;
    }
    case 36: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        uint8_t abyBlock[kPelagornCoinDropSize] = {};
        ReadBlock(buffer, abyBlock, kPelagornCoinDropSize);
        StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), abyBlock, 0, 4, -1);
        OnPelagorn36(key.nGameType, key.nMachineNo, bOk, abyBlock);
        return;
    }
    case 37: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        const CPelagornData37 record = ReadRecord<CPelagornData37>(buffer);
        StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), record.m_abyData, 12, 16, 21);
        OnPelagorn37(key.nGameType, key.nMachineNo, bOk, record);
        return;
    }
    case 38: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        const CPelagornSpinData record = ReadRecord<CPelagornSpinData>(buffer);
        StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), record.m_abyData, 4, 8, 12);
        OnPelagornSpinData(key.nGameType, key.nMachineNo, bOk, record);
        return;
    }
    case 39: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        CPelagornData39 record;
        record.Init();
        if (bOk)
            record = ReadRecord<CPelagornData39>(buffer);
        OnPelagorn39(key.nGameType, key.nMachineNo, bOk, bOk ? &record : nullptr);
        return;
    }
    case 40: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        const uint8_t byValue = bOk ? ReadU8(buffer) : 0;
        OnPelagornSpinEnd(key.nGameType, key.nMachineNo, bOk, bOk ? &byValue : nullptr);
        return;
    }
    case 41: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        const CPelagornTicketOutData record = ReadRecord<CPelagornTicketOutData>(buffer);
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), record.m_abyData, 8, 12, 16);
        OnPelagornTicketOut(key.nGameType, key.nMachineNo, bOk, record);
        return;
    }
    case 43: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        uint8_t abyBlock[kPelagornGameFinSize] = {};
        if (bOk)
        {
            ReadBlock(buffer, abyBlock, kPelagornGameFinSize);
            StoreFromRecord(m_table.Find(key.nGameType, key.nMachineNo), abyBlock, 0, 4, 8);
        }
        OnPelagornGameFin(key.nGameType, key.nMachineNo, bOk, bOk ? abyBlock : nullptr);
        return;
    }
    default:
        return; // request ids, and 21, 31, 32, 42 which have no answer
    }
}
