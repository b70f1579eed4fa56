#pragma once
// The wins of the machine in one deck, a column of the machine information dialog: a header with
// the machine number and 20 rows of date, prize name and amount, newest at the bottom.

#include <cstdint>

#include "CDXWnd.h"
#include "CTextTexture.h"
#include "CWndGameLogRows.h"

class CWndDeckLog : public CDXWnd {
public:
    static constexpr int kFirstId = 414;  // + deck index

    // The log of deck 0..3 at its place in the dialog.
    bool Create(int32_t nDeck, CDXWnd* parent);

    // Shown: rows and header emptied; the header names the deck's machine when it hosts one.
    void Show(bool show) override;
    void OnLayout() override;
    int OnDraw() override;

    void AddRow(int32_t nGameType, int32_t nMonth, int32_t nDay, int32_t nHour, int32_t nMinute,
                int32_t nSymbol, int32_t nJackpotKind, int64_t nAmount);

    int32_t GetDeck() const { return m_nDeck; }
    const CLogRowTexts& GetRows() const { return m_Rows; }
    const std::string& GetHeader() const { return m_Header.GetText(); }
    uint32_t GetHeaderColour() const { return m_dwHeaderColour; }

private:
    int32_t m_nDeck = 0;
    CLogRowTexts m_Rows;
    CTextTexture m_Header;
    uint32_t m_dwHeaderColour = 0;
};
