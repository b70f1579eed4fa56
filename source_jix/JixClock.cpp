#include "JixClock.h"

#include "platform/clock.h"

uint32_t CJixPlatformClock::Now()
{
    return platform::TickCount();
}
