#include "CXRandom.h"

#include <atomic>

#include "CXAutoLock.h"
#include "platform/clock.h"
#include "platform/thread_name.h"

namespace {

std::atomic<uint32_t> g_dwPoolRandomCounter{0};

CXLockTmpl<CXRandom>* PoolSources()
{
    // Built on first use and never destroyed, so any thread may draw until the process ends.
    static CXLockTmpl<CXRandom>* const pSources = new CXLockTmpl<CXRandom>[kPoolRandomSources];
    return pSources;
}

}  // namespace

CXRandom::CXRandom()
{
    m_RNG.Seed(platform::CurrentThreadId() * platform::TickCount() *
               static_cast<uint32_t>(platform::UnixTimeNow()) *
               static_cast<uint32_t>(reinterpret_cast<uintptr_t>(this)));
}

CXLockTmpl<CXRandom>& GetPoolRandomSource(unsigned nIndex)
{
    return PoolSources()[nIndex % kPoolRandomSources];
}

uint32_t GetPoolRandomCounter()
{
    return g_dwPoolRandomCounter.load(std::memory_order_relaxed);
}

int PoolRandom(int a, int b)
{
    const uint32_t c = g_dwPoolRandomCounter.fetch_add(1, std::memory_order_relaxed);
    CXLockTmpl<CXRandom>& source = PoolSources()[c & (kPoolRandomSources - 1)];
    CXAutoLock guard(source);
    if (b < a) {
        int t = a;
        a = b;
        b = t;
    }
    const uint32_t span = static_cast<uint32_t>(b) - static_cast<uint32_t>(a) + 1u;
    const uint32_t value = source.m_Data.Next();
    // A span of 0 is the whole 32-bit range: every value is a valid draw.
    const uint32_t offset = span == 0 ? value : value % span;
    return static_cast<int>(static_cast<uint32_t>(a) + offset);
}
