#pragma once

#include <atomic>
#include <cstdint>
#include "CXLockBase.h"
#include "CXLockEvent.h"

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
    int32_t GetRecursionCount() const { return m_nRecursionCount.load(std::memory_order_relaxed); }
    int32_t GetLockWord() const { return m_lLockWord.load(std::memory_order_relaxed); }
    // Hand-overs signalled and not yet taken by a waiter (0 whenever the lock is at rest).
    uint32_t GetPendingWakes() { return m_WakeEvent.GetCount(); }

private:
    void ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const;

    uint32_t m_dwSpinCount;
    std::atomic<uint32_t> m_dwOwnerThreadID{0};
    // Written only by the owner; atomic so that a watchdog may read the state of a stuck lock.
    std::atomic<int32_t> m_nRecursionCount{0};
    std::atomic<int32_t> m_lLockWord{0};
    // Wakes one announced waiter per hand-over; costs no system call until a thread has to sleep.
    CXLockEvent m_WakeEvent;
};
