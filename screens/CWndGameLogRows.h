#pragma once
// The rows of a machine log (the deck logs and the game log of the machine information dialog):
// 20 rows of texts, filled from the top; once full, the top row is recycled as the bottom one, so
// the newest entry is at the bottom. Texts are rendered white and drawn in their row's colour, so
// a recycled text is rendered again only when it changes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CTextTexture.h"

class CXFont;

// The colour of a game type in the lobby's lists (chat, prizes, logs, reservations); 0 (nothing
// visible) for any other type.
uint32_t GameTypeColour(int32_t nGameType);

// One column: x from the dialog's left edge, width, alignment (TEXTTEX_*).
struct CLogColumn {
    int32_t nX;
    int32_t nWidth;
    uint32_t dwAlign;
};

// A log entry's texts: date, prize name and amount as the logs show them.
struct CLogEntryTexts {
    std::string strDate;
    std::string strPrize;
    std::string strAmount;
};
// "%02d/%02d %02d:%02d", the prize name (the jackpot kind's name when there is no symbol or a
// jackpot kind, else the symbol's name by game type) and "%s점" with thousands separators.
CLogEntryTexts FormatLogEntry(int32_t nGameType, int32_t nMonth, int32_t nDay, int32_t nHour,
                              int32_t nMinute, int32_t nSymbol, int32_t nJackpotKind,
                              int64_t nAmount);

class CLogRowTexts {
public:
    static constexpr int kRows = 20;
    static constexpr float kRowSpacing = 1.8f;  // in font heights
    static constexpr int32_t kFirstRowY = 170;  // below the dialog's top
    static constexpr uint32_t kStartColour = 0xFFFFFF00;

    void Create(CXFont* font, std::vector<CLogColumn> columns);
    // Every text emptied.
    void Clear();
    // The first empty row takes the texts (one per column) and colour; with none empty, the rows
    // move up one place first.
    void Add(const std::vector<std::string>& texts, uint32_t dwColour);
    void RenderAll();
    // Rows at their places below a dialog whose top-left corner is (x, y).
    void Draw(float dialogX, float dialogY) const;

    bool IsRowEmpty(int row) const { return Text(row, 0).empty(); }
    const std::string& Text(int row, int column) const;
    uint32_t Colour(int row) const { return m_Rows[static_cast<size_t>(row)].dwColour; }
    float RowY(int row) const;

private:
    struct Row {
        std::vector<std::unique_ptr<CTextTexture>> texts;  // one per column
        uint32_t dwColour = kStartColour;
    };
    CXFont* m_pFont = nullptr;
    std::vector<CLogColumn> m_Columns;
    std::vector<Row> m_Rows;  // top first
};
