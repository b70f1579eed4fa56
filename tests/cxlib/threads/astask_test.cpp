// The task queue thread: order, failing tasks, slow-task warnings, pause and shutdown.

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "CXASTask.h"
#include "CXLibStartup.h"
#include "cxlib/error_log_capture.h"
#include "cxlib/threads/wait_for.h"
#include "platform/clock.h"

namespace {

// What the tasks of one test did, in order.
struct Journal {
    void Add(const std::string& entry)
    {
        std::lock_guard<std::mutex> lock(mutex);
        entries.push_back(entry);
    }
    std::vector<std::string> Get()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return entries;
    }
    std::mutex mutex;
    std::vector<std::string> entries;
};

Journal* g_pJournal = nullptr;

void Record(uintptr_t value)
{
    g_pJournal->Add(std::string(1, static_cast<char>(value)));
}

void Throw(uintptr_t)
{
    throw 7;
}

std::atomic<uint32_t> g_fakeNow{5000};
uint32_t FakeTick()
{
    return g_fakeNow.load();
}
void TakeLong(uintptr_t ms)
{
    g_fakeNow += static_cast<uint32_t>(ms);
}

class TaskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CXLibStartup();
        g_pJournal = &m_journal;
    }
    void TearDown() override
    {
        g_pJournal = nullptr;
        CXLibShutdown();
    }
    Journal m_journal;
    Deadline m_Deadline{kTestDeadline};
};

}  // namespace

TEST_F(TaskTest, RunsTasksInTheOrderTheyWereAdded)
{
    CXASTask task("order");
    EXPECT_TRUE(task.IsRunning());
    for (char c : std::string("ABC"))
        ASSERT_EQ(task.AddTask(std::string(1, c).c_str(), Record, static_cast<uintptr_t>(c)), 1);
    ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 3; }));
    EXPECT_EQ(m_journal.Get(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(task.GetWorkerThreadID(), task.GetThreadID());
}

TEST_F(TaskTest, AFailingTaskIsLoggedAndTheNextOneRuns)
{
    ErrorLogCapture log;
    CXASTask task("failing");
    task.AddTask("BAD", Throw, 0);
    task.AddTask("NULL", nullptr, 0);
    task.AddTask("GOOD", Record, 'G');
    ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 1; }));
    EXPECT_TRUE(task.IsRunning());
    EXPECT_EQ(log.Count("### EXCEPTION: task 'BAD' fail."), 1) << log.Text();
    EXPECT_FALSE(task.FindTask("BAD"));
}

TEST_F(TaskTest, ASlowTaskWritesOnePerformanceWarning)
{
    ErrorLogCapture log;
    CXASTask task("slowpoke");
    task.SetPause(true);
    ASSERT_TRUE(WaitFor([&] { return task.IsPaused(); }));
    task.SetTickSource(FakeTick);
    task.AddTask("QUICK", TakeLong, 1000);
    task.AddTask("SLOW", TakeLong, 1500);
    task.AddTask("DONE", Record, 'D');
    task.SetPause(false);
    ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 1; }));
    task.Stop();
    EXPECT_EQ(log.Count("# PERFORMANCE_WARNING: ["), 1) << log.Text();
    EXPECT_EQ(log.Count("] - [1500] slowpoke - 'SLOW'"), 1) << log.Text();
}

TEST_F(TaskTest, PauseKeepsTasksQueuedUntilReleased)
{
    CXASTask task("pausing");
    task.SetPause(true);
    ASSERT_TRUE(WaitFor([&] { return task.IsPaused(); }));
    task.AddTask("P", Record, 'P');
    task.AddTask("Q", Record, 'Q');
    platform::SleepMs(30);
    EXPECT_TRUE(m_journal.Get().empty());
    EXPECT_TRUE(task.FindTask("Q"));
    EXPECT_FALSE(task.FindTask("R"));
    EXPECT_FALSE(task.FindTask(nullptr));

    task.SetPause(false);
    ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 2; }));
    EXPECT_FALSE(task.IsPaused());
    EXPECT_FALSE(task.FindTask("Q"));
}

TEST_F(TaskTest, TheGlobalSwitchHoldsEveryQueue)
{
    CXASTask task("switched");
    g_bUseASTask = false;
    task.AddTask("S", Record, 'S');
    platform::SleepMs(30);
    EXPECT_TRUE(m_journal.Get().empty());
    EXPECT_TRUE(task.FindTask("S"));
    g_bUseASTask = true;
    ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 1; }));
}

TEST_F(TaskTest, TasksMayQueueTasksAndDestructionDropsTheRest)
{
    static CXASTask* s_pTask = nullptr;
    {
        CXASTask task("nested");
        s_pTask = &task;
        task.AddTask(
            "OUTER", [](uintptr_t) { s_pTask->AddTask("INNER", Record, 'I'); }, 0);
        ASSERT_TRUE(WaitFor([&] { return m_journal.Get().size() == 1; }));

        task.SetPause(true);
        ASSERT_TRUE(WaitFor([&] { return task.IsPaused(); }));
        task.AddTask("LEFT", Record, 'L');
    }
    s_pTask = nullptr;
    EXPECT_EQ(m_journal.Get(), (std::vector<std::string>{"I"}))
        << "queued tasks are deleted, not run";
}
