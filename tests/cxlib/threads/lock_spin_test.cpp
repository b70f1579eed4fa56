#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "CXLockSpin.h"
#include "cxlib/threads/wait_for.h"

// More threads than processors, so holders get preempted and waiters go through the yield.
TEST(CXLockSpinTest, OneHolderAtATime)
{
    CXLockSpin lock;
    std::atomic<int> inside{0};
    Deadline deadline(kTestDeadline, [&] { return "inside " + std::to_string(inside.load()); });
    std::atomic<bool> overlapped{false};
    long counter = 0;  // plain on purpose: the lock alone must order the updates
    const int threads = static_cast<int>(std::thread::hardware_concurrency()) * 2 + 2;
    constexpr int kRounds = 20000;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                CXLockSpin::Guard guard(lock);
                if (inside.fetch_add(1, std::memory_order_relaxed) != 0)
                    overlapped = true;
                ++counter;
                inside.fetch_sub(1, std::memory_order_relaxed);
            }
        });
    }
    for (auto& w : workers)
        w.join();
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(counter, long(threads) * kRounds);
}
