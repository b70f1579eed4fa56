#pragma once
// The reel strips: 8 strip sets x 4 reels x 23 stops of symbols 0..10 (symbol s is the sprite
// of slot 679 + s; 0 is the joker).

#include <cstdint>

constexpr int kJixStripSets = 8;
constexpr int kJixReels = 4;
constexpr int kJixStops = 23;
constexpr int kJixSymbols = 11;
constexpr int kJixFirstSymbolSlot = 679;

extern const int8_t kJixReelStrips[kJixStripSets][kJixReels][kJixStops];

// The symbol at any (also negative or large) index of a reel: the index is taken modulo 23,
// never negative. The set and reel must be in range.
int JixStripSymbol(int nSet, int nReel, int nIndex);
