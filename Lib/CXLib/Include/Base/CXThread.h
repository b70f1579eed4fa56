#pragma once
// Worker thread base: a derived class overrides OnThreadLoop, and the thread calls it again and
// again, waiting the interval between steps, until the step asks to stop or the owner calls Stop.
//
// A derived class whose OnThreadLoop uses its own members must call Stop() first in its own
// destructor: the base destructor runs after the derived part is gone.
//
// A thread object may be deleted by its own thread from inside OnThreadLoop: the thread then
// leaves its loop as soon as the step returns, touches the object no more, and ends detached.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "CXCheckPerformance.h"
#include "platform/thread_name.h"

class CXThread : public CXCheckPerformance {
public:
    // Results of OnThreadLoop.
    enum : int { LOOP_STOP = -1, LOOP_SUSPEND = 1, LOOP_CONTINUE = 2 };

    CXThread();
    CXThread(const CXThread&) = delete;
    CXThread& operator=(const CXThread&) = delete;
    ~CXThread() override;

    // One step of the loop: LOOP_STOP ends the thread, LOOP_SUSPEND suspends it until Resume or
    // Stop, anything else continues. The base suspends at once.
    virtual int OnThreadLoop();

    // Starts the thread (stopping a previous run first) and enters it in the thread registry;
    // refused (0) when called on the running thread itself.
    // The name (cut to 15 bytes for the system) names the thread for debuggers and in messages.
    // All workers run at the normal priority; nPriority is accepted for callers' sake only.
    // Returns 1, or 0 when the thread cannot be started.
    int ThreadRun(const char* pszName, int nPriority = 0, uint32_t dwIntervalMs = 1);

    // Tells the thread to stop, wakes it when suspended, waits for it to end (warning on the
    // error log when that takes longer than 1000 ms, but never abandoning it), and removes it from
    // the registry. 0 when no thread was running. Called on the thread itself, it only asks the
    // loop to end.
    int Stop();

    // Called on the thread itself: waits until Resume or Stop. 1 when it suspended, else 0.
    int SuspendSelf();
    // Wakes a self-suspended thread; 1 when it was suspended.
    int Resume();

    // Sleep policy after each step: 0 ms yields; otherwise the thread sleeps that long after
    // every (period + 1)th step, waking early when stopped.
    void SetSleep(uint32_t dwSleepMs, uint32_t dwSleepPeriod);

    // Names the calling thread for debuggers (cut to 15 bytes).
    static void SetThreadName(const char* pszName);
    // Names the thread of that id (cut to 15 bytes): kCurrentThread or the caller's own id names
    // the caller; any other id must be that of a running thread in the registry. 1 when named;
    // 0 for a null name, an id the registry does not hold, or a name the system refuses.
    static constexpr uint32_t kCurrentThread = 0xFFFFFFFFu;
    static int SetThreadName(uint32_t dwThreadID, const char* pszName);

    // The process-wide registry of running threads (see CXLibStartup); 0 when it does not exist.
    static int RegisterThread(CXThread* pThread);
    static int UnregisterThread(CXThread* pThread);

    bool IsRunning() const { return m_bRunning.load() != 0; }
    bool IsSuspended() const { return m_bSuspended.load() != 0; }
    uint32_t GetThreadID() const { return m_dwThreadID.load(); }
    const std::string& GetName() const { return m_strName; }
    uint32_t GetInterval() const { return m_dwInterval; }

protected:
    // Consulted while suspended: returning false ends the suspension. Lets a derived class tie
    // its suspension to a condition of its own without missing a wake-up.
    virtual bool KeepSuspended() const { return true; }

    std::atomic<int32_t> m_bRunning{0};  // 1 while the loop may go on; steps that wait poll it
    std::atomic<int32_t> m_bSuspended{0};
    std::atomic<uint32_t> m_dwSleepMS{0};
    std::atomic<uint32_t> m_dwSleepPeriod{0};
    uint32_t m_dwSleepCount = 0;  // worker only
    std::string m_strName;        // empty when the thread has no name
    std::atomic<uint32_t> m_dwThreadID{0};
    // The system's handle of the running thread; read by other threads only under the registry's
    // lock, while the thread is registered (it leaves the registry before it is joined).
    std::atomic<platform::ThreadHandle> m_hThread{0};
    uint32_t m_dwInterval = 1;  // ms waited before each step

private:
    void ThreadMain();
    // Publishes the thread's handle and id (named first), then waits until ThreadRun is done
    // with the object.
    void AnnounceStart();
    // Yields between loops, or sleeps the set time (woken by a stop) once every sleep period.
    void PauseBetweenLoops();
    // Waits up to dwMs; true when a stop was asked for.
    bool WaitForStop(uint32_t dwMs);
    // Sets the stop request and wakes the thread wherever it waits.
    void RequestStop();

    std::thread m_Thread;
    std::mutex m_StopMutex;  // held by the controlling thread for the whole of Stop
    std::mutex m_Mutex;
    std::condition_variable m_Wake;  // stop requests, resumes, the start-up handshake
    std::condition_variable m_Exit;
    bool m_bStopRequested = false;
    bool m_bExited = false;
    bool m_bStarted = false;  // ThreadRun has seen the thread start
};
