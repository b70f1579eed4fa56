#pragma once
// Shared pieces of the Jix tests (and the frame benchmark): a recording sender, a settable clock, a
// machine-table row, a blit recorder and a big win on sevens.

#include <cstdint>
#include <map>
#include <vector>

#include "CDemo.h"
#include "CDemoSurface.h"
#include "CJix.h"
#include "CXSpriteBatch.h"
#include "JixClock.h"
#include "JixDrawSink.h"
#include "JixReelStrips.h"
#include "JixSender.h"
#include "MachineTable.h"

namespace jix_test {

struct SentRequest {
    uint16_t wId;
    uint8_t byGameType;
    uint16_t wMachineNo;
    uint32_t dwValue;
};

// Records every request; answers with `accept` (a refused send sets no pending byte). Given to
// the game with CJix::SetSender.
class RecordingSender : public CJixSender {
public:
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

// A clock the test moves by hand. Given to the game with CJix::SetClock.
class FakeClock : public CJixClock {
public:
    explicit FakeClock(uint32_t start) : m_now(start) {}
    uint32_t Now() override { return m_now; }
    void Set(uint32_t now) { m_now = now; }
    void Advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now;
};

// Puts the machine (type 1, number) into row 0 of the global table; empties it on destruction.
class MachineRow {
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

// Records every blit the game asks for, by image slot of the engine's surface; the host draws
// through it while it lives.
class RecordingDrawSink : public CJixDrawSink {
public:
    struct Blit {
        int slot;  // -1 for a sprite of no slot
        int x, y;
        bool hasRect;
        CXSpriteRect rect;
    };

    RecordingDrawSink(CJix& host, const CDemo& demo) : m_host(host)
    {
        for (int slot = 0; slot < kJixImageSlots; ++slot)
            m_slots[demo.GetSurface()->Get(slot)] = slot;
        m_host.SetDrawSink(this);
    }
    ~RecordingDrawSink() override { m_host.SetDrawSink(nullptr); }
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
    CJix& m_host;
    std::map<const CX2DSprite*, int> m_slots;
};

// A big win of 5000 (over 150000 in all, 20000 shown) on a row of sevens, presented (phase 30) at
// the stop tick: each reel stops on the first seven of its strip in set 0.
inline void SetBigWinOnSevens(CDemo& demo, int32_t stopTick)
{
    demo.m_nSpinPhase = 30;
    demo.m_nStopTick = stopTick;
    for (int reel = 0; reel < kJixReels; ++reel)
        for (int i = 0; i < kJixStops; ++i)
            if (JixStripSymbol(0, reel, i) == 7) {
                demo.m_anReelStop[reel] = i;
                break;
            }
    demo.m_nWinSum = 5000;
    demo.m_nPendingWin = 5000;
    demo.m_nTotalWin = 150000;
    demo.m_nShownWin = 20000;
}

}  // namespace jix_test
