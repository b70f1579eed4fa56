#pragma once
// 100 millisecond timers of the Jix game, each a start tick and a unit; the game uses slot 1.

#include <cstdint>

class CDemoTimer {
public:
    static constexpr int kSlots = 100;

    CDemoTimer() = default;
    virtual ~CDemoTimer() = default;

    // start := dwNow, unit := the given milliseconds (a unit of 0 is taken as 1).
    void Arm(int nSlot, uint32_t dwUnitMs, uint32_t dwNow);
    // Whole units from the slot's start to dwNow on the wrapping 32-bit clock (unsigned
    // difference).
    uint32_t Elapsed(int nSlot, uint32_t dwNow) const;

private:
    struct Slot {
        uint32_t dwStart = 0;
        uint32_t dwUnit = 1;
    };
    Slot m_aSlot[kSlots];
};
