#pragma once

#include <atomic>
#include <cstdint>
#include <semaphore>

#include "CXLockBase.h"

// Recursive lock: spins on a lock word, then sleeps until an unlocking thread hands the lock over.
//
// The lock word is 0 when free, otherwise 1 for the owner plus one for every thread that has
// announced itself as a waiter. Unlocking with announced waiters wakes exactly one of them, which
// then owns the lock without touching the word again.
class CXLockFast : public CXLockBase
{
public:
    // Spin count 1000, or 0 on a machine with one processor.
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
    int32_t GetRecursionCount() const { return m_nRecursionCount; }
    int32_t GetLockWord() const { return m_lLockWord.load(std::memory_order_relaxed); }

private:
    void ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const;

    uint32_t m_dwSpinCount;
    std::atomic<uint32_t> m_dwOwnerThreadID{0};
    int32_t m_nRecursionCount = 0;
    std::atomic<int32_t> m_lLockWord{0};
    // Wakes one announced waiter per release; lives in user space until a thread has to sleep.
    std::counting_semaphore<> m_WakeEvent{0};
};
