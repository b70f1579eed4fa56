#include "CWndGameLogRows.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "CXFont.h"
#include "FormatThousands.h"
#include "NameTables.h"

uint32_t GameTypeColour(int32_t nGameType)
{
    static constexpr uint32_t kColours[] = {0xFF34C1FE, 0xFF5353EE, 0xFFE76874, 0xFFC8C832};
    return nGameType >= 1 && nGameType <= 4 ? kColours[nGameType - 1] : 0;
}

CLogEntryTexts FormatLogEntry(int32_t nGameType, int32_t nMonth, int32_t nDay, int32_t nHour,
                              int32_t nMinute, int32_t nSymbol, int32_t nJackpotKind,
                              int64_t nAmount)
{
    CLogEntryTexts texts;
    char buffer[100];
    std::snprintf(buffer, sizeof buffer, "%02d/%02d %02d:%02d", nMonth, nDay, nHour, nMinute);
    texts.strDate = buffer;
    char amount[32];  // the longest amount, INT64_MIN grouped, takes 26 bytes and the terminator
    FormatThousands(nAmount, amount, sizeof amount);
    std::snprintf(buffer, sizeof buffer, "%s점", amount);
    texts.strAmount = buffer;
    if (nSymbol < 1 || nJackpotKind != 0)
        texts.strPrize = GetJackpotKindName(nJackpotKind);
    else
        texts.strPrize = GetPrizeSymbolName(nGameType, nSymbol);
    return texts;
}

void CLogRowTexts::Create(CXFont* font, std::vector<CLogColumn> columns)
{
    m_pFont = font;
    m_Columns = std::move(columns);
    const float height = font ? static_cast<float>(std::abs(font->GetHeight())) : 0.0f;
    m_Rows.clear();
    m_Rows.resize(kRows);
    for (Row& row : m_Rows)
        for (const CLogColumn& column : m_Columns) {
            auto text = std::make_unique<CTextTexture>();
            text->Create(font, static_cast<float>(column.nWidth), height, 0xFFFFFFFF,
                         column.dwAlign, true);
            row.texts.push_back(std::move(text));
        }
}

void CLogRowTexts::Clear()
{
    for (Row& row : m_Rows)
        for (auto& text : row.texts)
            text->SetText("");
}

void CLogRowTexts::Add(const std::vector<std::string>& texts, uint32_t dwColour)
{
    if (m_Rows.empty())
        return;
    auto target = std::find_if(m_Rows.begin(), m_Rows.end(), [](const Row& row) {
        return row.texts.empty() || row.texts[0]->GetText().empty();
    });
    if (target == m_Rows.end()) {
        std::rotate(m_Rows.begin(), m_Rows.begin() + 1, m_Rows.end());
        target = m_Rows.end() - 1;
    }
    for (size_t i = 0; i < target->texts.size(); ++i)
        target->texts[i]->SetText(i < texts.size() ? texts[i].c_str() : "");
    target->dwColour = dwColour;
}

void CLogRowTexts::RenderAll()
{
    for (Row& row : m_Rows)
        for (auto& text : row.texts)
            text->Render();
}

const std::string& CLogRowTexts::Text(int row, int column) const
{
    static const std::string empty;
    if (row < 0 || row >= static_cast<int>(m_Rows.size()))
        return empty;
    const Row& r = m_Rows[static_cast<size_t>(row)];
    return column >= 0 && column < static_cast<int>(r.texts.size())
               ? r.texts[static_cast<size_t>(column)]->GetText()
               : empty;
}

float CLogRowTexts::RowY(int row) const
{
    const float height = m_pFont ? static_cast<float>(std::abs(m_pFont->GetHeight())) : 0.0f;
    return static_cast<float>(kFirstRowY) + static_cast<float>(row) * kRowSpacing * height;
}

void CLogRowTexts::Draw(float dialogX, float dialogY) const
{
    for (size_t r = 0; r < m_Rows.size(); ++r) {
        const Row& row = m_Rows[r];
        const float y = dialogY + RowY(static_cast<int>(r));
        for (size_t c = 0; c < row.texts.size(); ++c)
            row.texts[c]->Draw(dialogX + static_cast<float>(m_Columns[c].nX), y, row.dwColour);
    }
}
