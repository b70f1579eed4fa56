#pragma once
// The list of the latest big prizes in the chat area: four rows, the newest at the bottom. A row
// shows the machine, the player, the four symbols of the winning line, the line and the amount,
// in the colour of the machine's game type.

#include <cstdint>
#include <string>
#include <vector>

#include "CDXWnd.h"
#include "CTextTexture.h"

// One row of the prize list.
class CWndGamePrize : public CDXWnd {
public:
    // Where a row draws its symbols and its line mark, from the row's top left: the symbols a step
    // apart, a little above the row's text.
    static constexpr int kSymbolX = 165;
    static constexpr int kSymbolStep = 25;
    static constexpr int kSymbolDy = -5;
    static constexpr int kLineX = 265;

    CWndGamePrize() = default;
    ~CWndGamePrize() override = default;

    bool Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width, int height);
    // Re-renders only the texts that change (or all of them when the colour changes).
    void SetEntry(int gameType, int machineNo, const char* name, const uint8_t symbols[4], int line,
                  uint32_t amount);
    int OnDraw() override;

    int GetGameType() const { return m_nGameType; }
    const std::string& GetMachineText() const { return m_Machine.GetText(); }
    const std::string& GetNameText() const { return m_Name.GetText(); }
    const std::string& GetLineText() const { return m_Line.GetText(); }
    const std::string& GetAmountText() const { return m_Amount.GetText(); }
    const uint8_t* GetSymbols() const { return m_abySymbols; }

private:
    int m_nGameType = 0;
    uint8_t m_abySymbols[4] = {};
    CTextTexture m_Machine;
    CTextTexture m_Name;
    CTextTexture m_Line;
    CTextTexture m_Amount;
};

class CWndGamePrizeList : public CDXWnd {
public:
    static constexpr int kRows = 4;

    CWndGamePrizeList() = default;
    ~CWndGamePrizeList() override = default;

    // Rows with ids firstRowId.., each (font height + 10) high.
    bool Create(int id, CDXWnd* parent, CXFont* font, int x, int y, int width, int firstRowId);
    // Lists the prize when it is big enough for its game type (5,000; 10,000 for type 4; a type-1
    // entry of jackpot kind 3 always): the top row takes it and becomes the bottom one.
    void AddPrize(int gameType, int machineNo, const char* name, const uint8_t symbols[4], int line,
                  uint32_t amount, int jackpotKind);

    // Rows from top to bottom.
    const std::vector<CWndGamePrize*>& GetRows() const { return m_Rows; }

private:
    int m_nRowHeight = 0;
    std::vector<CWndGamePrize*> m_Rows;  // children, top to bottom
};
