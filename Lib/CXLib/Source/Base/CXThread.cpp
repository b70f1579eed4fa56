#include "CXThread.h"

#include <cinttypes>

#include "CXAutoLock.h"
#include "CXLibStartup.h"
#include "CXLog.h"
#include "platform/thread_name.h"

namespace {

constexpr auto kSourcePath = CXMakeSourcePath(__FILE__);
constexpr const char* kSource = kSourcePath.sz;
constexpr uint32_t kStopWarnMs = 1000;
constexpr int kMaxLoopExceptions = 3;

// The thread object that its own thread deleted from inside a loop step. Compared by address
// only: once it is set, the thread's loop must not touch the object again.
thread_local const CXThread* t_pDeletedSelf = nullptr;

}  // namespace

CXThread::CXThread() = default;

CXThread::~CXThread()
{
    if (m_Thread.joinable() && m_dwThreadID.load() == platform::CurrentThreadId()) {
        // Deleted by its own thread: it cannot wait for itself, so it lets itself go.
        RequestStop();
        UnregisterThread(this);
        m_Thread.detach();
        t_pDeletedSelf = this;
        return;
    }
    Stop();
}

int CXThread::OnThreadLoop()
{
    return LOOP_SUSPEND;
}

void CXThread::SetSleep(uint32_t dwSleepMs, uint32_t dwSleepPeriod)
{
    m_dwSleepMS = dwSleepMs;
    m_dwSleepPeriod = dwSleepPeriod;
}

void CXThread::SetThreadName(const char* pszName)
{
    if (pszName)
        platform::SetCurrentThreadName(pszName);
}

int CXThread::SetThreadName(uint32_t dwThreadID, const char* pszName)
{
    if (!pszName)
        return 0;
    if (dwThreadID == kCurrentThread || dwThreadID == platform::CurrentThreadId()) {
        platform::SetCurrentThreadName(pszName);
        return 1;
    }
    CXThreadRegistry* pRegistry = g_pThreadRegistry.load();
    if (!pRegistry || dwThreadID == 0)
        return 0;
    // Named under the registry's lock: a registered thread has not been joined yet, so its
    // handle is still the system's.
    CXAutoLock lock(pRegistry);
    for (auto* p = pRegistry->m_Data.m_pHead; p; p = p->m_pNext) {
        const CXThread* pThread = p->m_pData;
        if (pThread && pThread->m_dwThreadID.load() == dwThreadID) {
            const platform::ThreadHandle hThread = pThread->m_hThread.load();
            return hThread != 0 && platform::SetThreadName(hThread, pszName) ? 1 : 0;
        }
    }
    return 0;
}

int CXThread::ThreadRun(const char* pszName, int /*nPriority*/, uint32_t dwIntervalMs)
{
    if (m_dwThreadID.load() == platform::CurrentThreadId()) {
        // The running thread cannot wait for itself to end.
        CXLog::ErrorLog().Write(kSource, "CXThread::ThreadRun", __LINE__,
                                "Thread restart from itself refused. [%s]", m_strName.c_str());
        return 0;
    }
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_bStopRequested = false;
        m_bExited = false;
        m_bStarted = false;
    }
    m_dwInterval = dwIntervalMs;
    m_strName = pszName ? pszName : "";
    m_dwSleepCount = 0;
    m_dwThreadID = 0;
    m_bSuspended = 0;
    m_bRunning = 1;
    // Registered before it runs: a thread may end, or delete itself, before ThreadRun returns.
    RegisterThread(this);
    try {
        m_Thread = std::thread(&CXThread::ThreadMain, this);
    } catch (...) {
        m_bRunning = 0;
        UnregisterThread(this);
        CXLog::ErrorLog().Write(kSource, "CXThread::ThreadRun", __LINE__, "Thread create fail.");
        return 0;
    }
    // The id is known once the thread has started, as callers expect right after ThreadRun. The
    // thread takes its first step only after this, when ThreadRun is done with the object.
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Wake.wait(lock, [this] { return m_dwThreadID.load() != 0; });
    m_bStarted = true;
    m_Wake.notify_all();
    return 1;
}

bool CXThread::WaitForStop(uint32_t dwMs)
{
    std::unique_lock<std::mutex> lock(m_Mutex);
    return m_Wake.wait_for(lock, std::chrono::milliseconds(dwMs),
                           [this] { return m_bStopRequested || m_bRunning.load() == 0; });
}

// Names and announces the thread, runs its loop until stopped, then marks it exited.
void CXThread::ThreadMain()
{
    AnnounceStart();
    const std::string strName = m_strName.empty() ? "(NULL)" : m_strName;
    const uintptr_t self = reinterpret_cast<uintptr_t>(this);

    try {
        int nExceptions = 0;
        while (m_bRunning.load() != 0 && !WaitForStop(m_dwInterval)) {
            EndCheckPerformance();
            BeginCheckPerformance();

            int nResult = LOOP_CONTINUE;
            try {
                nResult = OnThreadLoop();
            } catch (...) {
                if (t_pDeletedSelf == this)
                    break;
                CXLog::ErrorLog().Write(kSource, "CXThread::ThreadMain", __LINE__,
                                        "[%s][%08" PRIXPTR "] OnThreadLoop fail. [%d]",
                                        strName.c_str(), self, nExceptions);
                if (++nExceptions > kMaxLoopExceptions)
                    break;
                nResult = LOOP_CONTINUE;
            }
            if (t_pDeletedSelf == this)
                break;
            if (nResult == LOOP_STOP)
                m_bRunning = 0;
            else if (nResult == LOOP_SUSPEND)
                SuspendSelf();
            PauseBetweenLoops();
        }
    } catch (...) {
        CXLog::ErrorLog().Write(kSource, "CXThread::ThreadMain", __LINE__,
                                "[%s][%08" PRIXPTR "] ThreadMain fail.", strName.c_str(), self);
    }
    if (t_pDeletedSelf == this) {
        t_pDeletedSelf = nullptr;
        return;
    }
    m_bRunning = 0;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_bExited = true;
    }
    m_Exit.notify_all();
}

void CXThread::AnnounceStart()
{
    // Named before its id is published, so that ThreadRun returns with the thread named and a
    // name given from outside afterwards is not overwritten.
    if (!m_strName.empty())
        SetThreadName(m_strName.c_str());
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_hThread = platform::GetCurrentThreadHandle();
    m_dwThreadID = platform::CurrentThreadId();
    m_Wake.notify_all();
    m_Wake.wait(lock, [this] { return m_bStarted; });
}

void CXThread::PauseBetweenLoops()
{
    const uint32_t dwSleepMs = m_dwSleepMS.load();
    if (dwSleepMs == 0) {
        std::this_thread::yield();
    } else if (m_dwSleepCount++ >= m_dwSleepPeriod.load()) {
        m_dwSleepCount = 0;
        WaitForStop(dwSleepMs);
    }
}

int CXThread::SuspendSelf()
{
    if (m_dwThreadID.load() != platform::CurrentThreadId())
        return 0;
    std::unique_lock<std::mutex> lock(m_Mutex);
    if (m_bStopRequested || !KeepSuspended())
        return 0;
    m_bSuspended = 1;
    m_Wake.wait(
        lock, [this] { return m_bStopRequested || m_bSuspended.load() == 0 || !KeepSuspended(); });
    m_bSuspended = 0;
    return 1;
}

int CXThread::Resume()
{
    int nWas;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        nWas = m_bSuspended.exchange(0);
    }
    m_Wake.notify_all();
    return nWas;
}

int CXThread::Stop()
{
    const bool bOnWorker = m_dwThreadID.load() == platform::CurrentThreadId();
    if (bOnWorker) {
        RequestStop();
        return 1;
    }
    // One controlling thread joins; a second Stop meanwhile waits and then finds nothing to stop.
    std::lock_guard<std::mutex> stopping(m_StopMutex);
    if (!m_Thread.joinable())
        return 0;
    RequestStop();
    {
        std::unique_lock<std::mutex> lock(m_Mutex);
        if (!m_Exit.wait_for(lock, std::chrono::milliseconds(kStopWarnMs),
                             [this] { return m_bExited; }))
            CXLog::ErrorLog().Write(kSource, "CXThread::Stop", __LINE__,
                                    "[%s] Thread did not stop within %u ms; waiting for it.",
                                    m_strName.empty() ? "(NULL)" : m_strName.c_str(), kStopWarnMs);
    }
    // Out of the registry before the join: another thread may be naming it by id through its
    // handle, which the join invalidates.
    UnregisterThread(this);
    m_Thread.join();
    m_strName.clear();
    m_dwThreadID = 0;
    m_hThread = 0;
    m_bSuspended = 0;
    return 1;
}

void CXThread::RequestStop()
{
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_bStopRequested = true;
    }
    m_bRunning = 0;
    m_Wake.notify_all();
}

int CXThread::RegisterThread(CXThread* pThread)
{
    CXThreadRegistry* pRegistry = g_pThreadRegistry.load();
    if (!pRegistry || !pThread)
        return 0;
    CXAutoLock lock(pRegistry);
    if (pRegistry->m_Data.Find(pThread))
        return 1;
    return pRegistry->m_Data.AddTail(pThread, 0);
}

int CXThread::UnregisterThread(CXThread* pThread)
{
    CXThreadRegistry* pRegistry = g_pThreadRegistry.load();
    if (!pRegistry || !pThread)
        return 0;
    CXAutoLock lock(pRegistry);
    return pRegistry->m_Data.DelLink(pThread);
}
