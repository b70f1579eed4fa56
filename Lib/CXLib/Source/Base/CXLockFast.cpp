#include "CXLockFast.h"

#include <cinttypes>
#include <cstdio>

#include "platform/debug_output.h"
#include "platform/thread_name.h"

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
    const uint32_t self = platform::CurrentThreadId();
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
    // Counted before the word is tried again: an unlock that frees the word after this try reads
    // the count and wakes a sleeper, and it cannot wake one before this thread sleeps, because the
    // count is held under the mutex the wake takes.
    std::unique_lock<std::mutex> guard(m_SleepMutex);
    m_dwSleepers.fetch_add(1, std::memory_order_seq_cst);
    while (!TryTakeWord()) {
        m_Wake.wait(guard);
        // Woken (or spuriously): the next release may wake another sleeper once this one has
        // tried the word again. Cleared before the try, so a release after a failed try wakes.
        m_bWakePending.store(false, std::memory_order_seq_cst);
    }
    m_dwSleepers.fetch_sub(1, std::memory_order_relaxed);
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
    m_lLockWord.exchange(0,
                         std::memory_order_seq_cst);  // an exchange, not a store and a full fence
    // While a woken sleeper has yet to try the word, waking another would only cost a system call.
    if (m_dwSleepers.load(std::memory_order_seq_cst) != 0 &&
        !m_bWakePending.load(std::memory_order_seq_cst))
        WakeSleeper();
    return 1;
}

void CXLockFast::WakeSleeper()
{
    // Taking the mutex waits out a sleeper that has counted itself and not yet slept.
    {
        std::lock_guard<std::mutex> guard(m_SleepMutex);
    }
    m_Wake.notify_one();
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
