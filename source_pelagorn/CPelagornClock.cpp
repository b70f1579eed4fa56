#include "CPelagornClock.h"

#include "platform/clock.h"

int64_t CPelagornClock::UnixSeconds()
{
    return platform::UnixTimeNow();
}
