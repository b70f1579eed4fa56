// Sleeping on a 32-bit word, over the Linux futex call of the process's private futexes.

#include "platform/word_wait.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t) &&
                  std::atomic<int32_t>::is_always_lock_free,
              "the futex call needs a plain 32-bit word");

void WaitWhileEqual(std::atomic<int32_t>& word, int32_t expected)
{
    ::syscall(SYS_futex, reinterpret_cast<int32_t*>(&word), FUTEX_WAIT_PRIVATE, expected, nullptr,
              nullptr, 0);
}

void WakeOne(std::atomic<int32_t>& word)
{
    ::syscall(SYS_futex, reinterpret_cast<int32_t*>(&word), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr,
              0);
}

}  // namespace platform
