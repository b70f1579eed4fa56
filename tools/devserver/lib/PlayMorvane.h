#pragma once
// The play mode's Morvane machines (game types 2 and 4): coin-ins add credit, each spin takes the
// bet and serves the next of four canned spin records, wins go to the score, and the score is
// paid out in gift tickets of 5000.

#include <array>
#include <cstdint>

#include "ByteBuilder.h"
#include "PlayAnswers.h"

namespace devserver {

// One canned spin: the fields of the 200-byte spin record that the canned spins set; every other
// field is 0.
struct MorvaneCannedSpin {
    const char* name;
    int32_t stops[4];
    int32_t reelSet;
    int32_t rowWins[3];  // top, middle, bottom
    int32_t winAmount;
    int32_t feverSpin;
    int32_t imsiFeverSpin;
    int32_t captionCue;
    int32_t moFever;
};

// Served in this order, then again: a loss, the middle four 7s, the middle four A, a fever.
const std::array<MorvaneCannedSpin, 4>& MorvaneCannedSpins();
// The record as the server sends it: 50 little-endian 32-bit values.
Bytes MorvaneSpinRecord(const MorvaneCannedSpin& spin);

void AddMorvaneAnswers(PlayAnswers& answers);

}  // namespace devserver
