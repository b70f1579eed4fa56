#include "CXLockSpin.h"

#include <thread>

namespace {

// Reads of the lock word between yields. The sections this lock guards last well under a
// microsecond, so a holder that is running releases within the spin; one that was preempted
// needs the processor, which the yield hands over.
constexpr int kSpinsBeforeYield = 128;
constexpr int kMaxPause = 32;

inline void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

void CXLockSpin::LockContended() noexcept
{
    for (;;) {
        // Backs off exponentially between tries, so waiters do not all pounce on every release.
        for (int spin = 0, pause = 1; spin < kSpinsBeforeYield; ++spin) {
            // Wait on a plain read so that waiters do not bounce the cache line between them.
            if (!m_bLocked.load(std::memory_order_relaxed) &&
                !m_bLocked.exchange(true, std::memory_order_acquire))
                return;
            for (int i = 0; i < pause; ++i)
                CpuRelax();
            if (pause < kMaxPause)
                pause *= 2;
        }
        std::this_thread::yield();
    }
}
