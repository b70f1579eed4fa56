#include "CXCheckPerformance.h"

#include "CXLog.h"
#include "platform/clock.h"
#include "platform/thread_name.h"

CXCheckPerformance::CXCheckPerformance() : m_pfnTick(platform::TickCount) {}

void CXCheckPerformance::BeginCheckPerformance()
{
    ++m_dwCount;
    m_dwStartTick = m_pfnTick();
    m_bSampleOpen = true;
}

void CXCheckPerformance::EndCheckPerformance(uint32_t dwLimitMs, const char* pszText)
{
    if (!m_bSampleOpen)
        return;
    const uint32_t dwElapsed = m_pfnTick() - m_dwStartTick;  // unsigned: survives the clock's wrap
    m_dwLastElapsed = dwElapsed;
    if (dwElapsed > m_dwMaxElapsed)
        m_dwMaxElapsed = dwElapsed;
    m_dwTotalElapsed += dwElapsed;
    m_fAverage = m_dwCount ? static_cast<float>(m_dwTotalElapsed / m_dwCount) : 0.0f;
    if (m_dwCount > m_dwResetCount) {
        m_dwCount = 0;
        m_dwTotalElapsed = 0;
    }
    m_dwStartTick = 0;
    m_bSampleOpen = false;
    if (dwLimitMs != 0 && dwElapsed > dwLimitMs)
        CXLog::ErrorLog().Write(CX_SOURCE_FILE, "CXCheckPerformance::EndCheckPerformance", __LINE__,
                                "# PERFORMANCE_WARNING: [%08X] - [%u] %s",
                                platform::CurrentThreadId(), dwElapsed, pszText ? pszText : "");
}
