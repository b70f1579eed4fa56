#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <set>
#include <thread>
#include <vector>

#include "CXMemoryPoolBase.h"
#include "CXMemorySizePool.h"
#include "cxlib/threads/wait_for.h"

TEST(CXMemoryPoolThreadTest, ConcurrentBlocksNeverOverlap)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 48);
    CXMemorySizePool sizePool(4096, 7);
    Deadline deadline(kTestDeadline);
    constexpr int kThreads = 4, kBlocks = 2000;
    std::vector<std::vector<void*>> kept(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 3; ++round) {
                std::vector<void*> mine;
                for (int i = 0; i < kBlocks; ++i) {
                    void* p = pool.AllocateMemory(48);
                    std::fill_n(static_cast<char*>(p), 48, static_cast<char>(t));
                    mine.push_back(p);
                    void* q = sizePool.AllocateMemory(1 + (i % 300));
                    sizePool.FreeMemory(q, 1 + (i % 300));
                }
                for (void* p : mine)
                    for (int b = 0; b < 48; ++b)
                        ASSERT_EQ(static_cast<char*>(p)[b], static_cast<char>(t));
                if (round < 2) {
                    for (void* p : mine)
                        pool.FreeMemory(p);
                } else {
                    kept[t] = mine;
                }
            }
        });
    }
    for (auto& th : threads)
        th.join();
    std::vector<void*> all;
    for (auto& v : kept)
        all.insert(all.end(), v.begin(), v.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(all.size(), size_t(kThreads) * kBlocks);
}

// Threads free blocks into the same classes while others take them out: every block handed out
// must end up cached exactly once, none lost and none linked twice.
TEST(CXMemoryPoolThreadTest, SizePoolCachesEveryFreedBlockOnce)
{
    CXMemorySizePool pool(4096, 7);
    Deadline deadline(kTestDeadline);
    constexpr int kThreads = 4, kRounds = 300, kHeld = 16;
    std::vector<std::set<void*>> seen(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                void* held[kHeld];
                for (int i = 0; i < kHeld; ++i) {
                    const size_t size = 1 + ((round + i) % 3) * 128;  // classes 0, 1 and 2
                    held[i] = pool.AllocateMemory(size);
                    ASSERT_NE(held[i], nullptr);
                    std::memset(held[i], t, size);
                    seen[t].insert(held[i]);
                }
                for (int i = 0; i < kHeld; ++i) {
                    const size_t size = 1 + ((round + i) % 3) * 128;
                    for (size_t b = 0; b < size; ++b)
                        ASSERT_EQ(static_cast<unsigned char*>(held[i])[b], t)
                            << "block shared between threads";
                    pool.FreeMemory(held[i], size);
                }
            }
        });
    }
    for (auto& th : threads)
        th.join();
    std::set<void*> all;
    for (auto& s : seen)
        all.insert(s.begin(), s.end());
    uint32_t cached = 0;
    for (uint32_t k = 0; k < pool.m_dwElementSize; ++k)
        cached += pool.GetCachedCount(k);
    EXPECT_EQ(cached, all.size());
    // Taking them all out again yields each distinct block once.
    std::set<void*> back;
    std::vector<std::pair<void*, uint32_t>> taken;
    for (uint32_t k = 0; k < 3; ++k) {
        while (pool.GetCachedCount(k) != 0) {
            void* p = pool.AllocateMemory(pool.GetClassSize(k));
            EXPECT_TRUE(back.insert(p).second);
            taken.emplace_back(p, k);
        }
    }
    EXPECT_EQ(back, all);
    for (auto& [p, k] : taken)
        pool.FreeMemory(p, pool.GetClassSize(k));
}

// Blocks a thread frees stay in its cache while it runs and go back to the pool when it ends:
// another thread then reuses every one of them before the pool grows.
TEST(CXMemoryPoolThreadTest, BlocksCachedByAnEndedThreadAreReused)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 64);
    const uint32_t perChunk = pool.GetSlotsPerChunk();
    std::set<void*> freed;
    std::thread([&] {
        std::vector<void*> blocks;
        for (uint32_t i = 0; i < perChunk; ++i)
            blocks.push_back(pool.AllocateMemory(64));
        for (void* p : blocks)
            pool.FreeMemory(p);
        freed.insert(blocks.begin(), blocks.end());
    }).join();
    ASSERT_EQ(pool.GetChunkCount(), 1u);
    for (uint32_t i = 0; i < perChunk; ++i)
        EXPECT_EQ(freed.count(pool.AllocateMemory(64)), 1u) << "block " << i;
    EXPECT_EQ(pool.GetChunkCount(), 1u);
}

// FreeAll frees the chunks under the blocks the calling thread has cached: they are never handed
// out again (the sanitizer reports the write into a freed chunk otherwise). Nor are those of a
// destroyed pool to a new pool made at the same address.
TEST(CXMemoryPoolThreadTest, CachedBlocksDieWithTheirChunks)
{
    alignas(CXMemoryPoolBase) unsigned char storage[sizeof(CXMemoryPoolBase)];
    auto* pool = new (storage) CXMemoryPoolBase;
    pool->SetSize(8192, 32);
    pool->FreeMemory(pool->AllocateMemory(32));
    pool->FreeAll();
    EXPECT_EQ(pool->GetChunkCount(), 0u);
    ASSERT_NE(pool->AllocateMemory(32), nullptr);
    EXPECT_EQ(pool->GetChunkCount(), 1u);

    pool->FreeMemory(pool->AllocateMemory(32));
    pool->~CXMemoryPoolBase();
    pool = new (storage) CXMemoryPoolBase;
    pool->SetSize(8192, 32);
    ASSERT_NE(pool->AllocateMemory(32), nullptr);
    EXPECT_EQ(pool->GetChunkCount(), 1u);
    pool->~CXMemoryPoolBase();
}
