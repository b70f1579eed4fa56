#include "CWndTextList.h"

#include "CDXLabel.h"
#include "CXFont.h"

namespace {

bool IsLead(uint8_t b)
{
    return b >= 0x81 && b <= 0xFE;
}
bool IsTrail(uint8_t b)
{
    return b >= 0x41 && b <= 0xFE;
}

}  // namespace

bool CWndTextList::Create(int id, CDXWnd* parent, int x, int y, int width, int height, CXFont* font,
                          int firstLabelId, int rows, float spacing)
{
    if (!font || rows <= 0)
        return false;
    if (!CreateWidget(x, y, width, height, id, parent, 0, 255))
        return false;
    m_pFont = font;
    m_nRowHeight = static_cast<int>(static_cast<float>(font->GetHeight()) * spacing);
    for (int k = 0; k < rows; ++k) {
        CDXLabel* label =
            CreateLabel(firstLabelId + k, font, 0, k * m_nRowHeight, width, m_nRowHeight, true);
        if (!label)
            return false;
        m_Rows.push_back(label);
    }
    return true;
}

std::vector<std::string> CWndTextList::Wrap(const char* text)
{
    std::vector<std::string> lines;
    if (!text || !m_pFont)
        return lines;
    const std::string s = text;
    std::string line;
    bool open = false;  // a line has been started (an empty line between two breaks counts)
    TextSize size{};
    for (size_t i = 0; i < s.size();) {
        const uint8_t b = static_cast<uint8_t>(s[i]);
        if (b == '\r' || b == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            i += (b == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        const size_t n =
            (IsLead(b) && i + 1 < s.size() && IsTrail(static_cast<uint8_t>(s[i + 1]))) ? 2 : 1;
        const std::string candidate = line + s.substr(i, n);
        size = TextSize{};
        const bool fits = m_pFont->GetTextExtent(candidate.c_str(), &size) && size.cx <= m_nWidth;
        if (!fits && !line.empty()) {
            // The character starts the next line; a line always takes at least one character.
            lines.push_back(line);
            line.clear();
            continue;
        }
        line = candidate;
        open = true;
        i += n;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

void CWndTextList::AddText(const char* text, uint32_t colour)
{
    if (!text)
        return;
    for (const std::string& line : Wrap(text))
        AddLine(line, colour);
}

void CWndTextList::AddLine(const std::string& line, uint32_t colour)
{
    if (m_Rows.empty())
        return;
    CDXLabel* recycled = m_Rows.front();
    m_Rows.erase(m_Rows.begin());
    m_Rows.push_back(recycled);
    for (size_t k = 0; k < m_Rows.size(); ++k)
        m_Rows[k]->SetY(static_cast<int>(k) * m_nRowHeight);
    recycled->SetText(line.c_str(), colour);
}

void CWndTextList::Clear()
{
    for (CDXLabel* row : m_Rows)
        if (!row->GetText().empty())
            row->SetText("");
}
