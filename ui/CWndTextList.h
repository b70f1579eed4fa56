#pragma once
// A list of text rows that scrolls upwards: each new line takes the top row's label, moves it to
// the bottom and moves every other row up one. Text is wrapped to the list's width without ever
// splitting a double-byte character; CR, LF or CR LF end a line.

#include <string>
#include <vector>

#include "CDXWnd.h"

class CDXLabel;

class CWndTextList : public CDXWnd {
public:
    CWndTextList() = default;
    ~CWndTextList() override = default;

    // rows labels with ids firstLabelId.., each width x (font height x spacing), stacked from the
    // top. False when the list or a label cannot be made.
    bool Create(int id, CDXWnd* parent, int x, int y, int width, int height, CXFont* font,
                int firstLabelId, int rows, float spacing);

    // Wraps the text and adds each line as the new bottom row, in the colour given. Null: nothing.
    void AddText(const char* text, uint32_t colour);
    // Empties every row that holds text.
    void Clear();

    // The lines a text wraps into at the list's width.
    std::vector<std::string> Wrap(const char* text);

    int GetRowHeight() const { return m_nRowHeight; }
    // Rows from top to bottom.
    const std::vector<CDXLabel*>& GetRows() const { return m_Rows; }

private:
    void AddLine(const std::string& line, uint32_t colour);

    CXFont* m_pFont = nullptr;  // measures the text; not owned
    int m_nRowHeight = 0;
    std::vector<CDXLabel*> m_Rows;  // children, top to bottom
};
