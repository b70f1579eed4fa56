#pragma once
// The reel strips of the Morvane game: three sets of four 23-stop strips of symbol ids, and the
// window rule that turns a reel's stop into its three visible cells.

#include <cstdint>

// Symbol ids; the letters name every image of the symbol.
enum MorvaneSymbol : int32_t {
    MSYM_A = 0,  // wild
    MSYM_C = 1,
    MSYM_O = 2,
    MSYM_W = 3,
    MSYM_B = 4,
    MSYM_T = 5,
    MSYM_S = 6,
    MSYM_7 = 7,
    MSYM_1B = 8,
    MSYM_2B = 9,
    MSYM_3B = 10,
};

constexpr int kMorvaneSymbols = 11;
constexpr int kMorvaneReelSets = 3;
constexpr int kMorvaneReels = 4;
constexpr int kMorvaneStops = 23;
constexpr int kMorvaneRows = 3;  // top, middle, bottom

extern const int32_t MorvaneReelStrips[kMorvaneReelSets][kMorvaneReels][kMorvaneStops];

inline bool IsMorvaneBar(int32_t symbol)
{
    return symbol >= MSYM_1B && symbol <= MSYM_3B;
}

// The symbol at any stop of a strip; the stop is taken modulo 23 (negative stops included). The
// set and reel must be in range (the spin record is checked on receipt).
int32_t MorvaneSymbolAt(int32_t set, int32_t reel, int32_t stop);

// The three cells of a reel stopped at `stop`: top (stop + 1), middle (stop), bottom (stop - 1).
struct MorvaneReelWindow {
    int32_t aCell[kMorvaneRows];  // top, middle, bottom
};
MorvaneReelWindow MorvaneWindowOf(int32_t set, int32_t reel, int32_t stop);

// All twelve cells: [row][reel], rows top, middle, bottom.
struct MorvaneWindow {
    int32_t aCell[kMorvaneRows][kMorvaneReels];
};
MorvaneWindow MorvaneWindowOf(int32_t set, const int32_t (&stops)[kMorvaneReels]);
