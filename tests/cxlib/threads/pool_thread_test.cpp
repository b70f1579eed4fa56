#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "CXMemoryPoolBase.h"
#include "CXMemorySizePool.h"

TEST(CXMemoryPoolThreadTest, ConcurrentBlocksNeverOverlap)
{
    CXMemoryPoolBase pool;
    pool.SetSize(8192, 48);
    CXMemorySizePool sizePool(4096, 7);
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
