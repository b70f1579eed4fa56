// Worker threads: loop results, exceptions, sleep policy, cooperative stop and the registry.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

#include "CXAutoLock.h"
#include "CXLibStartup.h"
#include "CXThread.h"
#include "cxlib/error_log_capture.h"
#include "cxlib/threads/wait_for.h"
#include "platform/clock.h"
#include "platform/thread_name.h"

namespace {

// Counts steps; throws on the first nThrows steps, asks to stop at step nStopAt (0 = never).
class CountingThread : public CXThread {
public:
    CountingThread(int nThrows, int nStopAt) : m_nThrows(nThrows), m_nStopAt(nStopAt) {}
    ~CountingThread() override { Stop(); }

    int OnThreadLoop() override
    {
        const int step = ++m_nSteps;
        m_dwLastThread = platform::CurrentThreadId();
        if (step <= m_nThrows)
            throw 42;
        return step == m_nStopAt ? LOOP_STOP : LOOP_CONTINUE;
    }

    const int m_nThrows;
    const int m_nStopAt;
    std::atomic<int> m_nSteps{0};
    std::atomic<uint32_t> m_dwLastThread{0};
};

// A thread's name as the kernel holds it, read apart from the code under test.
std::string KernelThreadName(uint32_t dwThreadID)
{
    std::ifstream comm("/proc/self/task/" + std::to_string(dwThreadID) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

bool Registered(CXThread* pThread)
{
    CXThreadRegistry* pRegistry = g_pThreadRegistry.load();
    CXAutoLock lock(pRegistry);
    return pRegistry && pRegistry->m_Data.Find(pThread) != nullptr;
}

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CXLibStartup(), 1); }
    void TearDown() override { CXLibShutdown(); }

    Deadline m_Deadline{kTestDeadline};
};

}  // namespace

TEST_F(ThreadTest, BaseLoopSuspendsUntilStop)
{
    CXThread thread;
    EXPECT_EQ(thread.Stop(), 0) << "never ran";
    ASSERT_EQ(thread.ThreadRun("base", 0, 1), 1);
    EXPECT_NE(thread.GetThreadID(), 0u);
    EXPECT_TRUE(Registered(&thread));
    ASSERT_TRUE(WaitFor([&] { return thread.IsSuspended(); }));

    const uint32_t start = platform::TickCount();
    EXPECT_EQ(thread.Stop(), 1);
    EXPECT_LT(platform::TickCount() - start, 500u) << "a suspended thread wakes for Stop";
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_FALSE(Registered(&thread));
    EXPECT_EQ(thread.Stop(), 0);
}

TEST_F(ThreadTest, TwoControllersStoppingAtOnceJoinOnce)
{
    // Stop from two threads at the same moment: one joins the worker, the other finds it gone.
    for (int round = 0; round < 20; ++round) {
        CountingThread thread(0, 0);
        ASSERT_EQ(thread.ThreadRun("twice", 0, 1), 1);
        std::atomic<int> stopped{0};
        std::thread other([&] { stopped += thread.Stop(); });
        stopped += thread.Stop();
        other.join();
        EXPECT_EQ(stopped.load(), 1) << "round " << round;
        EXPECT_FALSE(thread.IsRunning());
    }
}

TEST_F(ThreadTest, StopResultEndsTheLoopAfterThatStep)
{
    CountingThread thread(0, 3);
    ASSERT_EQ(thread.ThreadRun("stopper", 0, 1), 1);
    ASSERT_TRUE(WaitFor([&] { return !thread.IsRunning(); }));
    platform::SleepMs(20);
    EXPECT_EQ(thread.m_nSteps.load(), 3);
    const uint32_t start = platform::TickCount();
    EXPECT_EQ(thread.Stop(), 1);
    EXPECT_LT(platform::TickCount() - start, 200u);
}

TEST_F(ThreadTest, TheFourthExceptionEndsTheThread)
{
    struct Case {
        int throws;
        bool ends;
    };
    for (const Case c : {Case{3, false}, Case{4, true}}) {
        ErrorLogCapture log;
        CountingThread thread(c.throws, 0);
        ASSERT_EQ(thread.ThreadRun("thrower", 0, 1), 1);
        if (c.ends) {
            ASSERT_TRUE(WaitFor([&] { return !thread.IsRunning(); })) << c.throws << " exceptions";
            platform::SleepMs(20);
            EXPECT_EQ(thread.m_nSteps.load(), 4);
        } else {
            EXPECT_TRUE(WaitFor([&] { return thread.m_nSteps.load() > 10; }))
                << c.throws << " exceptions";
            EXPECT_TRUE(thread.IsRunning());
        }
        thread.Stop();
        EXPECT_EQ(log.Count("OnThreadLoop fail."), c.throws) << c.throws << " exceptions";
        EXPECT_EQ(log.Count("[thrower]["), c.throws);
    }
}

TEST_F(ThreadTest, RunningAgainStopsTheOldThreadFirst)
{
    CountingThread thread(0, 0);
    ASSERT_EQ(thread.ThreadRun("first", 0, 1), 1);
    ASSERT_TRUE(WaitFor([&] { return thread.m_nSteps.load() > 2; }));
    ASSERT_EQ(thread.ThreadRun("second", 0, 1), 1);
    const uint32_t second = thread.GetThreadID();
    const int before = thread.m_nSteps.load();
    ASSERT_TRUE(WaitFor([&] { return thread.m_nSteps.load() > before + 2; }));
    EXPECT_EQ(thread.m_dwLastThread.load(), second);
    EXPECT_EQ(thread.GetName(), "second");

    CXThreadRegistry* pRegistry = g_pThreadRegistry.load();
    CXAutoLock lock(pRegistry);
    EXPECT_EQ(pRegistry->m_Data.GetCount(), 1u) << "one entry per running thread object";
}

TEST_F(ThreadTest, StopWaitsForASlowStepInsteadOfKillingIt)
{
    // A step that ignores the running flag for 1300 ms: Stop warns after 1000 ms and joins.
    class SlowThread : public CXThread {
    public:
        ~SlowThread() override { Stop(); }
        int OnThreadLoop() override
        {
            m_bStarted = true;
            platform::SleepMs(1300);
            m_bFinished = true;
            return LOOP_CONTINUE;
        }
        std::atomic<bool> m_bStarted{false};
        std::atomic<bool> m_bFinished{false};
    };

    ErrorLogCapture log;
    SlowThread thread;
    ASSERT_EQ(thread.ThreadRun("slow", 0, 1), 1);
    ASSERT_TRUE(WaitFor([&] { return thread.m_bStarted.load(); }));
    EXPECT_EQ(thread.Stop(), 1);
    EXPECT_TRUE(thread.m_bFinished.load()) << "the step ran to its end";
    EXPECT_EQ(log.Count("[slow] Thread did not stop within 1000 ms"), 1) << log.Text();
}

TEST_F(ThreadTest, SleepPolicyPausesAfterEveryPeriodAndWakesForStop)
{
    CountingThread thread(0, 0);
    thread.SetSleep(400, 2);  // three quick steps, then 400 ms of sleep
    ASSERT_EQ(thread.ThreadRun("sleeper", 0, 1), 1);
    platform::SleepMs(150);
    EXPECT_EQ(thread.m_nSteps.load(), 3);
    const uint32_t start = platform::TickCount();
    EXPECT_EQ(thread.Stop(), 1);
    EXPECT_LT(platform::TickCount() - start, 200u) << "the sleep ends early on Stop";
}

TEST_F(ThreadTest, LongNamesAreCutForTheSystemOnly)
{
    class NameThread : public CXThread {
    public:
        ~NameThread() override { Stop(); }
        int OnThreadLoop() override
        {
            m_strSeen = platform::CurrentThreadName();
            m_bDone = true;
            // Stay alive until the test has read the name from outside.
            while (!m_bRelease.load())
                std::this_thread::yield();
            return LOOP_STOP;
        }
        std::string m_strSeen;
        std::atomic<bool> m_bDone{false};
        std::atomic<bool> m_bRelease{false};
    };
    NameThread thread;
    ASSERT_EQ(thread.ThreadRun("ABCDEFGHIJKLMNOPQRST", 0, 1), 1);
    EXPECT_EQ(thread.GetName(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(KernelThreadName(thread.GetThreadID()), "ABCDEFGHIJKLMNO")
        << "named when ThreadRun returns";
    thread.m_bRelease = true;
    ASSERT_TRUE(WaitFor([&] { return thread.m_bDone.load(); }));
    thread.Stop();
    EXPECT_EQ(thread.m_strSeen, "ABCDEFGHIJKLMNO");
}

TEST_F(ThreadTest, AThreadMayStopButNotRestartItself)
{
    class SelfThread : public CXThread {
    public:
        ~SelfThread() override { Stop(); }
        int OnThreadLoop() override
        {
            m_nRestart = ThreadRun("again", 0, 1);
            m_nStop = Stop();
            return LOOP_CONTINUE;
        }
        std::atomic<int> m_nRestart{-1};
        std::atomic<int> m_nStop{-1};
    };
    SelfThread thread;
    ASSERT_EQ(thread.ThreadRun("self", 0, 1), 1);
    ASSERT_TRUE(WaitFor([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(thread.m_nRestart.load(), 0);
    EXPECT_EQ(thread.m_nStop.load(), 1);
    EXPECT_EQ(thread.GetName(), "self");
    EXPECT_EQ(thread.Stop(), 1) << "the owner still joins it";
    EXPECT_FALSE(Registered(&thread));
}

namespace {

// Set when the worker thread of a SelfDeleting ends: its thread_local state is destroyed then.
std::atomic<bool> g_bSelfDeletingEnded{false};
std::atomic<uint32_t> g_dwSelfDeletingThread{0};

struct EndOfThread {
    ~EndOfThread() { g_bSelfDeletingEnded = true; }
};

// Deletes itself on its third step.
class SelfDeleting : public CXThread {
public:
    ~SelfDeleting() override { Stop(); }
    int OnThreadLoop() override
    {
        thread_local EndOfThread end;
        (void)end;
        if (++m_nSteps < 3)
            return LOOP_CONTINUE;
        g_dwSelfDeletingThread = GetThreadID();
        delete this;
        return LOOP_CONTINUE;
    }
    int m_nSteps = 0;
};

}  // namespace

// The thread goes on to end normally, without waiting for itself.
TEST_F(ThreadTest, AThreadMayDeleteItselfFromItsLoop)
{
    ErrorLogCapture log;
    g_bSelfDeletingEnded = false;  // a repeated run starts afresh
    g_dwSelfDeletingThread = 0;
    auto* pThread = new SelfDeleting;
    ASSERT_EQ(pThread->ThreadRun("selfdel", 0, 1), 1);
    ASSERT_TRUE(WaitFor([] { return g_bSelfDeletingEnded.load(); }))
        << "the thread ends after deleting itself";
    EXPECT_NE(g_dwSelfDeletingThread.load(), 0u);
    EXPECT_FALSE(Registered(pThread)) << "it left the registry";
    EXPECT_EQ(log.Text(), "") << "no failure was reported";
}

TEST_F(ThreadTest, ThreadNamesByIdNameTheCallerOrARegisteredThread)
{
    // The worker names itself through both forms of its own id.
    class SelfNaming : public CXThread {
    public:
        ~SelfNaming() override { Stop(); }
        int OnThreadLoop() override
        {
            m_nOwn = SetThreadName(GetThreadID(), "by-own-id");
            m_strAfterOwn = platform::CurrentThreadName();
            m_nCurrent = SetThreadName(kCurrentThread, "by-current");
            m_strAfterCurrent = platform::CurrentThreadName();
            m_bDone = true;
            return LOOP_SUSPEND;
        }
        int m_nOwn = -1, m_nCurrent = -1;
        std::string m_strAfterOwn, m_strAfterCurrent;
        std::atomic<bool> m_bDone{false};
    };
    const std::string mine = platform::CurrentThreadName();
    SelfNaming worker;
    ASSERT_EQ(worker.ThreadRun("namer", 0, 1), 1);
    ASSERT_TRUE(WaitFor([&] { return worker.m_bDone.load(); }));
    EXPECT_EQ(worker.m_nOwn, 1);
    EXPECT_EQ(worker.m_strAfterOwn, "by-own-id");
    EXPECT_EQ(worker.m_nCurrent, 1);
    EXPECT_EQ(worker.m_strAfterCurrent, "by-current");

    // This thread names the worker by its id; the system keeps 15 bytes.
    const uint32_t dwWorker = worker.GetThreadID();
    EXPECT_EQ(CXThread::SetThreadName(dwWorker, "renamed-from-outside"), 1);
    EXPECT_EQ(KernelThreadName(dwWorker), "renamed-from-ou");
    EXPECT_EQ(CXThread::SetThreadName(dwWorker, nullptr), 0);
    EXPECT_EQ(KernelThreadName(dwWorker), "renamed-from-ou") << "a null name changes nothing";
    EXPECT_EQ(platform::CurrentThreadName(), mine) << "the caller kept its name";

    // Ids that belong to no registered thread are refused without naming anything.
    CountingThread loose(0, 0);
    ASSERT_EQ(loose.ThreadRun("loose", 0, 1), 1);
    const uint32_t dwLoose = loose.GetThreadID();
    ASSERT_TRUE(CXThread::UnregisterThread(&loose));
    const uint32_t dwUnknown[] = {0u, 0x7FFFFFF0u, dwLoose};
    for (uint32_t dwId : dwUnknown)
        EXPECT_EQ(CXThread::SetThreadName(dwId, "nobody"), 0) << "id " << dwId;
    EXPECT_EQ(KernelThreadName(dwLoose), "loose") << "an unregistered thread keeps its name";
    loose.Stop();

    worker.Stop();
    EXPECT_EQ(CXThread::SetThreadName(dwWorker, "after-stop"), 0)
        << "a stopped thread's id is unknown";
}

// Naming by id while the thread is being stopped: the name goes to the live thread or is refused,
// never to a joined thread's released handle.
TEST_F(ThreadTest, NamingByIdRacesStopSafely)
{
    for (int round = 0; round < 50; ++round) {
        CountingThread worker(0, 0);
        ASSERT_EQ(worker.ThreadRun("racer", 0, 1), 1);
        const uint32_t dwId = worker.GetThreadID();
        std::atomic<bool> bStopped{false};
        std::thread namer([&] {
            while (!bStopped.load())
                CXThread::SetThreadName(dwId, "racing");
        });
        worker.Stop();
        EXPECT_EQ(CXThread::SetThreadName(dwId, "late"), 0);
        bStopped = true;
        namer.join();
    }
}

TEST(ThreadRegistry, ThreadsRunWithoutARegistry)
{
    Deadline deadline(kTestDeadline);
    CXLibShutdown();
    ASSERT_EQ(g_pThreadRegistry.load(), nullptr);
    CountingThread thread(0, 0);
    ASSERT_EQ(thread.ThreadRun("loose", 0, 1), 1);
    EXPECT_TRUE(WaitFor([&] { return thread.m_nSteps.load() > 0; }));
    EXPECT_EQ(CXThread::SetThreadName(thread.GetThreadID(), "unlisted"), 0)
        << "no registry knows it";
    EXPECT_EQ(thread.Stop(), 1);
}

TEST(ThreadRegistry, ShutdownReportsThreadsStillRegistered)
{
    Deadline deadline(kTestDeadline);
    ErrorLogCapture log;
    ASSERT_EQ(CXLibStartup(), 1);
    CXThreadRegistry* pFirst = g_pThreadRegistry.load();
    ASSERT_EQ(CXLibStartup(), 1);
    EXPECT_EQ(g_pThreadRegistry.load(), pFirst) << "a second start-up keeps the registry";
    CountingThread thread(0, 0);
    thread.ThreadRun("late", 0, 1);
    CXLibShutdown();
    EXPECT_EQ(g_pThreadRegistry.load(), nullptr);
    EXPECT_EQ(log.Count("Threads still registered at shutdown. [count=1]"), 1);
    EXPECT_EQ(thread.Stop(), 1) << "stopping after shutdown is safe";
}
