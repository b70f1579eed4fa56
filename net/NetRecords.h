#pragma once

#include <cstdint>
#include <cstring>

// Answer records handed to the games and screens. Blocks are raw bytes in wire order; a block is
// copied only when the body holds all of its bytes, otherwise the record keeps its prepared values.

inline constexpr int32_t kJixSpinDataSize = 180;      // answers 14 and 18
inline constexpr int32_t kMorvaneSpinDataSize = 200;  // answers 23 and 25
inline constexpr int32_t kPelagornCoinDropSize = 16;  // answer 36
inline constexpr int32_t kPelagornGameFinSize = 12;   // answer 43

// Little-endian 32-bit value at any offset of a byte block.
inline uint32_t BlockU32(const uint8_t* pBlock, int32_t nOffset)
{
    return uint32_t(pBlock[nOffset]) | uint32_t(pBlock[nOffset + 1]) << 8 |
           uint32_t(pBlock[nOffset + 2]) << 16 | uint32_t(pBlock[nOffset + 3]) << 24;
}
inline void SetBlockU32(uint8_t* pBlock, int32_t nOffset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        pBlock[nOffset + i] = uint8_t(value >> (8 * i));
}

template <int32_t N>
struct CNetBlock {
    static constexpr int32_t kSize = N;
    uint8_t m_abyData[N] = {};
    bool m_bComplete = false;  // the body held every byte of the block
    uint32_t GetU32(int32_t nOffset) const { return BlockU32(m_abyData, nOffset); }
    int32_t GetI32(int32_t nOffset) const { return int32_t(GetU32(nOffset)); }
};

// Answer 34: the Pelagorn enter record (117 bytes).
struct CPelagornEnterData : CNetBlock<117> {
    // CREDIT, GIFT, SPIN 0; threshold 100, maximum 20000, unit 5000, limit 4, then 3, 10, 3.
    void Init();
};

// Answer 37: the item-hit record (42 bytes); win is at the unaligned offset 21.
struct CPelagornData37 : CNetBlock<42> {
    // First 32-bit value -1, the rest 0.
    void Init();
};

// Answer 38: the Pelagorn spin record (227 bytes).
struct CPelagornSpinData : CNetBlock<227> {
    void Init() { std::memset(m_abyData, 0, sizeof m_abyData); }
};

// Answer 39: the result record (200 bytes).
struct CPelagornData39 : CNetBlock<200> {
    // Status byte 1, the rest 0.
    void Init();
};

// Answer 41: the ticket-out record (28 bytes).
struct CPelagornTicketOutData : CNetBlock<28> {
    void Init() { std::memset(m_abyData, 0, sizeof m_abyData); }
};

// One entry of the reservation list (answer 116).
struct CReserveInfoEntry {
    char16_t m_szStart[21] = {};  // "YYYY-MM-DD hh:mm"
    char16_t m_szEnd[21] = {};    // end's date and hour, the start's minute
    uint16_t m_awMachineNo[4] = {};
    uint8_t m_abyValue[4] = {};
};

// The reservation result (answer 120).
struct CReserveResult {
    bool m_bApproved = false;
    uint16_t m_awMachineNo[4] = {};
    uint8_t m_abyValue[4] = {};
    uint16_t m_wHours = 0;
};

// One log row of the machine log (answer 122).
struct CMachineLogEntry {
    int32_t m_nGameType = 0;
    int32_t m_nMachineNo = 0;
    int32_t m_nMonth = 0;
    int32_t m_nDay = 0;
    int32_t m_nHour = 0;
    int32_t m_nMinute = 0;
    int32_t m_nValue = 0;
    uint32_t m_dwA = 0;
    uint32_t m_dwB = 0;
};

// The prize notice of answer 113.
struct CPrizeNotice {
    int32_t m_nGameType = 0;
    int32_t m_nMachineNo = 0;
    const char16_t* m_pszName = u"";
    uint8_t m_abySymbols[4] = {};
    int32_t m_nLine = 0;
    uint32_t m_dwPrizeAmount = 0;
    int32_t m_nValue = 0;
    int32_t m_nJackpotKind = 0;
    uint32_t m_dwAnnouncedAmount = 0;
};
