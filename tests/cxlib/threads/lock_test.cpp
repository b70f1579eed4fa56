#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "CXAutoLock.h"
#include "CXLockFast.h"
#include "CXLockTmpl.h"
#include "platform/clock.h"
#include "platform/thread_name.h"

namespace {

// Spins until the predicate holds, at most about five seconds.
template <class Pred>
bool WaitFor(Pred pred)
{
    for (int i = 0; i < 5000; ++i) {
        if (pred())
            return true;
        platform::SleepMs(1);
    }
    return pred();
}

} // namespace

TEST(CXLockFastTest, SpinCountFollowsTheProcessorCount)
{
    EXPECT_EQ(CXLockFast::SpinCountFor(1), 0u);
    EXPECT_EQ(CXLockFast::SpinCountFor(2), 1000u);
    EXPECT_EQ(CXLockFast::SpinCountFor(255), 1000u);
    CXLockFast lock;
    EXPECT_EQ(lock.GetSpinCount(), CXLockFast::SpinCountFor(platform::ProcessorCount()));
}

TEST(CXLockFastTest, RecursiveLockingTouchesTheWordOnce)
{
    CXLockFast lock;
    EXPECT_EQ(lock.Lock(), 1);
    EXPECT_EQ(lock.Lock(), 1);
    EXPECT_EQ(lock.Lock(), 1);
    EXPECT_EQ(lock.GetLockWord(), 1);
    EXPECT_EQ(lock.GetRecursionCount(), 3);
    EXPECT_EQ(lock.GetOwnerThreadID(), platform::CurrentThreadId());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lock.UnLock(), 1);
    EXPECT_EQ(lock.GetLockWord(), 0);
    EXPECT_EQ(lock.GetOwnerThreadID(), 0u);
}

TEST(CXLockFastTest, UnlockingAFreeLockIsRefusedAndReported)
{
    CXLockFast lock;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(lock.UnLock(), 0);
    const std::string out = ::testing::internal::GetCapturedStderr();
    const std::string tid = std::to_string(platform::CurrentThreadId());
    const std::string head = "lib\\cxlib\\include\\Base/CXLockFast(";
    ASSERT_EQ(out.substr(0, head.size()), head) << out;
    const size_t line = out.find(") : *** [DEAD_UNLOCK]: [CXLockFast::UnLock-");
    ASSERT_NE(line, std::string::npos) << out;
    const std::string number = out.substr(head.size(), line - head.size());
    char address[32];
    std::snprintf(address, sizeof(address), "%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&lock)));
    EXPECT_EQ(out.substr(line), ") : *** [DEAD_UNLOCK]: [CXLockFast::UnLock-" + number +
                                    "][dwLockedThreadID=0, dwThreadID=" + tid + ", CXLock=" + address + "]\n");
    EXPECT_EQ(lock.GetLockWord(), 0);
}

TEST(CXLockFastTest, UnlockByAnotherThreadLeavesTheOwner)
{
    CXLockFast lock;
    lock.Lock();
    int result = -1;
    ::testing::internal::CaptureStderr();
    std::thread([&] { result = lock.UnLock(); }).join();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("[DEAD_UNLOCK]"), std::string::npos);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lock.GetOwnerThreadID(), platform::CurrentThreadId());
    EXPECT_EQ(lock.GetRecursionCount(), 1);
    EXPECT_EQ(lock.UnLock(), 1);
}

TEST(CXLockFastTest, AWaiterIsHandedTheLock)
{
    for (uint32_t spin : {0u, 1000u}) {
        CXLockFast lock(spin);
        lock.Lock();
        std::atomic<bool> got{false};
        std::thread waiter([&] {
            lock.Lock();
            got = true;
            lock.UnLock();
        });
        // The waiter announces itself in the lock word and then sleeps.
        ASSERT_TRUE(WaitFor([&] { return lock.GetLockWord() == 2; })) << "spin " << spin;
        platform::SleepMs(5);
        EXPECT_FALSE(got);
        lock.UnLock();
        waiter.join();
        EXPECT_TRUE(got);
        EXPECT_EQ(lock.GetLockWord(), 0) << "spin " << spin;
    }
}

TEST(CXLockFastTest, ExcludesConcurrentWriters)
{
    for (uint32_t spin : {0u, 1000u}) {
        CXLockFast lock(spin);
        long counter = 0;
        std::vector<std::thread> threads;
        constexpr int kThreads = 4, kRounds = 20000;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                for (int i = 0; i < kRounds; ++i) {
                    CXAutoLock outer(lock);
                    CXAutoLock inner(&lock); // recursive
                    counter = counter + 1;
                }
            });
        }
        for (auto& t : threads)
            t.join();
        EXPECT_EQ(counter, long(kThreads) * kRounds) << "spin " << spin;
        EXPECT_EQ(lock.GetLockWord(), 0);
    }
}

TEST(CXLockTmplTest, GuardsItsObject)
{
    CXLockTmpl<std::vector<int>> guarded(3, 7);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 1000; ++i) {
                CXAutoLock guard(guarded);
                guarded.m_Data.push_back(i);
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(guarded.GetData().size(), 4003u);
}

TEST(CXAutoLockTest, ReleasesWhenAnExceptionPasses)
{
    CXLockFast lock;
    try {
        CXAutoLock guard(lock);
        EXPECT_EQ(lock.GetOwnerThreadID(), platform::CurrentThreadId());
        throw std::runtime_error("x");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(lock.GetOwnerThreadID(), 0u);
    EXPECT_EQ(lock.GetLockWord(), 0);
    CXAutoLock none(static_cast<CXLockBase*>(nullptr));
    CXLockBase base;
    EXPECT_EQ(base.Lock(), 1);
    EXPECT_EQ(base.UnLock(), 1);
}
