#include "CDlgReserveInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CUIRes.h"
#include "CWndGameLogRows.h"
#include "CXFont.h"
#include "NetClientGlobal.h"

namespace {

constexpr int kBackgroundSlot = 53;
constexpr int kOkSlot = 54;

struct Column {
    int x;
    int width;
};
constexpr Column kColumnPlaces[CDlgReserveInfo::kColumns] = {
    {300, 70}, {370, 70}, {440, 70}, {510, 70}, {615, 220}, {835, 20}, {855, 220}};

CXFont* RowFont()
{
    return g_pAppCore ? g_pAppCore->Font12 : nullptr;
}

float RowY(int row)
{
    const CXFont* font = RowFont();
    const float height = font ? static_cast<float>(std::abs(font->GetHeight())) : 0.0f;
    return 120.0f + static_cast<float>(row) * 1.2f * height;
}

}  // namespace

bool CDlgReserveInfo::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(kBackgroundSlot)))
        return false;
    m_bVisible = 0;
    CXFont* font = RowFont();
    const float height = font ? static_cast<float>(std::abs(font->GetHeight())) : 0.0f;
    for (auto& row : m_Rows) {
        row = std::make_unique<Row>();
        for (int c = 0; c < kColumns; ++c)
            row->cells[c].text.Create(font, static_cast<float>(kColumnPlaces[c].width), height,
                                      0xFFFFFFFF, TEXTTEX_CENTER, true);
    }
    CUIFrames* ok = g_pUIRes->GetFrames(kOkSlot);
    return CreateButton(kOkId, m_nWidth / 2 - ok->GetWidth(0) / 2, 420, ok, nullptr) != nullptr;
}

void CDlgReserveInfo::Show(bool show)
{
    CDXDialog::Show(show);
    if (!show || !m_bVisible)
        return;
    for (auto& row : m_Rows)
        for (Cell& cell : row->cells)
            SetCell(cell, "", m_dwColour);
    if (g_NetClient)
        g_NetClient->ReqReserveInfo();
}

void CDlgReserveInfo::OnClick(int id)
{
    if (id == kOkId)
        Show(false);
}

void CDlgReserveInfo::SetCell(Cell& cell, const char* text, uint32_t dwColour)
{
    cell.dwColour = dwColour;
    cell.text.SetText(text);
}

void CDlgReserveInfo::AddRow(const char* pszStart, const char* pszEnd,
                             const int32_t (&gameTypes)[4], const int32_t (&machines)[4])
{
    std::rotate(std::begin(m_Rows), std::end(m_Rows) - 1, std::end(m_Rows));
    Row& row = *m_Rows[0];
    SetCell(row.cells[kStartColumn], pszStart, m_dwColour);
    SetCell(row.cells[kSeparatorColumn], "-", m_dwColour);
    SetCell(row.cells[kEndColumn], pszEnd, m_dwColour);
    for (int k = 0; k < 4; ++k) {
        Cell& cell = row.cells[kFirstMachineColumn + k];
        if (machines[k] <= 0) {
            SetCell(cell, "", m_dwColour);
            continue;
        }
        char text[16];
        std::snprintf(text, sizeof text, "[%03d]", machines[k]);
        SetCell(cell, text, GameTypeColour(gameTypes[k]));
    }
}

const std::string& CDlgReserveInfo::GetText(int row, int column) const
{
    static const std::string empty;
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return empty;
    return m_Rows[row]->cells[column].text.GetText();
}

uint32_t CDlgReserveInfo::GetTextColour(int row, int column) const
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return 0;
    return m_Rows[row]->cells[column].dwColour;
}

void CDlgReserveInfo::OnLayout()
{
    for (auto& row : m_Rows)
        for (Cell& cell : row->cells)
            cell.text.Render();
    CDXDialog::OnLayout();
}

int CDlgReserveInfo::OnDraw()
{
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const Cell& cell = m_Rows[r]->cells[c];
            cell.text.Draw(x + static_cast<float>(kColumnPlaces[c].x), y + RowY(r), cell.dwColour);
        }
    return 1;
}
