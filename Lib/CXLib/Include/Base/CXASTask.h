#pragma once
// A worker thread that runs queued tasks one at a time, in the order they were added. Each task
// is a callback with one pointer-sized user value, known by a key text. A task running longer
// than one second writes a performance warning to the error log.

#include <atomic>
#include <cstdint>

#include "CXListTmpl.h"
#include "CXLockTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXString.h"
#include "CXThread.h"

using CXASTaskProc = void (*)(uintptr_t userValue);

// Process-wide switch of the task queues: while false, no CXASTask takes a task (they stay queued).
// On by default.
extern std::atomic<bool> g_bUseASTask;

class CXASTaskObject {
public:
    CX_DECLARE_MEMORY_POOL(CXASTaskObject)

    CXASTaskObject(const char* pszKey, CXASTaskProc pfnProc, uintptr_t userValue);
    virtual ~CXASTaskObject() = default;

    // Calls the callback with the user value, when there is a callback.
    void Run();

    CXString m_strKey;
    CXASTaskProc m_pfnProc;
    uintptr_t m_UserValue;
};

class CXASTask : public CXThread {
public:
    static constexpr uint32_t kWarningLimitMs = 1000;

    // Starts the worker at once (normal priority, 1 ms interval).
    explicit CXASTask(const char* pszName);
    ~CXASTask() override;

    int OnThreadLoop() override;

    // Queues a task at the tail; the queue owns it. 0 when it cannot be made.
    int AddTask(const char* pszKey, CXASTaskProc pfnProc, uintptr_t userValue);
    // Whether a queued (not yet running) task has this key; false for a null key.
    bool FindTask(const char* pszKey);

    // Asks the worker to stop taking tasks: it suspends after its current task, leaving the
    // queue as it is. SetPause(false) lets it go on.
    void SetPause(bool bPause);
    bool IsPaused() const { return m_bPaused.load() != 0; }
    uint32_t GetWorkerThreadID() const { return m_dwWorkerThreadID.load(); }

    std::atomic<int32_t> m_bPauseRequest{0};
    std::atomic<int32_t> m_bPaused{0};
    std::atomic<uint32_t> m_dwWorkerThreadID{0};
    CXLockTmpl<CXListTmpl<CXASTaskObject>> m_TaskList;
    CXString m_strStatus;  // "<thread name> - '<task key>'" of the task being run (worker only)

protected:
    bool KeepSuspended() const override { return m_bPauseRequest.load() != 0; }
};
