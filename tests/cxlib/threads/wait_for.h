#pragma once
// Waiting helpers for the threaded tests: a polling wait, and a deadline that turns a hang into a
// failure that says what was stuck.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/clock.h"

// Polls every 2 ms until the condition holds or about ms milliseconds pass; the last answer.
template <class F>
bool WaitFor(F condition, uint32_t ms = 2000)
{
    for (uint32_t waited = 0; waited < ms; waited += 2) {
        if (condition())
            return true;
        platform::SleepMs(2);
    }
    return condition();
}

// Guards the scope it lives in: when the scope has not ended within ms milliseconds, it prints
// the running test's name and what describe() reports (the state of whatever the test waits on)
// and ends the test program with a failure. A hang in a join, a Stop or a lock then explains
// itself at once instead of running into the test runner's time-out. Declare it after the
// objects describe() reads, so that it is gone before they are.
class Deadline
{
public:
    explicit Deadline(uint32_t ms, std::function<std::string()> describe = {})
        : m_dwMs(ms), m_Describe(std::move(describe)), m_strTest(CurrentTestName()),
          m_Watch([this] { Watch(); })
    {
    }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
    ~Deadline()
    {
        {
            std::lock_guard<std::mutex> guard(m_Mutex);
            m_bDone = true;
        }
        m_Wake.notify_one();
        m_Watch.join();
    }

private:
    static std::string CurrentTestName()
    {
        const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
        return pInfo ? std::string(pInfo->test_suite_name()) + "." + pInfo->name() : "(no test)";
    }

    void Watch()
    {
        std::unique_lock<std::mutex> guard(m_Mutex);
        if (m_Wake.wait_for(guard, std::chrono::milliseconds(m_dwMs), [this] { return m_bDone; }))
            return;
        const std::string state = m_Describe ? m_Describe() : std::string();
        std::fprintf(stderr, "\n%s: FAILED, still waiting after %u ms%s%s\n", m_strTest.c_str(), m_dwMs,
                     state.empty() ? "" : ": ", state.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }

    const uint32_t m_dwMs;
    const std::function<std::string()> m_Describe;
    const std::string m_strTest;
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    bool m_bDone = false;
    std::thread m_Watch; // last: starts once everything it reads is built
};

// The deadline of one whole threaded test.
constexpr uint32_t kTestDeadlineMs = 60000;
