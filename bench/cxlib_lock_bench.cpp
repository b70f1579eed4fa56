// CXLockFast against std::recursive_mutex, alone and with four contending threads. A second,
// idle thread lives for the whole run, as the program always has several: the C library's mutex
// skips its locked instructions while a process has one thread only.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "CXLockFast.h"

namespace {

class IdleThread {
public:
    IdleThread()
        : m_thread([this] {
              std::unique_lock<std::mutex> lock(m_mutex);
              m_wake.wait(lock, [this] { return m_stop; });
          })
    {}
    ~IdleThread()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
IdleThread g_IdleThread;

CXLockFast g_Lock;
std::recursive_mutex g_Mutex;
long g_nLockCounter = 0;
long g_nMutexCounter = 0;

void BM_LockFast(benchmark::State& state)
{
    for (auto _ : state) {
        g_Lock.Lock();
        benchmark::DoNotOptimize(++g_nLockCounter);
        g_Lock.UnLock();
    }
}

void BM_RecursiveMutex(benchmark::State& state)
{
    for (auto _ : state) {
        g_Mutex.lock();
        benchmark::DoNotOptimize(++g_nMutexCounter);
        g_Mutex.unlock();
    }
}

BENCHMARK(BM_LockFast);
BENCHMARK(BM_RecursiveMutex);
BENCHMARK(BM_LockFast)->Threads(4)->UseRealTime();
BENCHMARK(BM_RecursiveMutex)->Threads(4)->UseRealTime();

}  // namespace
