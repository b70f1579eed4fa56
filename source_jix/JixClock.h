#pragma once
// The millisecond clock of the Jix game (timers and the play-start retry wait): the platform's
// wrapping 32-bit tick count, replaceable by tests.

#include <cstdint>

using JixClockFunc = uint32_t (*)();

uint32_t JixTimeGetTime();
// Installs another clock (null puts the platform's back).
void JixSetClock(JixClockFunc pClock);
