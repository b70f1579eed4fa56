#include "CXASTask.h"

#include "CXAutoLock.h"
#include "CXLog.h"
#include "platform/thread_name.h"

namespace {

constexpr auto kSourcePath = CXMakeSourcePath(__FILE__);
constexpr const char* kSource = kSourcePath.sz;

}  // namespace

std::atomic<bool> g_bUseASTask{true};

CXASTaskObject::CXASTaskObject(const char* pszKey, CXASTaskProc pfnProc, uintptr_t userValue)
    : m_strKey(pszKey ? pszKey : ""), m_pfnProc(pfnProc), m_UserValue(userValue)
{}

void CXASTaskObject::Run()
{
    if (!m_pfnProc)
        return;
    try {
        m_pfnProc(m_UserValue);
    } catch (...) {
        CXLog::ErrorLog().Write(kSource, "CXASTaskObject::Run", __LINE__,
                                "### EXCEPTION: task '%s' fail.", m_strKey.GetString());
    }
}

CXASTask::CXASTask(const char* pszName)
{
    ThreadRun(pszName, 0, 1);
}

CXASTask::~CXASTask()
{
    Stop();
    CXAutoLock lock(m_TaskList);
    m_TaskList.m_Data.RemoveAll(1);
}

int CXASTask::AddTask(const char* pszKey, CXASTaskProc pfnProc, uintptr_t userValue)
{
    CXASTaskObject* pTask = new CXASTaskObject(pszKey, pfnProc, userValue);
    if (!pTask) {
        CXLog::ErrorLog().Write(kSource, "CXASTask::AddTask", __LINE__,
                                "CXASTaskObject create fail.");
        return 0;
    }
    CXAutoLock lock(m_TaskList);
    if (!m_TaskList.m_Data.AddTail(pTask, 1)) {
        delete pTask;
        return 0;
    }
    return 1;
}

bool CXASTask::FindTask(const char* pszKey)
{
    if (!pszKey)
        return false;
    CXAutoLock lock(m_TaskList);
    for (auto* p = m_TaskList.m_Data.m_pHead; p; p = p->m_pNext)
        if (p->m_pData && p->m_pData->m_strKey.Compare(pszKey) == 0)
            return true;
    return false;
}

void CXASTask::SetPause(bool bPause)
{
    m_bPauseRequest = bPause ? 1 : 0;
    if (!bPause)
        Resume();
}

int CXASTask::OnThreadLoop()
{
    if (m_bPauseRequest.load()) {
        m_bPaused = 1;
        return LOOP_SUSPEND;
    }
    m_bPaused = 0;
    m_dwWorkerThreadID = platform::CurrentThreadId();
    if (!g_bUseASTask.load())
        return LOOP_CONTINUE;

    CXASTaskObject* pTask = nullptr;
    {
        CXAutoLock lock(m_TaskList);
        auto* pHead = m_TaskList.m_Data.m_pHead;
        if (!pHead)
            return LOOP_CONTINUE;
        pTask = pHead->m_pData;
        pHead->m_bOwn = 0;
        m_TaskList.m_Data.DelList(pHead);
    }

    BeginCheckPerformance();
    m_strStatus.Format("%s - '%s'", GetName().c_str(), pTask->m_strKey.GetString());
    pTask->Run();
    delete pTask;
    EndCheckPerformance(kWarningLimitMs, m_strStatus.GetString());
    return LOOP_CONTINUE;
}
