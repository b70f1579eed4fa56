#pragma once
// The play mode's Pelagorn machines (game type 3): coin-ins add credit, each coin costs 100 of
// credit (or of the gift meter), every item hit gives a spin, each spin serves the next of three
// canned events (a loss, a line win, a high prize) whose win joins the gift meter at the game's
// finish, and ticket-out pays the gift meter in tickets of 5000.

#include <array>
#include <cstdint>

#include "ByteBuilder.h"
#include "PlayAnswers.h"

namespace devserver {

// One canned spin: the fields of the 64-byte event record the canned events set.
struct PelagornCannedSpin {
    const char* name;
    uint8_t type;
    uint8_t stops[4];
    uint16_t lineWins[3];  // top, middle, bottom
    uint8_t hits[3][4];
    uint8_t symbols[3];
    uint8_t counts[3];
    uint8_t signBits;
};

// Served in this order, then again.
const std::array<PelagornCannedSpin, 3>& PelagornCannedSpins();
// The 64-byte event record and the 67-byte result state of a canned spin.
Bytes PelagornEventRecord(const PelagornCannedSpin& spin);
Bytes PelagornResultState(const PelagornCannedSpin& spin);

void AddPelagornAnswers(PlayAnswers& answers);

}  // namespace devserver
