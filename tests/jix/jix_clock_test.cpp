// The host's fixed-step clock: frame time x 1.45 into whole ticks of 1/60 s.
#include <gtest/gtest.h>

#include <limits>

#include "CJix.h"

namespace {

TEST(JixClock, SixtyFramesPerSecondRunEightySevenTicksAlternatingOneAndTwo)
{
    CJix jix(nullptr, 1, true);
    EXPECT_DOUBLE_EQ(jix.m_dBaseSpeed, 1.45);
    EXPECT_DOUBLE_EQ(jix.m_dCurSpeed, 1.45);
    int total = 0;
    int ones = 0;
    int twos = 0;
    for (int frame = 0; frame < 600; ++frame) {
        jix.RunFrame(1.0f / 60.0f);
        ASSERT_GE(jix.m_nRun, 1) << frame;
        ASSERT_LE(jix.m_nRun, 2) << frame;
        ones += jix.m_nRun == 1;
        twos += jix.m_nRun == 2;
        total += jix.m_nRun;
    }
    EXPECT_NEAR(total, 870, 1);
    EXPECT_NEAR(ones, 330, 1);
    EXPECT_NEAR(twos, 270, 1);
}

TEST(JixClock, ShortFramesRunNoTickAndArePaidLater)
{
    CJix jix(nullptr, 1, true);
    jix.RunFrame(1.0f / 100.0f);  // 0.0145 s of game time, under one step
    EXPECT_EQ(jix.m_nRun, 0);
    EXPECT_NEAR(jix.m_dAccumulator, 0.0145, 1e-6);
    jix.RunFrame(1.0f / 100.0f);  // 0.029 s: one step and 0.74 of another carried
    EXPECT_EQ(jix.m_nRun, 1);
    EXPECT_DOUBLE_EQ(jix.m_dAccumulator, 0.0);
    EXPECT_NEAR(jix.m_dFraction, 0.74, 1e-5);
}

TEST(JixClock, LongAndInvalidFramesAreClamped)
{
    struct Case {
        float seconds;
        int ticks;
    };
    // 0.2 s is the longest frame the engine hands on: 0.29 s of game time is 17.4 ticks.
    const Case cases[] = {{0.2f, 17}, {5.0f, 17}, {-1.0f, 0}, {0.0f, 0}};
    for (const Case& c : cases) {
        CJix jix(nullptr, 1, true);
        jix.RunFrame(c.seconds);
        EXPECT_EQ(jix.m_nRun, c.ticks) << c.seconds;
    }
    CJix jix(nullptr, 1, true);
    jix.RunFrame(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(jix.m_nRun, 0);
    EXPECT_DOUBLE_EQ(jix.m_dAccumulator, 0.0);
}

}  // namespace
