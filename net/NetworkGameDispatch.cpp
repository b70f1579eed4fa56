// Decoding of the three games' answers, one dispatcher per family. Every answer starts with the
// machine key; the credit, win and score it carries go into the row of that key, when there is one.
#include <algorithm>

#include "MessageIds.h"
#include "NetFieldReaders.h"
#include "NetworkClient.h"

using namespace netfield;
using namespace netmsg;

namespace {

// A block of raw bytes with no prepared values: zero unless the body fills it.
template <int32_t N>
struct RawBlock : CNetBlock<N> {
    void Init() {}
};

// An answer record prepared with its defaults, then filled from the body when all of it is there;
// a record that does not fit keeps its defaults.
template <class Record>
Record ReadRecord(HiByteBuffer& buffer)
{
    Record record;
    record.Init();
    record.m_bComplete = buffer.Read(record.m_abyData, record.kSize);
    return record;
}

// A flag byte, then a record that follows only when the flag is set.
template <class Record>
struct Flagged {
    bool bSet = false;
    Record record;

    const Record* Get() const { return bSet ? &record : nullptr; }
    const uint8_t* Bytes() const { return bSet ? record.m_abyData : nullptr; }
};

template <class Record>
Flagged<Record> ReadFlagged(HiByteBuffer& buffer)
{
    Flagged<Record> flagged;
    flagged.record.Init();
    flagged.bSet = ReadU8(buffer) != 0;
    if (flagged.bSet)
        flagged.record = ReadRecord<Record>(buffer);
    return flagged;
}

// Where an answer record holds the machine's meters; a win offset of -1 leaves the win alone.
struct MeterOffsets {
    int32_t nCredit;
    int32_t nScore;
    int32_t nWin;
};

void StoreMeters(CMachineTable& table, MachineKey key, const uint8_t* pRecord, MeterOffsets at)
{
    CMachineState* pRow = table.Find(key.nGameType, key.nMachineNo);
    if (!pRow)
        return;
    pRow->m_nCredit = int32_t(BlockU32(pRecord, at.nCredit));
    pRow->m_nScore = int32_t(BlockU32(pRecord, at.nScore));
    if (at.nWin >= 0)
        pRow->m_nWin = int32_t(BlockU32(pRecord, at.nWin));
}

void StoreMeters(CMachineTable& table, MachineKey key, uint32_t dwCredit, uint32_t dwWin,
                 uint32_t dwScore, bool bHasWin)
{
    CMachineState* pRow = table.Find(key.nGameType, key.nMachineNo);
    if (!pRow)
        return;
    pRow->m_nCredit = int32_t(dwCredit);
    if (bHasWin)
        pRow->m_nWin = int32_t(dwWin);
    pRow->m_nScore = int32_t(dwScore);
}

// Key, result flag and record, whose meters go into the row of the key.
template <class Record>
struct KeyedRecord {
    MachineKey key;
    bool bOk = false;
    Record record;
};

template <class Record>
KeyedRecord<Record> ReadKeyedRecord(HiByteBuffer& buffer, CMachineTable& table, MeterOffsets at)
{
    KeyedRecord<Record> answer;
    answer.key = ReadKey(buffer);
    answer.bOk = ReadU8(buffer) != 0;
    answer.record = ReadRecord<Record>(buffer);
    // A short record carries no meters: the row keeps its own.
    if (answer.record.m_bComplete)
        StoreMeters(table, answer.key, answer.record.m_abyData, at);
    return answer;
}

// Coin-in answers of every family: result, the player's money, key, and on success the credit.
struct CoinIn {
    int32_t nResult = 0;
    MachineKey key;
};

CoinIn ReadCoinIn(HiByteBuffer& buffer, CMachineTable& table)
{
    CoinIn answer;
    answer.nResult = ReadU8(buffer);
    table.m_nMoney = int32_t(ReadU32(buffer));
    answer.key = ReadKey(buffer);
    if (answer.nResult == 0) {
        const uint32_t dwCredit = ReadU32(buffer);
        if (CMachineState* pRow = table.Find(answer.key.nGameType, answer.key.nMachineNo))
            pRow->m_nCredit = int32_t(dwCredit);
    }
    return answer;
}

// Ticket-out answers of Jix (with a win) and Morvane (without): meters, result, gift tickets.
struct TicketOut {
    MachineKey key;
    int32_t nResult = 0;
};

TicketOut ReadTicketOut(HiByteBuffer& buffer, CMachineTable& table, bool bHasWin,
                        uint8_t byDefaultResult)
{
    TicketOut answer;
    answer.key = ReadKey(buffer);
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwWin = bHasWin ? ReadU32(buffer) : 0;
    const uint32_t dwScore = ReadU32(buffer);
    answer.nResult = ReadU8(buffer, byDefaultResult);
    table.m_nGiftTickets = int32_t(ReadU32(buffer));
    StoreMeters(table, answer.key, dwCredit, dwWin, dwScore, bHasWin);
    return answer;
}

constexpr int32_t kMaxCardValue = 55;

}  // namespace

// The Jix enter answer: key, meters and the spin record.
void NetworkClient::ParseJixEnter(HiByteBuffer& buffer)
{
    const MachineKey key = ReadKey(buffer);
    const uint32_t dwCredit = ReadU32(buffer);
    const uint32_t dwWin = ReadU32(buffer);
    const uint32_t dwScore = ReadU32(buffer);
    const auto spin = ReadRecord<RawBlock<kJixSpinDataSize>>(buffer);
    StoreMeters(m_table, key, dwCredit, dwWin, dwScore, true);
    OnJixEnter(key.nGameType, key.nMachineNo, spin.m_abyData);
}

void NetworkClient::DispatchJixMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgJixEnter:
        ParseJixEnter(buffer);
        return;
    case MsgJixCoinIn: {
        const CoinIn answer = ReadCoinIn(buffer, m_table);
        OnJixCoinIn(answer.nResult, answer.key.nGameType, answer.key.nMachineNo);
        return;
    }
    case MsgJixPlayStart: {
        const MachineKey key = ReadKey(buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        const uint32_t dwValue = bGranted ? ReadU32(buffer) : 0;
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        OnJixPlayStart(key.nGameType, key.nMachineNo, bGranted, dwValue);
        return;
    }
    case MsgJixBonus: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        const bool bGranted = ReadU8(buffer) != 0;
        const uint32_t dwValue = bGranted ? ReadU32(buffer) : 0;
        OnJixBonus(key.nGameType, key.nMachineNo, bGranted, dwValue);
        return;
    }
    case MsgJixSpinData: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        const auto spin = ReadFlagged<RawBlock<kJixSpinDataSize>>(buffer);
        OnJixSpinData(key.nGameType, key.nMachineNo, spin.bSet, spin.Bytes());
        return;
    }
    case MsgJixSpinEnd: {
        const MachineKey key = ReadKey(buffer);
        const bool bOk = ReadU8(buffer) != 0;
        if (bOk)
            UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        OnJixSpinEnd(key.nGameType, key.nMachineNo, bOk);
        return;
    }
    case MsgJixTicketOut: {
        const TicketOut answer = ReadTicketOut(buffer, m_table, true, 0);
        OnJixTicketOut(answer.key.nGameType, answer.key.nMachineNo, answer.nResult);
        return;
    }
    case MsgJixGameFin: {
        const MachineKey key = ReadKey(buffer);
        if (ReadU8(buffer) == 0)
            return;
        UpdateMachineState3(key.nGameType, key.nMachineNo, buffer);
        OnJixGameFin(key.nGameType, key.nMachineNo, true);
        return;
    }
    default:
        return;  // MsgJixAction has no answer
    }
}

// The double-up card of a Morvane machine, or its refusal.
void NetworkClient::ParseMorvanePerformanceValue(HiByteBuffer& buffer)
{
    const MachineKey key = ReadKey(buffer);
    // Even a refusal answers the game's pending request; dropped, it would stall the double-up.
    if (ReadU8(buffer, 1) < 1) {
        OnMorvanePerformanceRefused(key.nGameType, key.nMachineNo);
        return;
    }
    const uint32_t dwIndex = ReadU32(buffer);
    const int32_t nValue = int32_t(ReadU32(buffer));
    const int32_t nFlag = ReadU8(buffer);
    const uint32_t dwAmount = ReadU32(buffer);
    // An index past the game's entries is handed on all the same: only the card is not kept.
    OnMorvanePerformanceValue(key.nGameType, key.nMachineNo, dwIndex,
                              std::clamp(nValue, 0, kMaxCardValue), nFlag, dwAmount);
}

void NetworkClient::DispatchMorvaneMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgMorvaneEnter: {
        const MachineKey key = ReadKey(buffer);
        const uint32_t dwCredit = ReadU32(buffer);
        const uint32_t dwScore = ReadU32(buffer);
        const auto spin = ReadRecord<RawBlock<kMorvaneSpinDataSize>>(buffer);
        StoreMeters(m_table, key, dwCredit, 0, dwScore, false);
        OnMorvaneEnter(key.nGameType, key.nMachineNo, spin.m_abyData);
        return;
    }
    case MsgMorvaneCoinIn: {
        const CoinIn answer = ReadCoinIn(buffer, m_table);
        OnMorvaneCoinIn(answer.nResult, answer.key.nGameType, answer.key.nMachineNo);
        return;
    }
    case MsgMorvaneSpinData: {
        const MachineKey key = ReadKey(buffer);
        UpdateMachineState2(key.nGameType, key.nMachineNo, buffer);
        const auto spin = ReadFlagged<RawBlock<kMorvaneSpinDataSize>>(buffer);
        OnMorvaneSpinData(key.nGameType, key.nMachineNo, spin.bSet, spin.Bytes());
        return;
    }
    case MsgMorvaneSpinEnd: {
        const MachineKey key = ReadKey(buffer);
        OnMorvaneSpinEnd(key.nGameType, key.nMachineNo, ReadU8(buffer) != 0);
        return;
    }
    case MsgMorvaneTicketOut: {
        // A short answer without its result byte reads as refused (1).
        const TicketOut answer = ReadTicketOut(buffer, m_table, false, 1);
        OnMorvaneTicketOut(answer.key.nGameType, answer.key.nMachineNo, answer.nResult);
        return;
    }
    case MsgMorvanePerformanceValue:
        ParseMorvanePerformanceValue(buffer);
        return;
    case MsgMorvaneGameFin: {
        const MachineKey key = ReadKey(buffer);
        if (ReadU8(buffer) == 0)
            return;
        UpdateMachineState2(key.nGameType, key.nMachineNo, buffer);
        OnMorvaneGameFin(key.nGameType, key.nMachineNo, true);
        return;
    }
    default:
        // 28 and 29 are acknowledgements with nothing to hand on; 31 and 32 have no answer.
        return;
    }
}

void NetworkClient::DispatchPelagornMessage(uint16_t wId, HiByteBuffer& buffer)
{
    switch (wId) {
    case MsgPelagornEnter: {
        const MachineKey key = ReadKey(buffer);
        const auto record = ReadRecord<CPelagornEnterData>(buffer);
        StoreMeters(m_table, key, record.m_abyData, {0, 4, 8});
        OnPelagornEnter(key.nGameType, key.nMachineNo, record);
        return;
    }
    case MsgPelagornCoinIn: {
        const CoinIn answer = ReadCoinIn(buffer, m_table);
        OnPelagornCoinIn(answer.nResult, answer.key.nGameType, answer.key.nMachineNo);
        return;
    }
    case MsgPelagorn36: {
        const auto answer =
            ReadKeyedRecord<RawBlock<kPelagornCoinDropSize>>(buffer, m_table, {0, 4, -1});
        OnPelagorn36(answer.key.nGameType, answer.key.nMachineNo, answer.bOk,
                     answer.record.m_bComplete ? answer.record.m_abyData : nullptr);
        return;
    }
    case MsgPelagorn37: {
        const auto answer = ReadKeyedRecord<CPelagornData37>(buffer, m_table, {12, 16, 21});
        OnPelagorn37(answer.key.nGameType, answer.key.nMachineNo, answer.bOk, answer.record);
        return;
    }
    case MsgPelagornSpinData: {
        const auto answer = ReadKeyedRecord<CPelagornSpinData>(buffer, m_table, {4, 8, 12});
        OnPelagornSpinData(answer.key.nGameType, answer.key.nMachineNo, answer.bOk, answer.record);
        return;
    }
    case MsgPelagorn39: {
        const MachineKey key = ReadKey(buffer);
        const auto result = ReadFlagged<CPelagornData39>(buffer);
        OnPelagorn39(key.nGameType, key.nMachineNo, result.bSet, result.Get());
        return;
    }
    case MsgPelagornSpinEnd: {
        const MachineKey key = ReadKey(buffer);
        const auto value = ReadFlagged<RawBlock<1>>(buffer);
        OnPelagornSpinEnd(key.nGameType, key.nMachineNo, value.bSet, value.Bytes());
        return;
    }
    case MsgPelagornTicketOut: {
        const auto answer = ReadKeyedRecord<CPelagornTicketOutData>(buffer, m_table, {8, 12, 16});
        m_table.m_nGiftTickets = int32_t(ReadU32(buffer));
        OnPelagornTicketOut(answer.key.nGameType, answer.key.nMachineNo, answer.bOk, answer.record);
        return;
    }
    case MsgPelagornGameFin: {
        const MachineKey key = ReadKey(buffer);
        const auto result = ReadFlagged<RawBlock<kPelagornGameFinSize>>(buffer);
        if (result.bSet && result.record.m_bComplete)
            StoreMeters(m_table, key, result.record.m_abyData, {0, 4, 8});
        OnPelagornGameFin(key.nGameType, key.nMachineNo, result.bSet,
                          result.record.m_bComplete ? result.Bytes() : nullptr);
        return;
    }
    default:
        return;  // MsgPelagorn42 has no answer
    }
}
