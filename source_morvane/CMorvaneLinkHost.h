#pragma once
// What the Morvane server link asks of the game state it serves (CMorvaneMain, or a test's
// stand-in): whether requests may go out, the bet, and the answers' effects on the game. The
// link keeps its own flags and changes the game only through these calls.

#include <cstdint>

class CMorvaneOwner;

class CMorvaneLinkHost {
public:
    virtual ~CMorvaneLinkHost() = default;

    // The object hosting the game (null for none): the machine key, the active flag, the totals.
    virtual CMorvaneOwner* GetOwner() const = 0;
    // Requests go out only while the game is networked.
    virtual bool Networked() const = 0;
    // What one spin costs.
    virtual int32_t GetBet() const = 0;

    // The machine row's credit and score, shown at once.
    virtual void TakeCredit(int32_t credit) = 0;
    virtual void TakeScore(int32_t score) = 0;
    // The link's spin record is new (check: as the enter answer takes it).
    virtual void ApplySpinData(bool check) = 0;
    // The server ended the spin: no double-up is offered any more.
    virtual void OnSpinEnded() = 0;
    // A ticket-out answer: paid, or refused.
    virtual void OnTicketOut(bool paid) = 0;
    // A game-fin answer; a refused one drops the wish for a ticket. The ticket check runs after.
    virtual void OnGameFin(bool ok) = 0;
    // A double-up card's answer; any index takes the answer in, only 0..4 keep their card.
    virtual void AnsPerformanceValue(uint32_t index, int32_t value, int32_t flag,
                                     int32_t amount) = 0;
    // A refused card counts as lost.
    virtual void AnsPerformanceRefused() = 0;
};
