#pragma once
// The reservation list: eight rows of start time, end time and the reserved machines, newest on
// top. Every opening empties the rows and asks the server for the list.

#include <cstdint>
#include <memory>
#include <string>

#include "CDXDialog.h"
#include "CTextTexture.h"

class CDlgReserveInfo : public CDXDialog {
public:
    static constexpr int kId = 411;
    static constexpr int kOkId = 412;
    static constexpr int kRows = 8;
    // Columns: machines 1 to 4, start time, separator, end time.
    static constexpr int kColumns = 7;
    static constexpr int kFirstMachineColumn = 0;
    static constexpr int kStartColumn = 4;
    static constexpr int kSeparatorColumn = 5;
    static constexpr int kEndColumn = 6;

    // Background slot 53; hidden.
    bool Create(CDXWnd* parent);

    void Show(bool show) override;
    void OnClick(int id) override;
    void OnLayout() override;
    int OnDraw() override;

    // The rows move down one place (the last is recycled) and the first shows the entry: start,
    // "-", end, and "[%03d]" in its game type's colour for each machine above 0.
    void AddRow(const char* pszStart, const char* pszEnd, const int32_t (&gameTypes)[4],
                const int32_t (&machines)[4]);

    const std::string& GetText(int row, int column) const;
    uint32_t GetTextColour(int row, int column) const;

private:
    struct Cell {
        CTextTexture text;
        uint32_t dwColour = 0xFFFFFFFF;
    };
    struct Row {
        Cell cells[kColumns];
    };
    void SetCell(Cell& cell, const char* text, uint32_t dwColour);

    std::unique_ptr<Row> m_Rows[kRows];  // top first
};
