#include "CXLibStartup.h"

#include "CXAutoLock.h"
#include "CXLog.h"
#include "CXThread.h"

std::atomic<CXThreadRegistry*> g_pThreadRegistry{nullptr};

int CXLibStartup()
{
    if (g_pThreadRegistry.load())
        return 1;
    CXThreadRegistry* pRegistry = new (std::nothrow) CXThreadRegistry;
    if (!pRegistry) {
        CXLog::ErrorLog().Write(CX_SOURCE_FILE, "CXLibStartup", __LINE__,
                                "Thread registry create fail.");
        return 0;
    }
    CXThreadRegistry* pExpected = nullptr;
    if (!g_pThreadRegistry.compare_exchange_strong(pExpected, pRegistry))
        delete pRegistry;
    return 1;
}

void CXLibShutdown()
{
    CXThreadRegistry* pRegistry = g_pThreadRegistry.exchange(nullptr);
    if (!pRegistry)
        return;
    {
        CXAutoLock lock(pRegistry);
        if (pRegistry->m_Data.GetCount() != 0)
            CXLog::ErrorLog().Write(CX_SOURCE_FILE, "CXLibShutdown", __LINE__,
                                    "Threads still registered at shutdown. [count=%u]",
                                    pRegistry->m_Data.GetCount());
    }
    delete pRegistry;
}
