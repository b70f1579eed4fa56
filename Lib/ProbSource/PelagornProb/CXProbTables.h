#pragma once
// The tables of the probability engine: prize patterns, base prizes, high-prize configurations,
// sign objects and moving-object rules, and the event log they build. Nothing in the client fills
// the tables; a caller that wants a working log fills them in code.

#include <cstdint>

#include "CXAVLTreeTmpl.h"
#include "CXArrayExTmpl.h"
#include "CXArrayTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXProbDataInfo.h"

// The patterns that pay one prize amount; keyed in the prize index by the 16-bit amount.
// A pattern: byte 0 the symbol, byte 1 the number of reels (1..4), bit 31 = middle row only.
class CXProbPrizeIndexObject {
public:
    static constexpr uint32_t PATTERN_MIDDLE = 0x80000000u;

    explicit CXProbPrizeIndexObject(uint16_t wPrize = 0)
        : m_wPrize(wPrize), m_byKey{static_cast<uint8_t>(wPrize), static_cast<uint8_t>(wPrize >> 8)}
    {}
    virtual ~CXProbPrizeIndexObject() = default;

    CXAVLKey GetKey() const { return {m_byKey, 2}; }
    static CXAVLKey KeyOf(const uint8_t (&key)[2]) { return {key, 2}; }

    uint16_t m_wPrize;
    uint8_t m_byKey[2];  // the amount, little-endian
    CXArrayExTmpl<uint32_t> m_Patterns;
};

// Prizes that go together: the base prizes of one block of 100 spins, or the parts of a high
// prize (then m_dwAmount is the whole high prize and m_Prizes holds high table indices).
class CXProbPrizeUnit {
public:
    virtual ~CXProbPrizeUnit() = default;
    uint32_t m_dwAmount = 0;
    CXArrayExTmpl<uint16_t> m_Prizes;
};

// Base prize choices: a list of units and a pick list of 1-based unit indices.
class CXProbBasePrizeObject {
public:
    CXProbBasePrizeObject() { m_Units.SetDefault(new CXProbPrizeUnit); }
    virtual ~CXProbBasePrizeObject() = default;
    CXArrayTmpl<CXProbPrizeUnit> m_Units;
    CXArrayExTmpl<uint8_t> m_Pick;
};

// One high-prize configuration: its number and its units (picked by 1-based unit number).
class CXProbHighConfigObject : public CXProbBasePrizeObject {
public:
    uint8_t m_byNumber = 0;
};

// The configurations of one high configuration index, picked by 1-based index.
class CXProbHighConfigIndex {
public:
    CXProbHighConfigIndex() { m_Configs.SetDefault(new CXProbHighConfigObject); }
    virtual ~CXProbHighConfigIndex() = default;
    CXArrayTmpl<CXProbHighConfigObject> m_Configs;
    CXArrayExTmpl<uint8_t> m_Pick;
};

// One high sequence: a sign prize, a second prize and the rest of its total in steps.
class CXProbHighTableObject {
public:
    virtual ~CXProbHighTableObject() = default;
    uint8_t m_byNumber = 0;
    uint8_t m_byType = 0;    // 1 or 2
    uint32_t m_dwTotal = 0;  // the whole high prize
    uint16_t m_wSignPrize = 0;
    uint8_t m_byTop = 0;                // 4 = top grade
    CXArrayExTmpl<uint32_t> m_LeadMin;  // lead ranges of the sign run before the sequence
    CXArrayExTmpl<uint32_t> m_LeadMax;
};

// A sign run triggered by a win: win range, percentage and lead range.
class CXProbSignObject {
public:
    virtual ~CXProbSignObject() = default;
    uint16_t m_wWinMin = 0;
    uint16_t m_wWinMax = 0;
    uint8_t m_byPercent = 0;
    uint32_t m_dwLeadMin = 0;
    uint32_t m_dwLeadMax = 0;
};

// A scene object to place: a field object ("FOb") or a moving object with its number ("MO1"/"MN1",
// "MO2"/"MN2"), with the rules that place it.
class CXProbMovingObject {
public:
    enum : uint8_t { SLOT_FIELD = 0, SLOT_FIRST = 1, SLOT_SECOND = 2 };

    virtual ~CXProbMovingObject() = default;

    uint8_t m_bySlot = SLOT_FIRST;
    uint8_t m_bCycle = 0;  // values cycle through the range instead of being drawn
    uint8_t m_byValueMin = 0;
    uint8_t m_byValueMax = 0;
    uint8_t m_byNextValue = 0;    // next value of the cycle; 0 = not started
    uint8_t m_byPercent[2] = {};  // chance in the first and in the second object array
    uint8_t m_byNumberMin = 0;
    uint8_t m_byNumberMax = 0;
    uint32_t m_dwExcludeMin = 0;  // exclusion window (0..0: none)
    uint32_t m_dwExcludeMax = 0;
    uint32_t m_dwClearMin = 0;  // clearing window (0..0: none)
    uint32_t m_dwClearMax = 0;
    // Rule list: after a sign run of at most m_dwRunLimit records.
    uint32_t m_dwRunLimit = 0;
    uint8_t m_byRunPercent = 0;
    uint32_t m_dwRunOffsetMin = 0;
    uint32_t m_dwRunOffsetMax = 0;
    // Rule list: before a win in the range.
    uint16_t m_wWinMin = 0;
    uint16_t m_wWinMax = 0;
    uint8_t m_byWinPercent = 0;
    uint32_t m_dwWinOffsetMin = 0;
    uint32_t m_dwWinOffsetMax = 0;
    // Rule list: around a high sequence of kind 1 or 2.
    struct High {
        uint8_t byPercent = 0;
        uint32_t dwOffsetMin = 0;
        uint32_t dwOffsetMax = 0;
        uint32_t dwCount = 0;
    } m_High[2];
};

// An event log: one record per future spin, with its count and total win.
class CXProbDataObject {
public:
    CX_DECLARE_MEMORY_POOL(CXProbDataObject)

    virtual ~CXProbDataObject() = default;

    // Empties the log: counts, high bytes and every record.
    void Clear();
    uint32_t GetSize() const { return m_Records.GetSize(); }
    // The record at the index, or null for a hole or an index past the size.
    CXProbDataInfo* GetAt(uint32_t dwIndex) const { return m_Records.GetAt(dwIndex); }
    // Grows the log to dwSize slots; new slots are holes. False when memory ran out.
    bool Grow(uint32_t dwSize);
    // Copies the record into the slot at the index (making a record there when it is a hole) and
    // counts it; a record it replaces is taken out of the count and total first.
    bool AddDataObject(uint32_t dwIndex, const CXProbDataInfo& record);
    // Sets the count and total from the records.
    bool Recount();

    uint32_t m_dwCount = 0;
    uint32_t m_dwTotalWin = 0;
    uint8_t m_byHighIndex = 0;   // configuration index of the high build
    uint8_t m_byHighNumber = 0;  // the configuration's number byte
    uint8_t m_byHighSlot = 0;    // configuration slot
    uint8_t m_byHighUnit = 0;    // unit number
    uint32_t m_dwHighAmount = 0;
    CXArrayTmpl<CXProbDataInfo> m_Records;
};
