#pragma once
// One spin outcome of the Pelagorn game: reel stops, line wins and the scene objects the spin
// shows. The same 64 bytes travel in the server's answers and in the probability engine's files,
// so the record is read and written field by field, little-endian, at fixed offsets.

#include <cstdint>

#include "CXMemoryPoolTmpl.h"

class CXProbDataInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXProbDataInfo)

    static constexpr uint32_t kSize = 64;

    // Event types.
    enum : uint8_t {
        TYPE_LOSE = 0,
        TYPE_BASE = 1,
        TYPE_RANDOM = 2,
        TYPE_HIGH_SIGN = 3,
        TYPE_HIGH_SECOND = 4,
        TYPE_HIGH_MORE = 5,
        TYPE_HIGH_LAST = 6,
        TYPE_AMENDED = 7,
    };
    // Bits of m_bySign.
    enum : uint8_t { SIGN_FIRST = 0x01, SIGN_SECOND = 0x02, SIGN_HIGH = 0x04 };

    CXProbDataInfo() = default;

    void Clear() { *this = CXProbDataInfo(); }

    // Reads the 64 bytes at p.
    void Read(const uint8_t* p);
    // Writes the 64 bytes at p.
    void Write(uint8_t* p) const;

    // Takes the result over from the source: line wins and total (bytes 8..15), reel stops, hit
    // bytes and reach mark (18..34), line symbols, counts and edge flags (37..45). Everything
    // else (event number, type, high bytes, scene objects) stays.
    void CopyResult(const CXProbDataInfo& source);

    bool HasSignOnlySecond() const
    {
        return (m_bySign & (SIGN_FIRST | SIGN_SECOND)) == SIGN_SECOND;
    }
    bool HasBothSigns() const
    {
        return (m_bySign & (SIGN_FIRST | SIGN_SECOND)) == (SIGN_FIRST | SIGN_SECOND);
    }
    bool IsHighType() const { return m_byType >= TYPE_HIGH_SIGN && m_byType <= TYPE_HIGH_LAST; }

    uint32_t m_dwMakeNo = 0;       // 0: generation of event data
    uint32_t m_dwEventNo = 0;      // 4: 1-based position in the main data
    uint16_t m_wLineWin[3] = {};   // 8: wins of the top, middle and bottom rows
    uint16_t m_wTotalWin = 0;      // 14: sum of the line wins
    uint8_t m_byBlockStart = 0;    // 16: first record of a built log
    uint8_t m_byType = 0;          // 17
    uint8_t m_byStop[4] = {};      // 18: stop position of reels 1..4
    uint8_t m_byHit[3][4] = {};    // 22: per line, 1 when the reel's symbol is part of the win
    uint8_t m_byReach = 0;         // 34: 0, or the near-win position code 2 or 3
    uint8_t m_byHighKind = 0;      // 35: high table entry type 1 or 2
    uint8_t m_byHighTable = 0;     // 36: high table number
    uint8_t m_bySymbol[3] = {};    // 37: symbol that made each line's win
    uint8_t m_byCount[3] = {};     // 40: matching reels of each line
    uint8_t m_byEdge[3] = {};      // 43: symbol-1 edge bonus of each line
    uint8_t m_bySign = 0;          // 46: "Sn1" bit 0, "Sn2" bit 1, high sign bit 2
    uint8_t m_byRai = 0;           // 47
    uint8_t m_byThu = 0;           // 48
    uint8_t m_byMO1 = 0;           // 49
    uint8_t m_byMO2 = 0;           // 50
    uint8_t m_byMN1 = 0;           // 51
    uint8_t m_byMN2 = 0;           // 52
    uint8_t m_byFOb = 0;           // 53
    uint8_t m_byUnused54 = 0;      // 54
    uint8_t m_byBGN = 0;           // 55
    uint8_t m_byReserved[8] = {};  // 56
};
