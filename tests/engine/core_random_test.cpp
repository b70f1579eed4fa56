// The engine's signed range draw, for ranges that configuration files give as signed numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "CX2DEngine.h"

TEST(CoreEngineRandomSigned, StaysInsideSignedRangesInEitherOrder)
{
    struct Case {
        int32_t a, b;
        int32_t low, high;
    };
    const Case cases[] = {
        {-10, 10, -10, 10}, {10, -10, -10, 10}, {-7, -3, -7, -3},
        {-3, -7, -7, -3},   {-5, -5, -5, -5},   {0, 1, 0, 1},
    };
    for (const Case& c : cases) {
        bool sawLow = false, sawHigh = false;
        for (int i = 0; i < 400; ++i) {
            const int32_t v = RandomRange(c.a, c.b);
            ASSERT_GE(v, c.low) << c.a << ".." << c.b;
            ASSERT_LE(v, c.high) << c.a << ".." << c.b;
            sawLow |= v == c.low;
            sawHigh |= v == c.high;
        }
        EXPECT_TRUE(sawLow && sawHigh) << "both bounds are drawn: " << c.a << ".." << c.b;
    }
    EngineShutdown();
}

TEST(CoreEngineRandomSigned, TheWholeSignedRangeGivesValuesOfBothSigns)
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    bool negative = false, positive = false;
    for (int i = 0; i < 64; ++i) {
        const int32_t v = RandomRange(kMin, kMax);
        negative |= v < 0;
        positive |= v > 0;
    }
    EXPECT_TRUE(negative && positive);
    EngineShutdown();
}
