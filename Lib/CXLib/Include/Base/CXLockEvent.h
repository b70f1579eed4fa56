#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Counted wake-up for CXLockFast: every Signal lets exactly one Wait through, whether the waiter
// is already asleep or arrives later. The count is read and changed only under the mutex, so a
// signal given between a waiter's decision to sleep and its sleep is never lost.
class CXLockEvent
{
public:
    CXLockEvent() = default;
    CXLockEvent(const CXLockEvent&) = delete;
    CXLockEvent& operator=(const CXLockEvent&) = delete;

    void Signal()
    {
        {
            std::lock_guard<std::mutex> guard(m_Mutex);
            ++m_dwCount;
        }
        m_Wake.notify_one();
    }

    void Wait()
    {
        std::unique_lock<std::mutex> guard(m_Mutex);
        m_Wake.wait(guard, [this] { return m_dwCount != 0; });
        --m_dwCount;
    }

    // Signals given and not yet taken by a waiter.
    uint32_t GetCount()
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        return m_dwCount;
    }

private:
    std::mutex m_Mutex;
    std::condition_variable m_Wake;
    uint32_t m_dwCount = 0;
};
