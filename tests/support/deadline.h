#pragma once
// Time limits for tests. A test that hangs (a join that never returns, a lock that is never woken,
// a wait with no bound) is reported by name after its limit, with the state of whatever it waits
// on, and the program aborts, instead of sitting until ctest's timeout says nothing but "timeout".
//
// A scope under a limit (declare it after the objects describe() reads, so it is gone first):
//     test_support::Deadline deadline(std::chrono::seconds(60), [&] { return LockState(lock); });
// Every test of a suite under one limit, installed once from any of the suite's files:
//     static const bool kDeadline = test_support::InstallTestDeadline(std::chrono::seconds(90));
// and a test registers what that limit reports while it runs:
//     test_support::WatchState watch([&] { return "state " + std::to_string(client.GetState()); });

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

namespace test_support {

// "Suite.Test" of the running test, or "(no test)".
inline std::string CurrentTestName()
{
    const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
    return pInfo ? std::string(pInfo->test_suite_name()) + "." + pInfo->name() : "(no test)";
}

// Guards the scope it lives in: when the scope has not ended within the limit, it prints the test's
// name and what describe() reports, and aborts the test program.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds limit, std::function<std::string()> describe = {},
                      std::string name = CurrentTestName())
        : m_limit(limit), m_describe(std::move(describe)), m_name(std::move(name)),
          m_watch([this] { Watch(); })
    {}
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
    ~Deadline()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bDone = true;
        }
        m_wake.notify_one();
        m_watch.join();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, m_limit, [this] { return m_bDone; }))
            return;
        const std::string state = m_describe ? m_describe() : std::string();
        std::fprintf(stderr, "\n%s: FAILED, still running after %lld ms%s%s\n", m_name.c_str(),
                     static_cast<long long>(m_limit.count()),
                     state.empty() ? "" : "; state: ", state.c_str());
        std::fflush(stderr);
        std::abort();
    }

    const std::chrono::milliseconds m_limit;
    const std::function<std::string()> m_describe;
    const std::string m_name;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bDone = false;
    std::thread m_watch;  // last: starts once everything it reads is built
};

namespace deadline_detail {

// The describer the running test registered; guarded so that the deadline never calls one whose
// objects are gone (WatchState removes it before they go).
struct Shared {
    std::mutex mutex;
    std::function<std::string()> describe;
};

inline Shared& State()
{
    static Shared shared;
    return shared;
}

inline std::string DescribeRegistered()
{
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().describe ? State().describe() : "(no state registered at this point)";
}

// Puts each test of the program under a Deadline of its own.
class PerTest : public testing::EmptyTestEventListener {
public:
    explicit PerTest(std::chrono::milliseconds limit) : m_limit(limit) {}

    void OnTestStart(const testing::TestInfo& info) override
    {
        m_pDeadline = std::make_unique<Deadline>(
            m_limit, DescribeRegistered, std::string(info.test_suite_name()) + "." + info.name());
    }
    void OnTestEnd(const testing::TestInfo&) override { m_pDeadline.reset(); }

private:
    const std::chrono::milliseconds m_limit;
    std::unique_ptr<Deadline> m_pDeadline;
};

}  // namespace deadline_detail

inline bool InstallTestDeadline(std::chrono::milliseconds limit)
{
    testing::UnitTest::GetInstance()->listeners().Append(new deadline_detail::PerTest(limit));
    return true;
}

// Registers what the suite's deadline reports while this object lives (the last one registered
// wins).
class WatchState {
public:
    explicit WatchState(std::function<std::string()> describe)
    {
        std::lock_guard<std::mutex> lock(deadline_detail::State().mutex);
        deadline_detail::State().describe = std::move(describe);
    }
    ~WatchState()
    {
        std::lock_guard<std::mutex> lock(deadline_detail::State().mutex);
        deadline_detail::State().describe = nullptr;
    }
    WatchState(const WatchState&) = delete;
    WatchState& operator=(const WatchState&) = delete;
};

}  // namespace test_support
