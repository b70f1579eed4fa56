// CXLockFast against std::recursive_mutex, alone and with four contending threads.
#include <benchmark/benchmark.h>

#include <mutex>

#include "CXLockFast.h"

namespace {

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
