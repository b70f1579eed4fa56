#pragma once
// What the server link writes into the game: the game scene implements it. Every call comes on
// the UI thread from an answer of the server.

#include <cstdint>

#include "CPelagornRecords.h"

class CPelagornLinkHost {
public:
    virtual ~CPelagornLinkHost() = default;

    // The game clock in milliseconds (wraps at 32 bits).
    virtual uint32_t GetTimeMs() const = 0;

    // Answer 34: every field into the scene.
    virtual void ApplyEnterData(const CPelagornEnterRecord& record) = 0;
    // Answer 35: CREDIT from the server, shown counting, and the credit-arrived flag.
    virtual void ApplyCoinInCredit(int32_t iCredit) = 0;
    // Accepted answer 36.
    virtual void ApplyCoinDrop(bool bFromCredit) = 0;
    // Refused answers: the server's meters, shown (SPIN only when bWithSpin), then saved.
    virtual void ApplyMeters(int32_t iCredit, int32_t iGift, int32_t iSpin, bool bWithSpin) = 0;
    virtual void RefreshSpin() = 0;
    // Accepted answer 37.
    virtual void ApplyItemHit(const CPelagornItemRecord& record) = 0;
    // Accepted answer 38: meters, high-prize kind and mode, result state, last event, then the
    // event is applied.
    virtual void ApplySpinData(const CPelagornSpinRecord& record) = 0;
    // Accepted answer 39 with a result: the state and last event copied, then the event applied.
    virtual void ApplySpinResult(const CPelagornResultRecord& record) = 0;
    // Answer 41, accepted or not.
    virtual void ApplyTicketOut(bool bOk, const CPelagornTicketOutRecord& record) = 0;
    // Accepted answer 43.
    virtual void ApplyGameFin(const CPelagornGameFinRecord& record) = 0;
};
