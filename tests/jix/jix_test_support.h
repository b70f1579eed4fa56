#pragma once
// Shared pieces of the Jix tests: a recording sender, a settable clock and a machine-table row.

#include <cstdint>
#include <map>
#include <vector>

#include "CDemo.h"
#include "CDemoSurface.h"
#include "CXSpriteBatch.h"
#include "JixClock.h"
#include "JixDrawSink.h"
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
    bool Send(JixRequest request, uint8_t byGameType, uint16_t wMachineNo,
              uint32_t dwValue) override
    {
        sent.push_back({static_cast<uint16_t>(request), byGameType, wMachineNo, dwValue});
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

// Records every blit the game asks for, by image slot of the engine's surface.
class RecordingDrawSink : public CJixDrawSink
{
public:
    struct Blit
    {
        int slot;  // -1 for a sprite of no slot
        int x, y;
        bool hasRect;
        CXSpriteRect rect;
    };

    explicit RecordingDrawSink(const CDemo& demo)
    {
        for (int slot = 0; slot < kJixImageSlots; ++slot)
            m_slots[demo.GetSurface()->Get(slot)] = slot;
        JixSetDrawSink(this);
    }
    ~RecordingDrawSink() override { JixSetDrawSink(nullptr); }
    void Draw(CX2DSprite* sprite, const CXSpriteRect* rect, int x, int y) override
    {
        const auto it = m_slots.find(sprite);
        blits.push_back({it == m_slots.end() ? -1 : it->second, x, y, rect != nullptr,
                         rect ? *rect : CXSpriteRect{}});
    }
    // The blits of slots first..last, in order.
    std::vector<Blit> Of(int first, int last) const
    {
        std::vector<Blit> out;
        for (const Blit& b : blits)
            if (b.slot >= first && b.slot <= last)
                out.push_back(b);
        return out;
    }
    std::vector<Blit> blits;

private:
    std::map<const CX2DSprite*, int> m_slots;
};

} // namespace jix_test

