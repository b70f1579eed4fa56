// Per-sample timing and the performance warning.

#include <gtest/gtest.h>

#include "CXCheckPerformance.h"
#include "cxlib/error_log_capture.h"

namespace {

uint32_t g_now = 0;
uint32_t FakeTick()
{
    return g_now;
}

}  // namespace

TEST(CXCheckPerformance, KeepsStatisticsAndWarnsOverTheLimit)
{
    ErrorLogCapture log;
    CXCheckPerformance perf;
    perf.SetTickSource(FakeTick);
    perf.EndCheckPerformance(1, "no sample");
    EXPECT_EQ(perf.m_dwCount, 0u);

    struct Step {
        uint32_t start;
        uint32_t end;
        uint32_t last;
        uint32_t max;
        float average;
    };
    const Step steps[] = {
        {100, 350, 250, 250, 250.0f},
        {0xFFFFFFF0u, 0x10u, 0x20u, 250, 141.0f},  // across the clock's wrap; integer average
        {500, 500, 0, 250, 94.0f},
    };
    for (const Step& s : steps) {
        g_now = s.start;
        perf.BeginCheckPerformance();
        g_now = s.end;
        perf.EndCheckPerformance(200, "step");
        EXPECT_EQ(perf.m_dwLastElapsed, s.last) << "start " << s.start;
        EXPECT_EQ(perf.m_dwMaxElapsed, s.max) << "start " << s.start;
        EXPECT_FLOAT_EQ(perf.m_fAverage, s.average) << "start " << s.start;
    }
    EXPECT_EQ(perf.m_dwCount, 3u);
    EXPECT_EQ(log.Count("# PERFORMANCE_WARNING: ["), 1) << log.Text();
    EXPECT_EQ(log.Count("] - [250] step"), 1);
    EXPECT_EQ(log.Count("[CXCheckPerformance::EndCheckPerformance]"), 1);
}

TEST(CXCheckPerformance, RestartsCountAndTotalAfterTheResetCount)
{
    CXCheckPerformance perf;
    perf.SetTickSource(FakeTick);
    perf.m_dwResetCount = 2;
    for (int i = 0; i < 3; ++i) {
        g_now = 0;
        perf.BeginCheckPerformance();
        g_now = 10;
        perf.EndCheckPerformance();
    }
    EXPECT_EQ(perf.m_dwCount, 0u);
    EXPECT_EQ(perf.m_dwTotalElapsed, 0u);
    EXPECT_EQ(perf.m_dwMaxElapsed, 10u);
}
