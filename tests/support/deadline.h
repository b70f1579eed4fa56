#pragma once
// A time limit for every test of a threaded suite. A test that hangs (a join that never returns, a
// wait with no bound) is reported by name after the limit, with the state the test last registered,
// and the program aborts, instead of sitting until ctest's timeout says nothing but "timeout".
//
// A suite installs it once, from any of its files:
//     static const bool kDeadline = test_support::InstallTestDeadline(std::chrono::seconds(90));
// A test registers what it wants reported while it runs:
//     test_support::WatchState watch([&] { return "state " + std::to_string(client.GetState()); });

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace test_support {

namespace deadline_detail {

// The describer of the running test; guarded so that the watchdog never calls one whose objects are
// gone (WatchState removes it before they go).
struct Shared
{
    std::mutex mutex;
    std::function<std::string()> describe;
};

inline Shared& State()
{
    static Shared shared;
    return shared;
}

class Watchdog : public testing::EmptyTestEventListener
{
public:
    explicit Watchdog(std::chrono::milliseconds limit) : m_limit(limit), m_thread([this] { Run(); }) {}

    ~Watchdog() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bStop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    void OnTestStart(const testing::TestInfo& info) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_name = std::string(info.test_suite_name()) + "." + info.name();
        m_end = std::chrono::steady_clock::now() + m_limit;
        m_wake.notify_all();
    }

    void OnTestEnd(const testing::TestInfo&) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_end.reset();
        m_wake.notify_all();
    }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_bStop)
        {
            if (!m_end)
            {
                m_wake.wait(lock);
                continue;
            }
            const auto end = *m_end;
            if (m_wake.wait_until(lock, end) == std::cv_status::timeout && m_end == end)
                Expire();
        }
    }

    [[noreturn]] void Expire()
    {
        std::string state = "(no state registered at this point)";
        {
            std::lock_guard<std::mutex> lock(State().mutex);
            if (State().describe)
                state = State().describe();
        }
        std::fprintf(stderr, "\n%s is still running after %lld ms; state: %s\n", m_name.c_str(),
                     static_cast<long long>(m_limit.count()), state.c_str());
        std::fflush(stderr);
        std::abort();
    }

    const std::chrono::milliseconds m_limit;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bStop = false;
    std::string m_name;
    std::optional<std::chrono::steady_clock::time_point> m_end;
    std::thread m_thread;
};

} // namespace deadline_detail

inline bool InstallTestDeadline(std::chrono::milliseconds limit)
{
    testing::UnitTest::GetInstance()->listeners().Append(new deadline_detail::Watchdog(limit));
    return true;
}

// Registers what the deadline reports while this object lives (the last one registered wins).
class WatchState
{
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

} // namespace test_support
