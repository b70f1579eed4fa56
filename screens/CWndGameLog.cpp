#include "CWndGameLog.h"

#include <cstdio>

#include "CAppCore.h"

bool CWndGameLog::Create(CDXWnd* parent)
{
    if (!CreateWidget(1432, 154, 419, 700, kId, parent, 0, 255))
        return false;
    m_Rows.Create(g_pAppCore ? g_pAppCore->Font09 : nullptr, {{1437, 90, TEXTTEX_CENTER},
                                                              {1525, 125, TEXTTEX_VCENTER},
                                                              {1651, 75, TEXTTEX_CENTER},
                                                              {1741, 125, TEXTTEX_RIGHT}});
    return true;
}

void CWndGameLog::Show(bool show)
{
    CDXWnd::Show(show);
    if (show)
        m_Rows.Clear();
}

void CWndGameLog::AddRow(int32_t nGameType, int32_t nMachineNo, int32_t nMonth, int32_t nDay,
                         int32_t nHour, int32_t nMinute, int32_t nSymbol, int32_t nJackpotKind,
                         int64_t nAmount)
{
    const CLogEntryTexts texts =
        FormatLogEntry(nGameType, nMonth, nDay, nHour, nMinute, nSymbol, nJackpotKind, nAmount);
    char machine[16];
    std::snprintf(machine, sizeof machine, "[%03d]", nMachineNo);
    m_Rows.Add({machine, texts.strDate, texts.strPrize, texts.strAmount},
               GameTypeColour(nGameType));
}

void CWndGameLog::OnLayout()
{
    m_Rows.RenderAll();
    CDXWnd::OnLayout();
}

int CWndGameLog::OnDraw()
{
    m_Rows.Draw(static_cast<float>(AbsoluteX() - m_nX), static_cast<float>(AbsoluteY() - m_nY));
    return 1;
}
