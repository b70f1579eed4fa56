#include "CDemoTraceList.h"

int CDemoTraceList::AddString(const std::string& strLine)
{
    if (m_lines.size() >= kMaxLines) {
        m_lines.pop_front();
        if (m_nCurSel >= 0)
            --m_nCurSel;
    }
    m_lines.push_back(strLine);
    return int(m_lines.size()) - 1;
}

void CDemoTraceList::SetCurSel(int nIndex)
{
    m_nCurSel = (nIndex >= 0 && nIndex < GetCount()) ? nIndex : -1;
}

const std::string& CDemoTraceList::GetString(int nIndex) const
{
    static const std::string kNone;
    return (nIndex >= 0 && nIndex < GetCount()) ? m_lines[size_t(nIndex)] : kNone;
}
