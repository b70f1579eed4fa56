#pragma once

#include <atomic>

// Non-recursive spin lock for critical sections of a few pointer moves, such as the memory pools'
// free lists. Taking a free lock is one atomic exchange and releasing it one plain store, with no
// thread id and no virtual call; a waiter spins briefly, then yields its time slice between tries.
// Never hold it across a call that may take the same lock, block or allocate.
class CXLockSpin {
public:
    CXLockSpin() = default;
    CXLockSpin(const CXLockSpin&) = delete;
    CXLockSpin& operator=(const CXLockSpin&) = delete;

    void Lock() noexcept
    {
        if (!m_bLocked.exchange(true, std::memory_order_acquire))
            return;
        LockContended();
    }
    void UnLock() noexcept { m_bLocked.store(false, std::memory_order_release); }

    // Scoped holder: locks on construction, unlocks on destruction.
    class Guard {
    public:
        explicit Guard(CXLockSpin& lock) noexcept : m_Lock(lock) { m_Lock.Lock(); }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        ~Guard() { m_Lock.UnLock(); }

    private:
        CXLockSpin& m_Lock;
    };

private:
    void LockContended() noexcept;

    std::atomic<bool> m_bLocked{false};
};
