#include <gtest/gtest.h>

#include <set>

#include "MorvaneReelStrips.h"

TEST(MorvaneStripsTest, WindowWrapsAroundTheStrip)
{
    struct Case {
        int set, reel, stop;
        int top, middle, bottom;
    };
    const Case cases[] = {
        {0, 0, 0, 2, 0, 10},   // A in the middle, 3B below, O above
        {0, 0, 22, 0, 10, 3},  // top wraps to stop 0, bottom is stop 21
        {0, 3, 0, 0, 5, 4},   {0, 3, 22, 5, 4, 10}, {1, 2, 22, 5, 7, 5}, {2, 1, 0, 10, 9, 10},
    };
    for (const Case& c : cases) {
        const MorvaneReelWindow w = MorvaneWindowOf(c.set, c.reel, c.stop);
        EXPECT_EQ(w.aCell[0], c.top) << "set " << c.set << " reel " << c.reel << " stop " << c.stop;
        EXPECT_EQ(w.aCell[1], c.middle)
            << "set " << c.set << " reel " << c.reel << " stop " << c.stop;
        EXPECT_EQ(w.aCell[2], c.bottom)
            << "set " << c.set << " reel " << c.reel << " stop " << c.stop;
    }
}

TEST(MorvaneStripsTest, StopsAreTakenModulo23EvenBelowZero)
{
    for (int stop = -46; stop < 46; ++stop)
        EXPECT_EQ(MorvaneSymbolAt(0, 1, stop), MorvaneReelStrips[0][1][((stop % 23) + 23) % 23])
            << stop;
}

TEST(MorvaneStripsTest, SetsHoldTheirSymbolsOnly)
{
    const std::set<int> expected[3] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {5, 6, 7}, {8, 9, 10}};
    for (int set = 0; set < 3; ++set) {
        std::set<int> seen;
        for (int reel = 0; reel < 4; ++reel)
            for (int stop = 0; stop < 23; ++stop)
                seen.insert(MorvaneReelStrips[set][reel][stop]);
        EXPECT_EQ(seen, expected[set]) << "set " << set;
    }
}
