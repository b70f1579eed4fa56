#pragma once
// What the game state asks of the object that hosts it (the game class, or a test's stand-in):
// the machine key, the standalone flag, the active flag and the running totals.

#include <cstdint>

class CMorvaneOwner {
public:
    virtual ~CMorvaneOwner() = default;

    virtual int32_t GetMorvaneKind() const = 0;  // 2 or 4
    virtual int32_t GetMorvaneMachineNo() const = 0;
    // A standalone object (the loading screen's preload) never talks to the server.
    virtual bool IsMorvaneStandalone() const = 0;
    // The enter answer starts the owner's time base.
    virtual void SetMorvaneActive() = 0;
    virtual void AddMorvaneTotals(int64_t bet, int64_t win) = 0;
    virtual void AddMorvaneMoneyInserted(int64_t amount) = 0;
    // Zeroes the money-inserted and running totals.
    virtual void ClearMorvaneTotals() = 0;
};
