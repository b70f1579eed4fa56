#pragma once
// The play mode's Morvane machines (game types 2 and 4): coin-ins add credit, each spin takes the
// bet and serves the next of five canned spin records, wins go to the score, small wins may be
// staked on the double-up card game, and the score is paid out in gift tickets of 5000.

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
    int32_t performanceCue;  // 1..500 offers the double-up
    int32_t feverTime;       // 1 starts a fever as the reels rest
    int32_t feverStop;       // 1 (without feverTime) ends one
};

// The session counter of canned spins served; the next spin is entry (counter mod 5).
inline constexpr const char* kMorvaneSpinCounter = "morvane spins";

// Served in this order, then again: a loss, the middle four 7s, the middle four A, a fever, a
// small win.
const std::array<MorvaneCannedSpin, 5>& MorvaneCannedSpins();
// The double-up's cards in the order dealt (0..27 red, 28..55 black); the count runs on across
// games of a session.
const std::array<int32_t, 8>& MorvaneDoubleCards();
// The record as the server sends it: 50 little-endian 32-bit values.
Bytes MorvaneSpinRecord(const MorvaneCannedSpin& spin);
// Answers a spin-data request (id 25, read from r) with the spin when the machine's credit holds
// the bet: the bet is taken, the win goes to the score, a small win may then be staked on the
// double-up. False when refused.
bool ServeMorvaneSpin(PlaySession& s, BodyReader& r, const MorvaneCannedSpin& spin);

void AddMorvaneAnswers(PlayAnswers& answers);

}  // namespace devserver
