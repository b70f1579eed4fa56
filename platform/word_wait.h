#pragma once
// Sleeping on a 32-bit word until another thread changes it and wakes a sleeper.
// Stands in for: the lock's auto-reset wake event (CreateEvent, SetEvent, WaitForSingleObject).
// Not here: time limits (the lock waits without one).

#include <atomic>
#include <cstdint>

namespace platform {

// Sleeps while *word holds `expected`; the kernel compares the word again before sleeping, so a
// change and wake between the caller's read and the sleep is never missed. May return early
// (spuriously): callers read the word again.
void WaitWhileEqual(std::atomic<int32_t>& word, int32_t expected);

// Wakes one thread sleeping on the word, if any.
void WakeOne(std::atomic<int32_t>& word);

}  // namespace platform
