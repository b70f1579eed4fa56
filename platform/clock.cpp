// Time for the whole program over clock_gettime and the C library's local time.
// Stands in for: timeGetTime / GetTickCount, QueryPerformanceCounter/Frequency, Sleep, time(),
//   GetLocalTime / localtime.
// Not here: timer resolution (the calls in clock.h are no-ops).

#include "platform/clock.h"

#include <sched.h>
#include <time.h>

#include <cerrno>
#include <ctime>

namespace platform {

namespace {

uint64_t MonotonicNanoseconds()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

LocalTime FromTm(const std::tm& tm, int milliseconds)
{
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,   tm.tm_hour,
                     tm.tm_min,         tm.tm_sec,     milliseconds, tm.tm_wday};
}

}  // namespace

uint32_t TickCount()
{
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000ull);
}

uint64_t PerformanceCounter()
{
    return MonotonicNanoseconds();
}

uint64_t PerformanceFrequency()
{
    return 1000000000ull;
}

void SleepMs(uint32_t ms)
{
    if (ms == 0) {
        ::sched_yield();
        return;
    }
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

int64_t UnixTimeNow()
{
    return static_cast<int64_t>(std::time(nullptr));
}

LocalTime LocalTimeNow()
{
    timespec ts{};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    ::localtime_r(&ts.tv_sec, &tm);
    return FromTm(tm, static_cast<int>(ts.tv_nsec / 1000000L));
}

LocalTime LocalTimeAt(int64_t secondsSince1970)
{
    std::time_t t = static_cast<std::time_t>(secondsSince1970);
    std::tm tm{};
    ::localtime_r(&t, &tm);
    return FromTm(tm, 0);
}

}  // namespace platform
