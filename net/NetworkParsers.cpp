// Parsers of the structured answers. Loops over counts stop when the body is exhausted.
#include "CivilDate.h"
#include "NetFieldReaders.h"
#include "NetworkClient.h"

using namespace netfield;

namespace {

// Limits of the counted texts, in bytes of UTF-16.
constexpr int32_t kNameBytes = 40;
constexpr int32_t kChatNameBytes = 20;
constexpr int32_t kChatTextBytes = 256;
constexpr int32_t kNoticeBytes = 512;

// A zero-filled text buffer two bytes longer than its limit, so it is always terminated.
template <int32_t LimitBytes>
struct CountedText {
    char16_t sz[LimitBytes / 2 + 1] = {};
    bool Read(HiByteBuffer& buffer) { return buffer.ReadCountedText(sz, LimitBytes); }
};

CMachineLogEntry ReadLogEntry(HiByteBuffer& buffer, int32_t nGameType, int32_t nMachineNo)
{
    CMachineLogEntry entry;
    entry.m_nGameType = nGameType;
    entry.m_nMachineNo = nMachineNo;
    entry.m_nMonth = ReadU8(buffer);
    entry.m_nDay = ReadU8(buffer);
    entry.m_nHour = ReadU8(buffer);
    entry.m_nMinute = ReadU8(buffer);
    entry.m_nValue = ReadU8(buffer);
    entry.m_dwA = ReadU32(buffer);
    entry.m_dwB = ReadU32(buffer);
    return entry;
}

// Four machine numbers, each followed by a value byte when it is not 0.
void ReadMachineValues(HiByteBuffer& buffer, uint16_t (&awMachineNo)[4], uint8_t (&abyValue)[4])
{
    for (int i = 0; i < 4; ++i) {
        awMachineNo[i] = ReadU16(buffer);
        if (awMachineNo[i] > 0)
            abyValue[i] = ReadU8(buffer);
    }
}

}  // namespace

void NetworkClient::ParseMachineTable(HiByteBuffer& buffer)
{
    m_table.Reset();
    for (int32_t i = 0; i < CMachineTable::kRows; ++i) {
        CMachineState& row = m_table.m_aRows[i];
        row.m_nIndex = i;
        row.m_nGameType = ReadU8(buffer);
        if (row.m_nGameType == 1 || row.m_nGameType == 3) {
            row.m_nMachineNo = ReadU16(buffer);
            row.m_nCredit = int32_t(ReadU32(buffer));
            row.m_nWin = int32_t(ReadU32(buffer));
            row.m_nScore = int32_t(ReadU32(buffer));
        } else if (row.m_nGameType == 2 || row.m_nGameType == 4) {
            row.m_nMachineNo = ReadU16(buffer);
            row.m_nCredit = int32_t(ReadU32(buffer));
            row.m_nScore = int32_t(ReadU32(buffer));
        }
    }
}

void NetworkClient::ParseChatLine(HiByteBuffer& buffer)
{
    uint8_t byResult = 0;
    if (buffer.ReadU8(byResult) && byResult != 0)
        return;
    const uint8_t byFlags = ReadU8(buffer);
    char16_t szName[kChatNameBytes / 2 + 1] = {};
    buffer.ReadWString(szName, kChatNameBytes);
    if (byFlags & 0x01) {
        char16_t szSecond[kChatNameBytes / 2 + 1] = {};
        buffer.ReadWString(szSecond, kChatNameBytes);
    }
    CountedText<kChatTextBytes> text;
    text.Read(buffer);
    OnChatLine(szName, text.sz, (byFlags & 0x04) != 0, (byFlags & 0x80) != 0, (byFlags & 0x01) != 0,
               (byFlags & 0x08) != 0);
}

void NetworkClient::ParsePrizeNoticeA(HiByteBuffer& buffer)
{
    const int32_t nGameType = ReadU8(buffer);
    const int32_t nMachineNo = ReadU16(buffer);
    CountedText<kNameBytes> name;
    name.Read(buffer);
    const int32_t nSymbol = ReadU8(buffer);
    OnPrizeNoticeA(name.sz, nGameType, nMachineNo, nSymbol);
}

void NetworkClient::ParsePrizeNoticeB(HiByteBuffer& buffer)
{
    const int32_t nGameType = ReadU8(buffer);
    const int32_t nMachineNo = ReadU16(buffer);
    CountedText<kNameBytes> name;
    name.Read(buffer);
    const int32_t nSymbol = ReadU8(buffer);
    const uint32_t dwAmount = ReadU32(buffer);
    OnPrizeNoticeB(name.sz, nGameType, nMachineNo, nSymbol, dwAmount);
}

void NetworkClient::ParsePrizeNoticeC(HiByteBuffer& buffer)
{
    CPrizeNotice notice;
    notice.m_nGameType = ReadU8(buffer);
    notice.m_nMachineNo = ReadU16(buffer);
    CountedText<kNameBytes> name;
    name.Read(buffer);
    notice.m_pszName = name.sz;
    notice.m_nLine = ReadU8(buffer);
    buffer.Read(notice.m_abySymbols, 4);
    notice.m_dwPrizeAmount = ReadU32(buffer);
    buffer.Skip(1);
    notice.m_nValue = ReadU8(buffer);
    notice.m_dwAnnouncedAmount = ReadU32(buffer);
    notice.m_nJackpotKind = ReadU8(buffer);
    OnPrizeNoticeC(notice);
}

void NetworkClient::ParseUserEnterLeave(HiByteBuffer& buffer)
{
    const uint8_t byKind = ReadU8(buffer);
    CountedText<kNameBytes> name;
    name.Read(buffer);
    if (byKind <= 1)
        OnUserEnterLeave(byKind == 0, name.sz);
}

void NetworkClient::ParseReserveInfo(HiByteBuffer& buffer)
{
    const int32_t nCount = ReadU8(buffer);
    for (int32_t i = 0; i < nCount && buffer.GetRemaining() > 0; ++i) {
        CivilDateTime start;
        start.nYear = ReadU16(buffer);
        start.nMonth = ReadU8(buffer);
        start.nDay = ReadU8(buffer);
        start.nHour = ReadU8(buffer);
        start.nMinute = ReadU8(buffer);
        const int32_t nDuration = ReadU16(buffer);
        CReserveInfoEntry entry;
        FormatCivilDateTime(start, entry.m_szStart, 21);
        FormatCivilDateTime(ReservationEnd(start, nDuration), entry.m_szEnd, 21);
        ReadMachineValues(buffer, entry.m_awMachineNo, entry.m_abyValue);
        OnReserveInfoEntry(entry);
    }
    OnReserveInfoEnd();
}

void NetworkClient::ParseReserveStatus(HiByteBuffer& buffer)
{
    OnReserveStatus(ReadU16(buffer, 24));
    for (CMachineState& row : m_table.m_aRows)
        row.m_byReserved = 0;
    const int32_t nCount = ReadU8(buffer);
    int32_t nLastMachineNo = 0;
    for (int32_t i = 0; i < nCount && buffer.GetRemaining() > 0; ++i) {
        const int32_t nGameType = ReadU8(buffer);
        nLastMachineNo = ReadU16(buffer);
        if (CMachineState* pRow = m_table.Find(nGameType, nLastMachineNo))
            pRow->m_byReserved = 1;
    }
    OnReserveStatusList(nLastMachineNo);
}

void NetworkClient::ParseReserveResult(HiByteBuffer& buffer)
{
    CReserveResult result;
    result.m_bApproved = ReadU8(buffer) > 0;
    ReadMachineValues(buffer, result.m_awMachineNo, result.m_abyValue);
    result.m_wHours = ReadU16(buffer);
    OnReserveResult(result);
}

void NetworkClient::ParseMachineLog(HiByteBuffer& buffer)
{
    for (int32_t nDeck = 0; nDeck < CMachineTable::kRows; ++nDeck) {
        const int32_t nGameType = ReadU8(buffer);
        if (nGameType == 0)
            continue;
        const int32_t nMachineNo = ReadU16(buffer);
        const int32_t nCount = ReadU8(buffer);
        for (int32_t i = 0; i < nCount && buffer.GetRemaining() > 0; ++i)
            OnDeckLogEntry(ReadLogEntry(buffer, nGameType, nMachineNo));
    }
    const int32_t nCount = ReadU8(buffer);
    for (int32_t i = 0; i < nCount && buffer.GetRemaining() > 0; ++i) {
        const int32_t nGameType = ReadU8(buffer);
        const int32_t nMachineNo = ReadU16(buffer);
        OnGameLogEntry(ReadLogEntry(buffer, nGameType, nMachineNo));
    }
    OnMachineLogEnd();
}

void NetworkClient::ParseStaffCallResult(HiByteBuffer& buffer)
{
    OnStaffCallResult(ReadU8(buffer));
}

void NetworkClient::ParseMachineRelease(HiByteBuffer& buffer)
{
    const int32_t nGameType = ReadU8(buffer);
    OnMachineRelease(nGameType, ReadU16(buffer));
}

void NetworkClient::ParseNotice(HiByteBuffer& buffer)
{
    CountedText<kNoticeBytes> text;
    text.Read(buffer);
    OnNotice(text.sz);
}

void NetworkClient::ParseNoticeList(HiByteBuffer& buffer)
{
    const int32_t nCount = ReadU8(buffer);
    if (nCount == 0)
        return;
    OnNoticeListBegin();
    // Each entry starts with its 16-bit count; a stray last byte is no entry.
    for (int32_t i = 0; i < nCount && buffer.GetRemaining() >= 2; ++i) {
        CountedText<kNoticeBytes> text;
        text.Read(buffer);
        OnNoticeListEntry(text.sz);
    }
    OnNoticeListEnd();
}
