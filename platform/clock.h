#pragma once
// Time for the whole program.
// Stands in for: timeGetTime / GetTickCount (32-bit milliseconds that wrap),
// QueryPerformanceCounter
//   and QueryPerformanceFrequency, Sleep, timeBeginPeriod/timeEndPeriod (no-ops), time(),
//   GetLocalTime / localtime.
// Not here: waitable timers, thread waits (see the foundation library's threads).

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start; wraps after about 49.7 days. Compare differences unsigned.
uint32_t TickCount();

// Monotonic high-resolution counter and its ticks per second.
uint64_t PerformanceCounter();
uint64_t PerformanceFrequency();

// Sleeps the calling thread for at least the given milliseconds; 0 yields.
void SleepMs(uint32_t ms);

// Timer resolution requests have no effect: sleeps are already precise to about a millisecond.
inline void TimeBeginPeriod(uint32_t) {}
inline void TimeEndPeriod(uint32_t) {}

// Seconds since 1970-01-01 UTC.
int64_t UnixTimeNow();

struct LocalTime {
    int nYear;          // e.g. 2026
    int nMonth;         // 1..12
    int nDay;           // 1..31
    int nHour;          // 0..23
    int nMinute;        // 0..59
    int nSecond;        // 0..60
    int nMilliseconds;  // 0..999 (0 for LocalTimeAt)
    int nDayOfWeek;     // 0 Sunday .. 6 Saturday
};

// The local calendar time now, and of a given number of seconds since 1970.
LocalTime LocalTimeNow();
LocalTime LocalTimeAt(int64_t secondsSince1970);

}  // namespace platform
