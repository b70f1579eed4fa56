#pragma once

#include "CXLockBase.h"
#include <atomic>
#include <cstdint>

// Recursive lock: spins on a lock word, then sleeps on the word until an unlocking thread frees it.
//
// The lock word is 0 when free, 1 when owned and 2 when owned with threads that may be asleep on
// it. A thread that gives up spinning sets the word to 2 before it sleeps, so the unlocking thread
// sees that someone may sleep and wakes one; a release that finds 1 costs no system call. A freed
// word goes to whichever thread takes it first: the unlocking thread, a spinning thread or the
// woken sleeper (which then marks the word 2 again, as more may sleep).
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
    void ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const;

    uint32_t m_dwSpinCount;
    std::atomic<uint32_t> m_dwOwnerThreadID{0};
    // Written only by the owner; atomic so that a watchdog may read the state of a stuck lock.
    std::atomic<int32_t> m_nRecursionCount{0};
    std::atomic<int32_t> m_lLockWord{0};
    // For the state of a stuck lock only; the word alone decides who sleeps and who wakes.
    std::atomic<uint32_t> m_dwSleepers{0};
};
