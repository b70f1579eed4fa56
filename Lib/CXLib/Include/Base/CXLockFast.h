#pragma once

#include "CXLockBase.h"
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// Recursive lock: spins on a lock word, then sleeps until an unlocking thread frees the word.
//
// The lock word is 0 when free and 1 when owned. Unlocking frees the word, so the unlocking thread,
// a spinning thread or a woken sleeper may take it next, whichever comes first: a contended release
// costs no sleep and wake-up unless a thread sleeps. A thread goes to sleep only after counting
// itself as a sleeper and finding the word still taken, and an unlocking thread that finds a
// sleeper counted wakes one, so a release between a sleeper's check and its sleep is never lost.
class CXLockFast : public CXLockBase {
public:
    // Spin count 20 (backing off up to 64 pauses a try), or 0 on a machine with one processor.
    CXLockFast();
    explicit CXLockFast(uint32_t dwSpinCount);
    ~CXLockFast() override;

    // Always returns 1; the caller then owns the lock (possibly recursively).
    int Lock() override;
    // Returns 1, or 0 when the calling thread is not the owner (reported, nothing changes).
    int UnLock() override;

    // The spin count a lock gets on a machine with the given number of processors.
    static uint32_t SpinCountFor(unsigned nProcessors);

    uint32_t GetSpinCount() const { return m_dwSpinCount; }
    uint32_t GetOwnerThreadID() const { return m_dwOwnerThreadID.load(std::memory_order_relaxed); }
    int32_t GetRecursionCount() const { return m_nRecursionCount.load(std::memory_order_relaxed); }
    int32_t GetLockWord() const { return m_lLockWord.load(std::memory_order_relaxed); }
    // Threads asleep in Lock or about to sleep (0 whenever the lock is at rest).
    uint32_t GetSleeperCount() const { return m_dwSleepers.load(std::memory_order_relaxed); }

private:
    bool TryTakeWord()
    {
        int32_t expected = 0;
        return m_lLockWord.compare_exchange_strong(expected, 1, std::memory_order_seq_cst);
    }
    void LockContended();
    void WakeSleeper();
    void ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const;

    uint32_t m_dwSpinCount;
    std::atomic<uint32_t> m_dwOwnerThreadID{0};
    // Written only by the owner; atomic so that a watchdog may read the state of a stuck lock.
    std::atomic<int32_t> m_nRecursionCount{0};
    std::atomic<int32_t> m_lLockWord{0};
    // Counted and changed under m_SleepMutex; read by UnLock without it.
    std::atomic<uint32_t> m_dwSleepers{0};
    // A sleeper was woken and has not yet tried the word; set and cleared under m_SleepMutex.
    std::atomic<bool> m_bWakePending{false};
    std::mutex m_SleepMutex;
    std::condition_variable m_Wake;
};
