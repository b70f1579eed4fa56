#include "JixClock.h"

#include "platform/clock.h"

namespace {
JixClockFunc s_pClock = nullptr;
}

uint32_t JixTimeGetTime()
{
    return s_pClock ? s_pClock() : platform::TickCount();
}

void JixSetClock(JixClockFunc pClock)
{
    s_pClock = pClock;
}
