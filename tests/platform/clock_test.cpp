#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/thread_name.h"

TEST(ClockTest, TicksAndCounterAdvanceWithSleeps)
{
    const uint32_t t0 = platform::TickCount();
    const uint64_t c0 = platform::PerformanceCounter();
    platform::SleepMs(20);
    const uint32_t elapsed = platform::TickCount() - t0;  // unsigned difference survives the wrap
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 2000u);
    const double seconds =
        double(platform::PerformanceCounter() - c0) / double(platform::PerformanceFrequency());
    EXPECT_GE(seconds, 0.019);
    platform::SleepMs(0);
    platform::TimeBeginPeriod(1);
    platform::TimeEndPeriod(1);
}

TEST(ClockTest, LocalTimeAgreesWithTheCLibrary)
{
    const int64_t t = 1000000000;  // 2001-09-09 01:46:40 UTC
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm expected{};
    localtime_r(&tt, &expected);
    platform::LocalTime lt = platform::LocalTimeAt(t);
    EXPECT_EQ(lt.nYear, expected.tm_year + 1900);
    EXPECT_EQ(lt.nMonth, expected.tm_mon + 1);
    EXPECT_EQ(lt.nDay, expected.tm_mday);
    EXPECT_EQ(lt.nHour, expected.tm_hour);
    EXPECT_EQ(lt.nMinute, 46);
    EXPECT_EQ(lt.nSecond, 40);
    EXPECT_EQ(lt.nDayOfWeek, expected.tm_wday);

    const int64_t now = platform::UnixTimeNow();
    platform::LocalTime a = platform::LocalTimeAt(now);
    platform::LocalTime b = platform::LocalTimeNow();
    EXPECT_EQ(a.nYear, b.nYear);
    EXPECT_GE(b.nMilliseconds, 0);
    EXPECT_LE(b.nMilliseconds, 999);
}

TEST(ThreadNameTest, IdsDifferAndNamesAreCut)
{
    const uint32_t mine = platform::CurrentThreadId();
    EXPECT_NE(mine, 0u);
    EXPECT_EQ(platform::CurrentThreadId(), mine);
    uint32_t other = 0;
    std::string name;
    std::thread([&] {
        other = platform::CurrentThreadId();
        platform::SetCurrentThreadName("CXSceneGame-Task-Long");
        name = platform::CurrentThreadName();
    }).join();
    EXPECT_NE(other, mine);
    EXPECT_EQ(name, "CXSceneGame-Tas");
    EXPECT_GE(platform::ProcessorCount(), 1u);
}

TEST(DebugOutputTest, WritesToStderrAsGiven)
{
    ::testing::internal::CaptureStderr();
    platform::DebugOutput("line one\r\n");
    platform::DebugOutput(nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "line one\r\n");
}
