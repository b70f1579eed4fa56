#include "CDlgExchangeMoney.h"

#include <cstdio>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDlgCommon.h"
#include "CUIFrames.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "EditAmount.h"
#include "NetClientGlobal.h"
#include "platform/codepage.h"
#include "platform/text.h"

namespace {

constexpr const char* kTitle = "환전";
// UTF-16 units of the bank and holder names, the terminator included.
constexpr int kMaxNameUnits = 21;
// Bytes of the joined telephone number, the terminator included.
constexpr int kPhoneBytes = 20;

// The seven edits in focus order, with what they accept.
struct EditRow {
    int id;
    int x, y, width;
    int maxLength;
    bool digits;
    bool amount;
};

constexpr EditRow kEditRows[CDlgExchangeMoney::kEdits] = {
    {CDlgExchangeMoney::kAmountId, 300, 120, 430, 7, true, true},
    {CDlgExchangeMoney::kBankId, 300, 190, 430, 20, false, false},
    {CDlgExchangeMoney::kAccountId, 300, 260, 430, 20, true, false},
    {CDlgExchangeMoney::kHolderId, 300, 330, 430, 20, false, false},
    {CDlgExchangeMoney::kPhone1Id, 300, 400, 116, 3, true, false},
    {CDlgExchangeMoney::kPhone2Id, 489, 400, 116, 4, true, false},
    {CDlgExchangeMoney::kPhone3Id, 670, 400, 116, 4, true, false},
};

// The checks after the amount's, in order: the edit that must not be empty and the text saying so.
struct Required {
    int order;
    const char* text;
};

constexpr Required kRequired[] = {
    {1, "은행명을 입력하여 주십시오."},   {2, "계좌번호를 입력하여 주십시오."},
    {3, "예금주를 입력하여 주십시오."},   {4, "전화번호를 입력하여 주십시오."},
    {5, "전화번호를 입력하여 주십시오."}, {6, "전화번호를 입력하여 주십시오."},
};

bool IsEmpty(const CDXEdit* edit)
{
    return !edit || edit->GetTextBuffer()[0] == '\0';
}

void ShowFault(const char* text, int focusEditId)
{
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage(text, kTitle, false, CDlgExchangeMoney::kId, focusEditId);
}

}  // namespace

bool CDlgExchangeMoney::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !g_pAppCore || !CreateCentred(kId, parent, g_pUIRes->GetFrames(57)))
        return false;
    m_bVisible = 0;
    for (int i = 0; i < kEdits; ++i) {
        const EditRow& row = kEditRows[i];
        CDXEdit* edit = CreateEdit(row.id, g_pAppCore->Font07, row.x, row.y, row.width, 40,
                                   row.maxLength, false);
        if (!edit)
            return false;
        edit->SetTextFormat(TEXT_DT_RIGHT | TEXT_DT_VCENTER);
        if (row.digits)
            edit->SetAllowed("0123456789");
        edit->SetNumberFormat(row.amount);
        m_apEdits[i] = edit;
    }
    CUIFrames* request = g_pUIRes->GetFrames(58);
    const int requestX = m_nWidth / 2 - (request ? request->GetWidth(0) : 0) / 2;
    return CreateButton(kRequestId, requestX, 720, request, nullptr) &&
           AddDialogCloseButton(this, kCloseId) != nullptr;
}

bool CDlgExchangeMoney::CheckInput()
{
    const int amount = EditAmount(m_apEdits[0]);
    if (amount % 100 != 0 || amount < kMinAmount) {
        ShowFault("금액을 올바르게 입력하여 주십시오.", kAmountId);
        return false;
    }
    for (const Required& r : kRequired) {
        if (IsEmpty(m_apEdits[r.order])) {
            // Any missing part of the telephone number sends the player to its first part.
            ShowFault(r.text, r.order >= 4 ? kPhone1Id : kEditRows[r.order].id);
            return false;
        }
    }
    return true;
}

bool CDlgExchangeMoney::Send()
{
    char phone[kPhoneBytes];
    std::snprintf(phone, sizeof phone, "%s%s%s", m_apEdits[4]->GetTextBuffer(),
                  m_apEdits[5]->GetTextBuffer(), m_apEdits[6]->GetTextBuffer());
    char16_t bank[kMaxNameUnits];
    char16_t holder[kMaxNameUnits];
    platform::Cp949ToUtf16(m_apEdits[1]->GetTextBuffer(), bank, kMaxNameUnits);
    platform::Cp949ToUtf16(m_apEdits[3]->GetTextBuffer(), holder, kMaxNameUnits);
    return g_NetClient &&
           g_NetClient->ReqExchange(static_cast<uint32_t>(EditAmount(m_apEdits[0])), bank, holder,
                                    m_apEdits[2]->GetTextBuffer(), phone);
}

int CDlgExchangeMoney::OnChar(int code)
{
    int focused = -1;
    for (int i = 0; i < kEdits; ++i)
        if (m_apEdits[i] && m_apEdits[i]->HasKeyboardFocus())
            focused = i;
    if (code == 9 || code == 13) {
        if (focused >= 0) {
            if (CDXEdit* next = m_apEdits[(focused + 1) % kEdits])
                next->TakeFocus();
            return 0;
        }
        if (m_apEdits[0] && g_hDXWnd && platform::GetFocus() == g_hDXWnd)
            m_apEdits[0]->TakeFocus();
        return 1;
    }
    if (code == 27 && focused >= 0) {
        if (g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
        return 0;
    }
    return 1;
}
