// Fixed pools against new/delete, and the size pool against malloc/free.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "CXMemoryPoolTmpl.h"
#include "CXMemorySizePool.h"

namespace {

struct PlainObject {
    virtual ~PlainObject() = default;
    char bytes[56];
};

struct PooledObject {
    CX_DECLARE_MEMORY_POOL(PooledObject)
    virtual ~PooledObject() = default;
    char bytes[56];
};

template <class T>
void AllocateBatch(benchmark::State& state)
{
    std::vector<T*> objects(256);
    for (auto _ : state) {
        for (auto& p : objects)
            p = new T;
        benchmark::DoNotOptimize(objects.data());
        for (auto* p : objects)
            delete p;
    }
    state.SetItemsProcessed(state.iterations() * int64_t(objects.size()));
}

void BM_PoolTmplNewDelete(benchmark::State& state)
{
    AllocateBatch<PooledObject>(state);
}
void BM_HeapNewDelete(benchmark::State& state)
{
    AllocateBatch<PlainObject>(state);
}
BENCHMARK(BM_PoolTmplNewDelete);
BENCHMARK(BM_HeapNewDelete);
// Four threads on one pool: every operation contends for the pool's one lock, while the heap
// serves each thread from its own cache.
BENCHMARK(BM_PoolTmplNewDelete)->Threads(4)->UseRealTime();
BENCHMARK(BM_HeapNewDelete)->Threads(4)->UseRealTime();

void BM_SizePool(benchmark::State& state)
{
    CXMemorySizePool& pool = CXMemorySizePool::GetGlobal();
    const size_t size = static_cast<size_t>(state.range(0));
    std::vector<void*> blocks(64);
    for (auto _ : state) {
        for (auto& b : blocks)
            b = pool.AllocateMemory(size);
        benchmark::DoNotOptimize(blocks.data());
        for (auto* b : blocks)
            pool.FreeMemory(b, size);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(blocks.size()));
}

void BM_Malloc(benchmark::State& state)
{
    const size_t size = static_cast<size_t>(state.range(0));
    std::vector<void*> blocks(64);
    for (auto _ : state) {
        for (auto& b : blocks)
            b = std::malloc(size);
        benchmark::DoNotOptimize(blocks.data());
        for (auto* b : blocks)
            std::free(b);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(blocks.size()));
}

BENCHMARK(BM_SizePool)->RangeMultiplier(4)->Range(16, 4096);
BENCHMARK(BM_Malloc)->RangeMultiplier(4)->Range(16, 4096);
BENCHMARK(BM_SizePool)->Arg(64)->Threads(4)->UseRealTime();
BENCHMARK(BM_Malloc)->Arg(64)->Threads(4)->UseRealTime();

}  // namespace
