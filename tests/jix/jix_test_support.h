#pragma once
// Shared pieces of the Jix tests: a recording sender, a settable clock and a machine-table row.

#include <cstdint>
#include <vector>

#include "JixClock.h"
#include "JixSender.h"
#include "MachineTable.h"

namespace jix_test {

struct SentRequest
{
    uint16_t wId;
    uint8_t byGameType;
    uint16_t wMachineNo;
    uint32_t dwValue;
};

// Records every request; answers with `accept` (a refused send sets no pending byte).
class RecordingSender : public CJixSender
{
public:
    RecordingSender() { JixSetSender(this); }
    ~RecordingSender() override { JixSetSender(nullptr); }
    bool Send(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue) override
    {
        sent.push_back({wId, byGameType, wMachineNo, dwValue});
        return accept;
    }
    int Count(uint16_t wId) const
    {
        int n = 0;
        for (const SentRequest& r : sent)
            n += r.wId == wId;
        return n;
    }
    std::vector<SentRequest> sent;
    bool accept = true;
};

// A clock the test moves by hand.
class FakeClock
{
public:
    explicit FakeClock(uint32_t start) { s_now = start; JixSetClock(&Now); }
    ~FakeClock() { JixSetClock(nullptr); }
    void Set(uint32_t now) { s_now = now; }
    void Advance(uint32_t ms) { s_now += ms; }

private:
    static uint32_t Now() { return s_now; }
    static inline uint32_t s_now = 0;
};

// Puts the machine (type 1, number) into row 0 of the global table; empties it on destruction.
class MachineRow
{
public:
    MachineRow(int32_t nMachineNo, int32_t nCredit, int32_t nSpins, int32_t nScore)
    {
        g_MachineTable.Reset();
        CMachineState& row = g_MachineTable.m_aRows[0];
        row.m_nIndex = 0;
        row.m_nGameType = 1;
        row.m_nMachineNo = nMachineNo;
        Set(nCredit, nSpins, nScore);
    }
    ~MachineRow() { g_MachineTable.Reset(); }
    void Set(int32_t nCredit, int32_t nSpins, int32_t nScore)
    {
        CMachineState& row = g_MachineTable.m_aRows[0];
        row.m_nCredit = nCredit;
        row.m_nWin = nSpins;
        row.m_nScore = nScore;
    }
};

} // namespace jix_test
