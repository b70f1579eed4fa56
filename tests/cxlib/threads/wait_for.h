#pragma once
// Waiting helpers for the threaded tests: a polling wait, and the deadline that turns a hang into
// a failure that says what was stuck.

#include <chrono>
#include <cstdint>

#include "platform/clock.h"
#include "support/deadline.h"

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

using test_support::Deadline;

// The deadline of one whole threaded test.
constexpr std::chrono::milliseconds kTestDeadline{60000};
