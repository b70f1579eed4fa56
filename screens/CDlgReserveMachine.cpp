#include "CDlgReserveMachine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDXRadioButton.h"
#include "CDlgCommon.h"
#include "CGameBase.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CUIRes.h"
#include "CWndGameLogRows.h"
#include "CWndMain.h"
#include "NetClientGlobal.h"
#include "platform/keys.h"
#include "platform/line_editor.h"
#include "platform/text.h"

namespace {

constexpr int kBackgroundSlot = 62;
constexpr int kReserveSlot = 63;
constexpr int kCheckSlot = 64;
constexpr int kMachineTextX[4] = {139, 352, 569, 782};
constexpr int kMachineTextY = 215;
constexpr int kMachineTextWidth = 151;
constexpr int kMachineTextHeight = 40;
constexpr int kCheckX[4] = {194, 410, 632, 842};
constexpr int kCheckY = 330;
const char* const kErrorTitle = "기계예약 오류";

void ShowBox(const char* text, const char* title, int focusWindowId, int focusEditId)
{
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage(text, title, false, focusWindowId, focusEditId);
}

}  // namespace

bool CDlgReserveMachine::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(kBackgroundSlot)))
        return false;
    m_bVisible = 0;
    CUIFrames* reserve = g_pUIRes->GetFrames(kReserveSlot);
    m_pReserve =
        CreateButton(kReserveId, m_nWidth / 2 - reserve->GetWidth(0) / 2, 700, reserve, nullptr);
    m_pClose = AddDialogCloseButton(this, kCloseId);
    m_pHours = CreateEdit(kHoursEditId, g_pAppCore ? g_pAppCore->Font07 : nullptr, 490, 540, 166,
                          40, 2, false);
    if (!m_pReserve || !m_pClose || !m_pHours)
        return false;
    m_pHours->SetAllowed("0123456789");
    m_pHours->SetTextFormat(TEXT_DT_RIGHT | TEXT_DT_VCENTER);
    m_pHours->Enable(false);
    CXFont* font = g_pAppCore ? g_pAppCore->Font14 : nullptr;
    for (int k = 0; k < 4; ++k) {
        m_MachineTexts[k].Create(font, kMachineTextWidth, kMachineTextHeight, 0xFFFFFFFF,
                                 TEXTTEX_CENTER | TEXTTEX_VCENTER, true);
        m_pChecks[k] = CreateRadioButton(kFirstCheckId + k, kCheckX[k], kCheckY,
                                         g_pUIRes->GetFrames(kCheckSlot), true);
        if (!m_pChecks[k])
            return false;
    }
    return true;
}

CDXRadioButton* CDlgReserveMachine::GetCheck(int32_t nDeck) const
{
    return nDeck >= 0 && nDeck < 4 ? m_pChecks[nDeck] : nullptr;
}

const std::string& CDlgReserveMachine::GetMachineText(int32_t nDeck) const
{
    static const std::string empty;
    return nDeck >= 0 && nDeck < 4 ? m_MachineTexts[nDeck].GetText() : empty;
}

uint32_t CDlgReserveMachine::GetMachineColour(int32_t nDeck) const
{
    return nDeck >= 0 && nDeck < 4 ? m_dwMachineColours[nDeck] : 0;
}

void CDlgReserveMachine::Show(bool show)
{
    CDXDialog::Show(show);
    if (!show || !m_bVisible)
        return;
    if (m_pHours)
        m_pHours->SetText("");
    for (int k = 0; k < 4; ++k) {
        m_MachineTexts[k].SetText("");
        if (m_pChecks[k])
            m_pChecks[k]->SetChecked(false);
    }
    Enable(false);
    if (g_NetClient)
        g_NetClient->ReqReserveStatus();
}

void CDlgReserveMachine::RefreshDecks()
{
    Enable(true);
    for (int k = 0; k < 4; ++k) {
        CDXRadioButton* check = m_pChecks[k];
        if (!check)
            continue;
        check->SetChecked(false);
        CGameDeck* deck = g_pGameDeckList ? g_pGameDeckList->GetDeck(k) : nullptr;
        const CGameBase* game = deck ? deck->GetGame() : nullptr;
        if (!game || game->IsDemo()) {
            check->Enable(false);
            continue;
        }
        char text[16];
        std::snprintf(text, sizeof text, "%03d", game->m_nMachineNo);
        m_dwMachineColours[k] = GameTypeColour(game->m_nGameType);
        m_MachineTexts[k].SetText(text);
        check->Enable(true);
        check->SetChecked(true);
    }
    if (!m_pHours)
        return;
    // The edit is made disabled and opens for typing once the maximum is known.
    m_pHours->Enable(true);
    char hours[16];
    std::snprintf(hours, sizeof hours, "%d", m_nMaxHours);
    m_pHours->SetText(hours);
    if (!m_bEnabled)
        return;
    // The caret after the text, so that typing corrects the number from its end.
    const WPARAM end = std::strlen(hours);
    platform::SendMessage(m_pHours->GetEditWindow(), EM_SETSEL, end, static_cast<LPARAM>(end));
    m_pHours->TakeFocus();
}

bool CDlgReserveMachine::Reserve()
{
    const int32_t hours = m_pHours ? std::atoi(m_pHours->GetTextBuffer()) : 0;
    if (hours < 1 || hours > m_nMaxHours) {
        char text[96];
        std::snprintf(text, sizeof text, "설정 범위를 벗어났습니다(%d ~ %d)", 1, m_nMaxHours);
        ShowBox(text, kErrorTitle, kId, kHoursEditId);
        return false;
    }
    bool ticked[4] = {};
    bool any = false;
    for (int k = 0; k < 4; ++k) {
        ticked[k] = m_pChecks[k] && m_pChecks[k]->IsChecked();
        any = any || ticked[k];
    }
    if (!any) {
        ShowBox("선택한 기계가 없습니다.", kErrorTitle, kId, kHoursEditId);
        return false;
    }
    if (!g_NetClient ||
        !g_NetClient->ReqReserveMachine(hours, ticked[0], ticked[1], ticked[2], ticked[3]))
        return false;
    Show(false);
    ShowBox("예약 신청을 하였습니다", "기계예약", -1, -1);
    return true;
}

void CDlgReserveMachine::OnClick(int id)
{
    if (id == kReserveId)
        Reserve();
    else if (id == kCloseId)
        Show(false);
}

int CDlgReserveMachine::OnKeyDown(int key)
{
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE)
        return 1;
    const bool inEdit = m_pHours && m_pHours->HasKeyboardFocus();
    if (inEdit) {
        if (g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
    } else if (key != VK_ESCAPE && m_pHours) {
        m_pHours->TakeFocus();
    }
    return 0;
}

void CDlgReserveMachine::OnLayout()
{
    for (CTextTexture& text : m_MachineTexts)
        text.Render();
    CDXDialog::OnLayout();
}

int CDlgReserveMachine::OnDraw()
{
    const float x = static_cast<float>(AbsoluteX());
    const float y = static_cast<float>(AbsoluteY());
    for (int k = 0; k < 4; ++k)
        m_MachineTexts[k].Draw(x + kMachineTextX[k], y + kMachineTextY, m_dwMachineColours[k]);
    return 1;
}
