#include "CXLockFast.h"

#include <cinttypes>
#include <cstdio>

#include "platform/debug_output.h"
#include "platform/thread_name.h"
#include "platform/word_wait.h"

namespace {

constexpr uint32_t kSpinCount = 20;
constexpr uint32_t kMaxPause = 64;

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

// The calling thread's id, read from the system once per thread: Lock and UnLock ask for it on
// every call.
uint32_t SelfId()
{
    thread_local uint32_t t_self = 0;
    if (t_self == 0)
        t_self = platform::CurrentThreadId();
    return t_self;
}

inline void CpuRelax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

}  // namespace

uint32_t CXLockFast::SpinCountFor(unsigned nProcessors)
{
    // Spinning on one processor only burns the time slice the owner needs to finish.
    return nProcessors <= 1 ? 0 : kSpinCount;
}

CXLockFast::CXLockFast() : m_dwSpinCount(SpinCountFor(CachedProcessorCount())) {}

CXLockFast::CXLockFast(uint32_t dwSpinCount) : m_dwSpinCount(dwSpinCount) {}

CXLockFast::~CXLockFast() = default;

int CXLockFast::Lock()
{
    const uint32_t self = SelfId();
    if (m_dwOwnerThreadID.load(std::memory_order_relaxed) == self) {
        m_nRecursionCount.store(m_nRecursionCount.load(std::memory_order_relaxed) + 1,
                                std::memory_order_relaxed);
        return 1;
    }
    if (!TryTakeWord())
        LockContended();
    m_dwOwnerThreadID.store(self, std::memory_order_relaxed);
    m_nRecursionCount.store(1, std::memory_order_relaxed);
    return 1;
}

void CXLockFast::LockContended()
{
    // Spins on a plain read, so that spinning threads do not bounce the word's cache line between
    // them, and backs off exponentially between reads, so that the owner, which often takes the
    // lock again at once, keeps the line instead of losing it to every spinning thread on each
    // release.
    for (uint32_t attempt = 0, pause = 1; attempt < m_dwSpinCount; ++attempt) {
        for (uint32_t i = 0; i < pause; ++i)
            CpuRelax();
        if (pause < kMaxPause)
            pause *= 2;
        if (m_lLockWord.load(std::memory_order_relaxed) == 0 && TryTakeWord())
            return;
    }
    // Marks the word as having sleepers before each sleep; an exchange that finds it free takes
    // the lock (still marked, as other threads may sleep).
    while (m_lLockWord.exchange(2, std::memory_order_acquire) != 0) {
        m_dwSleepers.fetch_add(1, std::memory_order_relaxed);
        platform::WaitWhileEqual(m_lLockWord, 2);
        m_dwSleepers.fetch_sub(1, std::memory_order_relaxed);
    }
}

int CXLockFast::UnLock()
{
    const uint32_t self = SelfId();
    if (m_dwOwnerThreadID.load(std::memory_order_relaxed) != self) {
        ReportDeadLock("UNLOCK", "CXLockFast::UnLock", __LINE__);
        return 0;
    }
    const int32_t nLeft = m_nRecursionCount.load(std::memory_order_relaxed) - 1;
    m_nRecursionCount.store(nLeft, std::memory_order_relaxed);
    if (nLeft != 0)
        return 1;

    m_dwOwnerThreadID.store(0, std::memory_order_relaxed);
    if (m_lLockWord.exchange(0, std::memory_order_release) == 2)
        platform::WakeOne(m_lLockWord);
    return 1;
}

void CXLockFast::ReportDeadLock(const char* pszName, const char* pszFunction, int nLine) const
{
    char szLine[1024];
    std::snprintf(
        szLine, sizeof(szLine),
        "%s(%d) : *** [DEAD_%s]: [%s-%d][dwLockedThreadID=%u, dwThreadID=%u, CXLock=%" PRIXPTR
        "]\n",
        "lib\\cxlib\\include\\Base/CXLockFast", nLine, pszName ? pszName : "(NULL)",
        pszFunction ? pszFunction : "(NULL)", nLine,
        m_dwOwnerThreadID.load(std::memory_order_relaxed), platform::CurrentThreadId(),
        reinterpret_cast<uintptr_t>(this));
    platform::DebugOutput(szLine);
}
