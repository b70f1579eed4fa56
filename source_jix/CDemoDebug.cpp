// The engine's debug overlay: link and round state, the block fields and the presentation.
#include <cstdarg>
#include <cstdio>

#include "CDemo.h"
#include "CDemoLink.h"
#include "CXFont.h"

namespace {

std::string Format(const char* pszFormat, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* pszFormat, ...)
{
    char szLine[512];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(szLine, sizeof(szLine), pszFormat, args);
    va_end(args);
    return szLine;
}

constexpr uint32_t kShadowColour = 0x80000000;
constexpr uint32_t kTextColour = 0xc8ffffff;

// One line at +1,+1 in the shadow colour, then in the text colour.
void DrawShadowText(CXFont* pFont, const std::string& strText, float x, float y)
{
    pFont->DrawText(strText.c_str(), x + 1.0f, y + 1.0f, 0.0f, 0.0f, kShadowColour, 0);
    pFont->DrawText(strText.c_str(), x, y, 0.0f, 0.0f, kTextColour, 0);
}

}  // namespace

std::vector<std::string> CDemo::DebugLines() const
{
    const CDemoLink& l = *m_pLink;
    std::vector<std::string> lines;
    lines.push_back(Format("Block Spin: %d, SpinEnd: %d, SpinReq: %d", m_nBlockSpin, l.m_bSpinEnded,
                           l.m_bSpinDataRequested));
    lines.push_back(Format("playing: %d, FinReq: %d, , ticketReq: %d, giftflag: %d", l.m_bPlaying,
                           l.m_bGameFinPending, l.m_bTicketOutPending, m_bTicketWanted));
    lines.push_back(
        Format("save=%d, imsisave=%d, imsidatat=%d", m_nScore, m_nSavedScore, m_nScoreAfterWin));
    lines.emplace_back();
    lines.push_back(
        Format("mid    : 0:%d, 1:%d, 2:%d, 3:%d", m_anMid[0], m_anMid[1], m_anMid[2], m_anMid[3]));
    lines.push_back(
        Format("Win    : 0:%d, 1:%d, 2:%d, 3:%d", m_anWin[0], m_anWin[1], m_anWin[2], m_anWin[3]));
    lines.push_back(Format("series : 0:%d, 1:%d, 2:%d, 3:%d, 4:%d, 5:%d, 6:%d", m_anSeries[0],
                           m_anSeries[1], m_anSeries[2], m_anSeries[3], m_anSeries[4],
                           m_anSeries[5], m_anSeries[6]));
    lines.push_back(Format("Fever  : 0:%d, 1:%d, 2:%d, 3:%d, 4:%d, 5:%d", m_anFever[0],
                           m_anFever[1], m_anFever[2], m_anFever[3], m_anFever[4], m_anFever[5]));
    lines.push_back(Format("hint   : 0:%d, 1:%d, 2:%d, 3:%d, 4:%d, 5:%d, 6:%d, 7:%d", m_anHint[0],
                           m_anHint[1], m_anHint[2], m_anHint[3], m_anHint[4], m_anHint[5],
                           m_anHint[6], m_anHint[7]));
    lines.emplace_back();
    lines.push_back(Format("ActionJix => %d", m_nActionJix));
    lines.push_back(Format("evilflag: %d evilupcount : %d ", m_nDevilFlag, m_nDevilCount));
    lines.push_back(Format("smilflag: %d Actionevil: %d ", m_nSmileFlag, m_nDevilAction));
    return lines;
}

void CDemo::DrawDebugInfo(CXFont* pFont, float x, float y)
{
    if (!pFont || !m_pLink)
        return;
    const float fLine = float(pFont->GetHeight() + 2);
    for (const std::string& strLine : DebugLines()) {
        if (!strLine.empty())
            DrawShadowText(pFont, strLine, x, y);
        y += fLine;
    }

    // The joker row's prize in ten-thousands, when a row of jokers won on strip set 0.
    if (HasRowWin() && m_nStopTick > 265 && StripSet() == 0) {
        for (int nRow = 0; nRow < 3; ++nRow) {
            if (!RowAllJokers(nRow))
                continue;
            if (m_anWin[nRow] / 10000 > 0)
                DrawShadowText(pFont, Format(" %d ", m_anWin[nRow] / 10000), x, y);
            break;
        }
        y += fLine;
    }

    const char* pszFever = m_anSeries[0] == 3   ? "*5  휘버 %d"
                           : m_anSeries[0] == 2 ? "*3  휘버 %d"
                           : m_anSeries[0] == 1 ? "*2  휘버 %d"
                                                : "*1  휘버 %d";
    DrawShadowText(pFont, Format(pszFever, m_anFever[3]), x, y);
    y += fLine;

    if (m_anHint[0] > 0) {
        const int32_t nKind = m_anHint[2];
        const char* pszWho = nKind <= 2   ? "첫째 동료 예고"
                             : nKind <= 5 ? "둘째 동료 예고"
                             : nKind <= 7 ? "셋째 동료 예고"
                             : nKind == 8 ? "주인공 2,000,000 예고"
                                          : "주인공 잭팟 예고";
        DrawShadowText(
            pFont,
            Format("%s  현재스핀: %d  나올 스핀: %d", pszWho, m_anHint[1], PreviewEventSpin()), x,
            y);
        y += fLine;
    }

    std::string strWin;
    if (m_nWinSum == 0 && m_anFever[3] == 0)
        strWin.clear();
    else if (m_nWinSum > 0 && m_anFever[3] == 0)
        strWin = Format("Win= 0:%d,1:%d,2:%d, 배당=%d, WinSum = %d ", m_anWin[0], m_anWin[1],
                        m_anWin[2], GetSeriesMultiplier(), m_nWinSum);
    else if (m_nWinSum == 0 && m_anFever[3] > 0)
        strWin = Format("Fever[3] = %d", m_anFever[3]);
    else if (m_nWinSum > 0 && m_anFever[3] > 0)
        strWin = Format("WinSum=%d    Fever[3]=%d", m_nWinSum, m_anFever[3]);
    else
        strWin = Format("WinSum=%d   Fever[3]=%d", m_nWinSum, m_anFever[3]);
    if (strWin.empty() || m_nWinSum >= 100000)
        return;
    if (m_nWinSum < 1000)
        pFont->DrawText(strWin.c_str(), x, y, 0.0f, 0.0f, kTextColour, 0);
    else
        DrawShadowText(pFont, strWin, x, y);
}
