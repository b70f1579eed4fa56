#pragma once
// A trace writer the server link can be given: each line is dated and written to the enabled
// outputs (1 the console, 2 appended to a file, 4 added to a list box). The client attaches none.

#include <cstdint>
#include <string>

class CDemoTraceList;

class CDemoTrace {
public:
    static constexpr uint32_t kConsole = 1;
    static constexpr uint32_t kFile = 2;
    static constexpr uint32_t kListBox = 4;

    // pListBox (not owned) receives the lines of output 4; without one that output is skipped.
    CDemoTrace(uint32_t dwOutputs, std::string strFile, CDemoTraceList* pListBox = nullptr);
    virtual ~CDemoTrace() = default;

    // "<date> <time> > <text>\n" to every enabled output; a file that does not open is skipped;
    // the list box gets the line as its last entry (without the line end) and selects it.
    void WriteLine(const char16_t* pszText);
    // The last line formatted (empty before the first).
    const std::string& LastLine() const { return m_strLine; }

private:
    uint32_t m_dwOutputs;
    std::string m_strFile;
    CDemoTraceList* m_pListBox;
    std::string m_strLine;  // UTF-8
};
