#include "CXProbTables.h"

void CXProbDataObject::Clear()
{
    m_dwCount = 0;
    m_dwTotalWin = 0;
    m_byHighIndex = m_byHighNumber = m_byHighSlot = m_byHighUnit = 0;
    m_dwHighAmount = 0;
    m_Records.DeleteAll();
}

bool CXProbDataObject::Grow(uint32_t dwSize)
{
    if (dwSize <= m_Records.GetSize())
        return true;
    return m_Records.SetSize(dwSize, 0, 100) != 0;
}

bool CXProbDataObject::AddDataObject(uint32_t dwIndex, const CXProbDataInfo& record)
{
    CXProbDataInfo* pRecord = m_Records.GetAt(dwIndex);
    if (pRecord) {
        --m_dwCount;
        m_dwTotalWin -= pRecord->m_wTotalWin;
    } else {
        pRecord = new CXProbDataInfo;
        if (!pRecord)
            return false;
        if (!m_Records.SetAt(dwIndex, pRecord)) {
            delete pRecord;
            return false;
        }
    }
    *pRecord = record;
    ++m_dwCount;
    m_dwTotalWin += record.m_wTotalWin;
    return true;
}

bool CXProbDataObject::Recount()
{
    m_dwCount = 0;
    m_dwTotalWin = 0;
    for (uint32_t i = 0; i < m_Records.GetSize(); ++i) {
        const CXProbDataInfo* pRecord = m_Records.GetAt(i);
        if (!pRecord)
            return false;
        ++m_dwCount;
        m_dwTotalWin += pRecord->m_wTotalWin;
    }
    return true;
}
