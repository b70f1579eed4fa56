#pragma once
// The 41 coin paths: each path code owns a list of counter bands, and a band moves the coin by a
// fixed step per tick. One table and one interpreter (JixCoinPathStep) stand for all the paths.

#include <cstdint>

constexpr int kJixCoinPaths = 41;
constexpr int kJixPathMaxBands = 12;
// The flight counter from which no path moves the coin.
constexpr int32_t kJixPathLastCounter = 299;

// Counters from the previous band's last + 1 (0 for the first) up to nLast move the coin by
// (dx, dy) per tick; a band may step differently on odd counters.
struct JixPathBand {
    constexpr JixPathBand() = default;
    constexpr JixPathBand(int last, int dx, int dy)
        : nLast(int16_t(last)), nDx(int8_t(dx)), nDy(int8_t(dy)), nDxOdd(int8_t(dx)),
          nDyOdd(int8_t(dy))
    {}
    constexpr JixPathBand(int last, int dxEven, int dyEven, int dxOdd, int dyOdd)
        : nLast(int16_t(last)), nDx(int8_t(dxEven)), nDy(int8_t(dyEven)), nDxOdd(int8_t(dxOdd)),
          nDyOdd(int8_t(dyOdd))
    {}
    int16_t nLast = -1;  // -1: no band
    int8_t nDx = 0, nDy = 0;
    int8_t nDxOdd = 0, nDyOdd = 0;
};

struct JixCoinPath {
    int16_t nCode;  // also the coin's entry height
    JixPathBand aBands[kJixPathMaxBands];
};

extern const JixCoinPath kJixCoinPathTable[kJixCoinPaths];

// The path of a code; null for a code that is not one of the 41.
const JixCoinPath* JixFindCoinPath(int32_t nCode);

// The step of the path at flight counter n; false (no move) outside 0..299.
bool JixCoinPathStep(const JixCoinPath& path, int32_t n, int32_t* pDx, int32_t* pDy);
