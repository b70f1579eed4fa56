#pragma once
// The wins of all the player's games, the last column of the machine information dialog: 20 rows
// of machine, date, prize name and amount, newest at the bottom.

#include <cstdint>

#include "CDXWnd.h"
#include "CWndGameLogRows.h"

class CWndGameLog : public CDXWnd {
public:
    static constexpr int kId = 418;

    bool Create(CDXWnd* parent);

    // Shown: every row emptied.
    void Show(bool show) override;
    void OnLayout() override;
    int OnDraw() override;

    void AddRow(int32_t nGameType, int32_t nMachineNo, int32_t nMonth, int32_t nDay, int32_t nHour,
                int32_t nMinute, int32_t nSymbol, int32_t nJackpotKind, int64_t nAmount);

    const CLogRowTexts& GetRows() const { return m_Rows; }

private:
    CLogRowTexts m_Rows;
};
