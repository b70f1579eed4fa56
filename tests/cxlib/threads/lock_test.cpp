#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CXAutoLock.h"
#include "CXLockFast.h"
#include "CXLockTmpl.h"
#include "cxlib/threads/wait_for.h"
#include "platform/clock.h"
#include "platform/thread_name.h"

namespace {

// What a stuck lock looks like from outside.
std::string LockState(CXLockFast& lock)
{
    return "lock word " + std::to_string(lock.GetLockWord()) + ", owner " +
           std::to_string(lock.GetOwnerThreadID()) + ", recursion " +
           std::to_string(lock.GetRecursionCount()) + ", sleepers " +
           std::to_string(lock.GetSleeperCount());
}

}  // namespace

TEST(CXLockFastTest, SpinCountFollowsTheProcessorCount)
{
    EXPECT_EQ(CXLockFast::SpinCountFor(1), 0u);
    EXPECT_EQ(CXLockFast::SpinCountFor(2), 20u);
    EXPECT_EQ(CXLockFast::SpinCountFor(255), 20u);
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
    std::snprintf(address, sizeof(address), "%llX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&lock)));
    EXPECT_EQ(out.substr(line), ") : *** [DEAD_UNLOCK]: [CXLockFast::UnLock-" + number +
                                    "][dwLockedThreadID=0, dwThreadID=" + tid +
                                    ", CXLock=" + address + "]\n");
    EXPECT_EQ(lock.GetLockWord(), 0);
}

TEST(CXLockFastTest, UnlockByAnotherThreadLeavesTheOwner)
{
    CXLockFast lock;
    Deadline deadline(kTestDeadline, [&] { return LockState(lock); });
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

TEST(CXLockFastTest, ASleepingWaiterIsWokenByTheRelease)
{
    for (uint32_t spin : {0u, 1000u}) {
        CXLockFast lock(spin);
        Deadline deadline(kTestDeadline,
                          [&] { return "spin " + std::to_string(spin) + ": " + LockState(lock); });
        lock.Lock();
        std::atomic<bool> got{false};
        std::thread waiter([&] {
            lock.Lock();
            got = true;
            lock.UnLock();
        });
        // The waiter spins out, counts itself as a sleeper and sleeps.
        ASSERT_TRUE(WaitFor([&] { return lock.GetSleeperCount() == 1; })) << "spin " << spin;
        platform::SleepMs(5);
        EXPECT_FALSE(got);
        lock.UnLock();
        waiter.join();
        EXPECT_TRUE(got);
        EXPECT_EQ(lock.GetLockWord(), 0) << "spin " << spin;
        EXPECT_EQ(lock.GetSleeperCount(), 0u) << "spin " << spin;
    }
}

// Many short rounds of four threads locking recursively, each round on a fresh lock and under
// its own deadline. A release that frees the word without waking a sleeper leaves a thread asleep
// on a free lock; the round then fails with the lock's state instead of hanging. At the end of a
// round no thread may still be counted as a sleeper. The same four threads serve every round, so
// that rounds cost no thread start-up.
TEST(CXLockFastTest, NoReleaseLeavesASleeperBehind)
{
    constexpr int kRounds = 500, kThreads = 4, kLocks = 40;
    constexpr auto kRoundDeadline = std::chrono::seconds(20);

    // Shared with the workers, which keep it alive should a round hang and they be left behind.
    struct Rounds {
        std::unique_ptr<CXLockFast> pLock;
        long counter = 0;
        std::atomic<int> round{-1};
        std::atomic<int> finished{0};
        std::atomic<bool> quit{false};
    };
    auto state = std::make_shared<Rounds>();
    std::vector<std::thread> workers;
    // Ends the workers however the test leaves: they wait for the next round, or were detached.
    struct Quit {
        Rounds& state;
        std::vector<std::thread>& workers;
        ~Quit()
        {
            state.quit = true;
            for (auto& w : workers)
                if (w.joinable())
                    w.join();
        }
    } quit{*state, workers};
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([state] {
            for (int seen = -1;;) {
                int round;
                while ((round = state->round.load(std::memory_order_acquire)) == seen) {
                    if (state->quit.load())
                        return;
                    std::this_thread::yield();
                }
                seen = round;
                CXLockFast& lock = *state->pLock;
                for (int i = 0; i < kLocks; ++i) {
                    lock.Lock();
                    lock.Lock();
                    state->counter = state->counter + 1;
                    lock.UnLock();
                    lock.UnLock();
                }
                state->finished.fetch_add(1, std::memory_order_acq_rel);
            }
        });
    }

    int round = 0;
    for (uint32_t spin : {0u, 1000u}) {
        for (int i = 0; i < kRounds; ++i, ++round) {
            state->pLock = std::make_unique<CXLockFast>(spin);
            state->counter = 0;
            state->finished.store(0);
            state->round.store(round, std::memory_order_release);
            const auto deadline = std::chrono::steady_clock::now() + kRoundDeadline;
            while (state->finished.load(std::memory_order_acquire) < kThreads &&
                   std::chrono::steady_clock::now() < deadline)
                std::this_thread::yield();
            if (state->finished.load(std::memory_order_acquire) < kThreads) {
                for (auto& w : workers)
                    w.detach();
                FAIL() << "spin " << spin << ", round " << i << ": " << state->finished.load()
                       << " of " << kThreads << " threads finished; " << LockState(*state->pLock);
            }
            ASSERT_EQ(state->counter, long(kThreads) * kLocks)
                << "spin " << spin << ", round " << i;
            ASSERT_EQ(state->pLock->GetLockWord(), 0) << "spin " << spin << ", round " << i;
            ASSERT_EQ(state->pLock->GetSleeperCount(), 0u) << "spin " << spin << ", round " << i;
        }
    }
}

TEST(CXLockFastTest, ExcludesConcurrentWriters)
{
    for (uint32_t spin : {0u, 1000u}) {
        CXLockFast lock(spin);
        long counter = 0;
        Deadline deadline(kTestDeadline,
                          [&] { return "spin " + std::to_string(spin) + ": " + LockState(lock); });
        std::vector<std::thread> threads;
        constexpr int kThreads = 4, kRounds = 20000;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                for (int i = 0; i < kRounds; ++i) {
                    CXAutoLock outer(lock);
                    CXAutoLock inner(&lock);  // recursive
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
    Deadline deadline(kTestDeadline, [&] { return LockState(guarded); });
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
