#include "CWndDeckLog.h"

#include <cstdio>

#include "CAppCore.h"
#include "CGameBase.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"

namespace {

constexpr int kHeaderY = 58;
constexpr int kHeaderWidth = 335;
constexpr int kHeaderHeight = 40;

}  // namespace

bool CWndDeckLog::Create(int32_t nDeck, CDXWnd* parent)
{
    if (nDeck < 0 || nDeck >= kGameDeckCount)
        return false;
    m_nDeck = nDeck;
    const int cx = 27 + 351 * nDeck;
    if (!CreateWidget(cx, 154, 348, 700, kFirstId + nDeck, parent, 0, 255))
        return false;
    CXFont* rowFont = g_pAppCore ? g_pAppCore->Font09 : nullptr;
    m_Rows.Create(rowFont, {{cx + 3, 125, TEXTTEX_VCENTER},
                            {cx + 130, 75, TEXTTEX_CENTER},
                            {cx + 205, 125, TEXTTEX_RIGHT}});
    m_Header.Create(g_pAppCore ? g_pAppCore->Font15 : nullptr, kHeaderWidth, kHeaderHeight,
                    0xFFFFFFFF, TEXTTEX_CENTER, true);
    return true;
}

void CWndDeckLog::Show(bool show)
{
    CDXWnd::Show(show);
    if (!show)
        return;
    m_Rows.Clear();
    m_Header.SetText("");
    CGameDeck* deck = g_pGameDeckList ? g_pGameDeckList->GetDeck(m_nDeck) : nullptr;
    const CGameBase* game = deck ? deck->GetGame() : nullptr;
    if (!game || game->IsDemo())
        return;
    char text[16];
    std::snprintf(text, sizeof text, "[%03d]", game->m_nGameType < 1 ? 0 : game->m_nMachineNo);
    m_dwHeaderColour = GameTypeColour(game->m_nGameType);
    m_Header.SetText(text);
}

void CWndDeckLog::AddRow(int32_t nGameType, int32_t nMonth, int32_t nDay, int32_t nHour,
                         int32_t nMinute, int32_t nSymbol, int32_t nJackpotKind, int64_t nAmount)
{
    const CLogEntryTexts texts =
        FormatLogEntry(nGameType, nMonth, nDay, nHour, nMinute, nSymbol, nJackpotKind, nAmount);
    m_Rows.Add({texts.strDate, texts.strPrize, texts.strAmount}, GameTypeColour(nGameType));
}

void CWndDeckLog::OnLayout()
{
    m_Rows.RenderAll();
    m_Header.Render();
    CDXWnd::OnLayout();
}

int CWndDeckLog::OnDraw()
{
    const float dialogX = static_cast<float>(AbsoluteX() - m_nX);
    const float dialogY = static_cast<float>(AbsoluteY() - m_nY);
    m_Header.Draw(static_cast<float>(AbsoluteX()), dialogY + kHeaderY, m_dwHeaderColour);
    m_Rows.Draw(dialogX, dialogY);
    return 1;
}
