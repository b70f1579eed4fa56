#include "CXLockFast.h"

#include <cinttypes>
#include <cstdio>

#include "platform/debug_output.h"
#include "platform/thread_name.h"

namespace {

constexpr uint32_t kSpinCount = 1000;

// Processor count read once per process, capped at 255; 0 until read.
std::atomic<uint8_t> g_byProcessorCount{0};

unsigned CachedProcessorCount()
{
    uint8_t count = g_byProcessorCount.load(std::memory_order_relaxed);
    if (count == 0) {
        unsigned n = platform::ProcessorCount();
        count = static_cast<uint8_t>(n > 255 ? 255 : (n == 0 ? 1 : n));
        g_byProcessorCount.store(count, std::memory_order_relaxed);
    }
    return count;
}

} // namespace

uint32_t CXLockFast::SpinCountFor(unsigned nProcessors)
{
    // Spinning on one processor only burns the time slice the owner needs to finish.
    return nProcessors <= 1 ? 0 : kSpinCount;
}

CXLockFast::CXLockFast() : m_dwSpinCount(SpinCountFor(CachedProcessorCount()))
{
}

CXLockFast::CXLockFast(uint32_t dwSpinCount) : m_dwSpinCount(dwSpinCount)
{
}

CXLockFast::~CXLockFast() = default;

int CXLockFast::Lock()
{
    const uint32_t self = platform::CurrentThreadId();
    if (m_dwOwnerThreadID.load(std::memory_order_relaxed) == self) {
        m_nRecursionCount.store(m_nRecursionCount.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
        return 1;
    }

    bool owned = false;
    for (uint32_t attempt = 0; attempt <= m_dwSpinCount; ++attempt) {
        int32_t expected = 0;
        if (m_lLockWord.compare_exchange_weak(expected, 1, std::memory_order_acquire,
                                              std::memory_order_relaxed)) {
            owned = true;
            break;
        }
    }
    if (!owned && m_lLockWord.fetch_add(1, std::memory_order_acquire) + 1 != 1) {
        // Announced as a waiter: the unlocking thread hands the lock over with one release.
        m_WakeEvent.Wait();
    }

    m_dwOwnerThreadID.store(self, std::memory_order_relaxed);
    m_nRecursionCount.store(1, std::memory_order_relaxed);
    return 1;
}

int CXLockFast::UnLock()
{
    const uint32_t self = platform::CurrentThreadId();
    if (m_dwOwnerThreadID.load(std::memory_order_relaxed) != self) {
        ReportDeadLock("UNLOCK", "CXLockFast::UnLock", __LINE__);
        return 0;
    }
    const int32_t nLeft = m_nRecursionCount.load(std::memory_order_relaxed) - 1;
    m_nRecursionCount.store(nLeft, std::memory_order_relaxed);
    if (nLeft != 0)
        return 1;

    m_dwOwnerThreadID.store(0, std::memory_order_relaxed);
    if (m_lLockWord.fetch_sub(1, std::memory_order_release) - 1 == 0)
        return 1;
    m_WakeEvent.Signal();
    return 1;
}

void CXLockFast::ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const
{
    char szLine[1024];
    std::snprintf(szLine, sizeof(szLine),
                  "%s(%d) : *** [DEAD_%s]: [%s-%d][dwLockedThreadID=%u, dwThreadID=%u, CXLock=%" PRIXPTR "]\n",
                  "lib\\cxlib\\include\\Base/CXLockFast", nLine, pszName ? pszName : "(NULL)",
                  pszFunction ? pszFunction : "(NULL)", nLine,
                  m_dwOwnerThreadID.load(std::memory_order_relaxed), platform::CurrentThreadId(),
                  reinterpret_cast<uintptr_t>(this));
    platform::DebugOutput(szLine);
}
