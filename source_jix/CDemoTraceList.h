#pragma once
// The list box a trace writer can fill: one entry per trace line and the selected entry, which
// follows the last line added. It keeps the newest kMaxLines entries.

#include <cstddef>
#include <deque>
#include <string>

class CDemoTraceList {
public:
    static constexpr size_t kMaxLines = 1000;

    // Adds an entry (UTF-8, without its line end) at the end; returns its index. When the list
    // is full the oldest entry goes first.
    int AddString(const std::string& strLine);
    // Selects an entry; an index out of range selects none (-1).
    void SetCurSel(int nIndex);

    int GetCount() const { return int(m_lines.size()); }
    int GetCurSel() const { return m_nCurSel; }
    // The entry's text; empty for an index out of range.
    const std::string& GetString(int nIndex) const;

private:
    std::deque<std::string> m_lines;
    int m_nCurSel = -1;
};
