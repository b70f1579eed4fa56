#include "CXProb.h"

#include <cstdarg>

#include "CXProbLog.h"
#include "ProbRandom.h"

CXProb::CXProb()
{
    m_BasePrize.SetDefault(new CXProbBasePrizeObject);
    m_HighTable.SetDefault(new CXProbHighTableObject);
    m_HighConfig.SetDefault(new CXProbHighConfigIndex);
    m_HighPrize.SetDefault(new CXProbBasePrizeObject);
    m_SignObject.SetDefault(new CXProbSignObject);
    m_MovingObject[0].SetDefault(new CXProbMovingObject);
    m_MovingObject[1].SetDefault(new CXProbMovingObject);
    m_pDemoLog = new CXProbDataObject;
}

CXProb::~CXProb()
{
    Stop();
    delete m_pDemoLog;
}

int CXProb::OnThreadLoop()
{
    ProbRandom();
    return LOOP_CONTINUE;
}

bool CXProb::CreateDemoPDO(bool bSkipSign)
{
    CXProbSetting setting = m_Setting;
    // The demo never draws a chance-based high prize.
    setting.fHighChance1 = 0.0f;
    setting.fHighChance2 = 0.0f;
    if (!BuildLog(m_pDemoLog, &setting)) {
        PROB_LOG("CXProb::CreateDemoPDO", "Demo log build fail.");
        return false;
    }
    if (!bSkipSign && !MakeEventSign(m_pDemoLog)) {
        PROB_LOG("CXProb::CreateDemoPDO", "Make Sign fail.");
        return false;
    }
    if (!MakeEventObject(m_pDemoLog)) {
        PROB_LOG("CXProb::CreateDemoPDO", "Make Event Object fail.");
        return false;
    }
    return true;
}

bool CXProb::GetEventData(CXProbDataInfo* pOut, bool bDemo)
{
    if (!pOut)
        return false;
    pOut->Clear();
    if (!m_bMainLoaded)
        return false;

    if (bDemo) {
        if (!m_pDemoLog)
            return false;
        if (m_dwDemoCursor >= m_pDemoLog->GetSize())
            m_dwDemoCursor = 0;
        const CXProbDataInfo* pRecord = m_pDemoLog->GetAt(m_dwDemoCursor);
        if (!pRecord)
            return false;
        *pOut = *pRecord;
        ++m_dwDemoCursor;
        return true;
    }

    if (m_strPlay.GetDataSize() <= kPlayHeaderSize) {
        if (!GetPlayEventData()) {
            PROB_LOG("CXProb::GetEventData", "GetPlayEventData fail.");
            return false;
        }
        if (m_strPlay.GetDataSize() <= kPlayHeaderSize) {
            PROB_LOG("CXProb::GetEventData", "Invalid header data.");
            return false;
        }
    }
    // A new chunk starts at the cursor, so one cut normally brings the cursor inside; the
    // bound keeps a malformed chunk from looping.
    for (int attempt = 0; attempt < 3; ++attempt) {
        uint32_t dwFirst = 0, dwLast = 0, dwMakeNo = 0;
        if (!ReadPlayHeader(&dwFirst, &dwLast, &dwMakeNo)) {
            PROB_LOG("CXProb::GetEventData", "Invalid header data.");
            return false;
        }
        if (m_dwPlayCursor >= dwFirst && m_dwPlayCursor <= dwLast) {
            const uint64_t nOffset = uint64_t(m_dwPlayCursor - dwFirst) * CXProbDataInfo::kSize;
            if (m_strPlay.GetDataSize() < nOffset + kPlayHeaderSize + CXProbDataInfo::kSize) {
                PROB_LOG("CXProb::GetEventData", "Invalid event data. [dwOffset=%d]",
                         static_cast<int>(nOffset + kPlayHeaderSize));
                return false;
            }
            pOut->Read(reinterpret_cast<const uint8_t*>(m_strPlay.GetString()) + kPlayHeaderSize +
                       nOffset);
            return true;
        }
        if (!GetPlayEventData()) {
            PROB_LOG("CXProb::GetEventData", "GetPlayEventData fail.");
            return false;
        }
    }
    PROB_LOG("CXProb::GetEventData", "Invalid header data.");
    return false;
}

bool CXProb::GetDemoSpinData(CXProbDataInfo* pOut)
{
    if (!pOut)
        return false;
    const uint32_t dwPasses = m_pDemoLog && m_pDemoLog->GetSize() > 0 ? m_pDemoLog->GetSize() : 1;
    bool bGot = false;
    for (uint32_t i = 0; i < dwPasses; ++i) {
        bGot = GetEventData(pOut, true);
        if (!bGot || pOut->m_byReach == 0)
            break;
    }
    pOut->m_byType = 9;
    return bGot;
}

CXString CXProb::MakePath(const CXString& strFolder, const char* pszFormat, ...)
{
    CXString strName;
    va_list args;
    va_start(args, pszFormat);
    strName.FormatV(pszFormat, args);
    va_end(args);
    const unsigned nLength = strFolder.GetLength();
    if (nLength == 0)
        return strName;
    CXString strPath;
    strPath.Format("%s%s%s", strFolder.GetString(), strFolder.GetAt(nLength - 1) == '/' ? "" : "/",
                   strName.GetString());
    return strPath;
}
