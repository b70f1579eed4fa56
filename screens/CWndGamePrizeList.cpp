#include "CWndGamePrizeList.h"

#include <cstdio>
#include <new>

#include "CUIFrames.h"
#include "CUIRes.h"
#include "CWndGameChatList.h"
#include "CXFont.h"
#include "FormatThousands.h"

namespace {

// The symbol images of a game type's machines, null for other types.
CUIFrames* SymbolImages(int gameType)
{
    if (!g_pUIRes)
        return nullptr;
    switch (gameType) {
    case 1:
        return g_pUIRes->GetFrames(81);
    case 2:
    case 4:
        return g_pUIRes->GetFrames(82);
    case 3:
        return g_pUIRes->GetFrames(83);
    default:
        return nullptr;
    }
}

const char* LineMark(int line)
{
    switch (line) {
    case 0:
        return "상";
    case 1:
        return "중";
    case 2:
        return "하";
    default:
        return "";
    }
}

}  // namespace

bool CWndGamePrize::Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width,
                           int height)
{
    if (!font)
        return false;
    const float textHeight = static_cast<float>(font->GetHeight() + 1);
    m_Machine.Create(font, 60.0f, textHeight, 0, TEXTTEX_CENTER, true);
    m_Name.Create(font, 90.0f, textHeight, 0, 0, true);
    m_Line.Create(font, 20.0f, textHeight, 0, TEXTTEX_CENTER, true);
    m_Amount.Create(font, 75.0f, textHeight, 0, TEXTTEX_RIGHT, true);
    return CreateWidget(x, y, width, height, id, parent, 0, 255);
}

void CWndGamePrize::SetEntry(int gameType, int machineNo, const char* name,
                             const uint8_t symbols[4], int line, uint32_t amount)
{
    const uint32_t colour = CWndGameChatList::TypeColour(gameType);
    const bool recolour = colour != m_dwColour;
    CDXWnd::SetColour(colour);
    m_nGameType = gameType;
    for (int k = 0; k < 4; ++k)
        m_abySymbols[k] = symbols ? symbols[k] : 0;

    char machine[16];
    std::snprintf(machine, sizeof machine, "[%03d]", machineNo);
    char amountText[32];
    if (FormatThousands(amount, amountText, sizeof amountText) == 0 || amountText[0] == '\0')
        std::snprintf(amountText, sizeof amountText, "0");
    const std::pair<CTextTexture*, const char*> texts[] = {{&m_Machine, machine},
                                                           {&m_Name, name ? name : ""},
                                                           {&m_Line, LineMark(line)},
                                                           {&m_Amount, amountText}};
    for (const auto& [texture, text] : texts) {
        texture->SetTextColour(colour);
        if (recolour && texture->GetText() == text)
            texture->Render();
        else
            texture->SetText(text);
    }
}

int CWndGamePrize::OnDraw()
{
    if (m_nGameType < 1 || m_nGameType > 4)
        return 1;
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    m_Machine.Draw(x + 12.0f, y, 0xFFFFFFFF);
    m_Name.Draw(x + 70.0f, y, 0xFFFFFFFF);
    if (CUIFrames* images = SymbolImages(m_nGameType))
        for (int k = 0; k < 4; ++k)
            images->Draw(m_abySymbols[k], x + static_cast<float>(kSymbolX + kSymbolStep * k),
                         y + kSymbolDy);
    m_Line.Draw(x + kLineX, y, 0xFFFFFFFF);
    m_Amount.Draw(x + 290.0f, y, 0xFFFFFFFF);
    return 1;
}

bool CWndGamePrizeList::Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width,
                               int firstRowId)
{
    if (!font)
        return false;
    m_nRowHeight = font->GetHeight() + 10;
    if (!CreateWidget(x, y, width, kRows * m_nRowHeight, id, parent, 0, 255))
        return false;
    for (int k = 0; k < kRows; ++k) {
        auto* row = new (std::nothrow) CWndGamePrize;
        if (!row)
            return false;
        if (!row->Create(firstRowId + k, this, font, 0, k * m_nRowHeight, width, m_nRowHeight)) {
            if (row->GetParent() != this)
                delete row;
            return false;
        }
        m_Rows.push_back(row);
    }
    return true;
}

void CWndGamePrizeList::AddPrize(int gameType, int machineNo, const char* name,
                                 const uint8_t symbols[4], int line, uint32_t amount,
                                 int jackpotKind)
{
    const uint32_t minimum = gameType == 4 ? 10000 : 5000;
    const bool listed = amount >= minimum || (gameType == 1 && jackpotKind == 3);
    if (!listed || m_Rows.empty())
        return;
    CWndGamePrize* recycled = m_Rows.front();
    m_Rows.erase(m_Rows.begin());
    for (CWndGamePrize* row : m_Rows)
        row->SetY(row->GetY() - m_nRowHeight);
    recycled->SetY(static_cast<int>(m_Rows.size()) * m_nRowHeight);
    m_Rows.push_back(recycled);
    recycled->SetEntry(gameType, machineNo, name, symbols, line, amount);
}
