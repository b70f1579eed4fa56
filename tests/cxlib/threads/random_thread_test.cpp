#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "CXRandom.h"
#include "cxlib/threads/wait_for.h"

TEST(PoolRandomThreadTest, EveryCallIsCountedUnderContention)
{
    const uint32_t before = GetPoolRandomCounter();
    Deadline deadline(kTestDeadline,
                      [&] { return "calls " + std::to_string(GetPoolRandomCounter() - before); });
    constexpr int kThreads = 4, kCalls = 10000;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < kCalls; ++i)
                ASSERT_LE(PoolRandom(0, 9), 9);
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(GetPoolRandomCounter() - before, uint32_t(kThreads) * kCalls);
}
