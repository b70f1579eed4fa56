#pragma once
// Polling wait for the threaded tests.

#include <cstdint>

#include "platform/clock.h"

// Polls every 2 ms until the condition holds or about ms milliseconds pass; the last answer.
template <class F>
bool WaitFor(F condition, uint32_t ms = 2000)
{
    for (uint32_t waited = 0; waited < ms; waited += 2) {
        if (condition())
            return true;
        platform::SleepMs(2);
    }
    return condition();
}
