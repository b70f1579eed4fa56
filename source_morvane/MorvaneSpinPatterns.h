#pragma once
// The constants of the four reel spin patterns. One routine (CMorvaneMain::SpinReels) runs them
// all: the reels wind back, speed up, run, and stop left to right, each settling back by 3 pixels
// a tick for 20 ticks so that the record's stop ends in the middle row (y 251).

#include <cstdint>

#include "MorvaneReelStrips.h"

struct MorvaneSpeedRange {
    int32_t nFrom;  // [from, to) in pixels of the reel's position
    int32_t nTo;
    int32_t nSpeed;
};

struct MorvaneSpinPattern {
    int32_t nStepValue;
    int32_t nFullSpeed;  // F: reel 1's position below which all reels run together
    MorvaneSpeedRange aRanges[kMorvaneReels][2];  // where two overlap, the second wins
    int32_t aStopLimit[kMorvaneReels];
    int32_t aCopyLimit[kMorvaneReels];
    int32_t aLanding[kMorvaneReels];      // landing offset L
    int32_t aStripLength[kMorvaneReels];  // symbols in the landing strip
};

constexpr int kMorvaneSpinPatterns = 4;
extern const MorvaneSpinPattern g_MorvaneSpinPatterns[kMorvaneSpinPatterns];

// Settle ticks of each reel, and the y of the landing symbol once a reel rests.
constexpr int32_t kMorvaneSettleTicks = 20;
constexpr int32_t kMorvaneLandingY = 251;
// A reel whose position lies above this hides its landing strip.
constexpr int32_t kMorvaneLandingHidden = 8200;
