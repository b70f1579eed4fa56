#include "MorvaneReelStrips.h"

const int32_t MorvaneReelStrips[kMorvaneReelSets][kMorvaneReels][kMorvaneStops] = {
    {
        {0, 2, 3, 9, 2, 7, 10, 2, 4, 8, 3, 1, 6, 9, 4, 6, 0, 8, 5, 4, 7, 3, 10},
        {3, 0, 9, 3, 4, 2, 8, 1, 7, 6, 10, 1, 5, 7, 8, 2, 4, 10, 5, 7, 9, 1, 2},
        {0, 1, 10, 5, 6, 2, 7, 8, 6, 4, 9, 3, 1, 4, 2, 10, 6, 5, 1, 8, 7, 3, 9},
        {5, 0, 8, 5, 3, 7, 9, 2, 6, 2, 3, 8, 4, 5, 10, 1, 7, 9, 4, 6, 3, 10, 4},
    },
    {
        {7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6},
        {6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7},
        {5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7},
        {7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6, 5, 7, 6},
    },
    {
        {10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9},
        {9, 10, 8, 9, 10, 8, 9, 10, 8, 9, 10, 8, 9, 10, 8, 9, 10, 8, 9, 10, 8, 9, 10},
        {8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10},
        {10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9, 8, 10, 9},
    },
};

int32_t MorvaneSymbolAt(int32_t set, int32_t reel, int32_t stop)
{
    int32_t index = stop % kMorvaneStops;
    if (index < 0)
        index += kMorvaneStops;
    return MorvaneReelStrips[set][reel][index];
}

MorvaneReelWindow MorvaneWindowOf(int32_t set, int32_t reel, int32_t stop)
{
    return {{MorvaneSymbolAt(set, reel, stop + 1), MorvaneSymbolAt(set, reel, stop),
             MorvaneSymbolAt(set, reel, stop + kMorvaneStops - 1)}};
}

MorvaneWindow MorvaneWindowOf(int32_t set, const int32_t (&stops)[kMorvaneReels])
{
    MorvaneWindow window{};
    for (int reel = 0; reel < kMorvaneReels; ++reel) {
        const MorvaneReelWindow cells = MorvaneWindowOf(set, reel, stops[reel]);
        for (int row = 0; row < kMorvaneRows; ++row)
            window.aCell[row][reel] = cells.aCell[row];
    }
    return window;
}
