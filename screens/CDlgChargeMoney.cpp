#include "CDlgChargeMoney.h"

#include <cstdio>
#include <string>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDlgCommon.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "EditAmount.h"
#include "FormatThousands.h"
#include "NetClientGlobal.h"
#include "platform/codepage.h"
#include "platform/text.h"

namespace {

constexpr const char* kTitle = "충전";
// UTF-16 units of the sender's name, the terminator included.
constexpr int kMaxNameUnits = 21;
// What the limit text names: the first amount that cannot be charged.
constexpr int kRefusedFrom = 2000000;

}  // namespace

bool CDlgChargeMoney::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !g_pAppCore || !CreateCentred(kId, parent, g_pUIRes->GetFrames(59)))
        return false;
    m_bVisible = 0;
    m_pAmount = CreateEdit(kAmountId, g_pAppCore->Font07, 395, 259, 465, 40, 7, false);
    m_pSender = CreateEdit(kSenderId, g_pAppCore->Font07, 395, 329, 465, 40, 20, false);
    if (!m_pAmount || !m_pSender)
        return false;
    for (CDXEdit* edit : {m_pAmount, m_pSender})
        edit->SetTextFormat(TEXT_DT_RIGHT | TEXT_DT_VCENTER);
    m_pAmount->SetAllowed("0123456789");
    m_pAmount->SetNumberFormat(true);
    const bool buttons = CreateButton(kRequestId, 300, 670, g_pUIRes->GetFrames(60), nullptr) &&
                         CreateButton(kCheckId, 600, 670, g_pUIRes->GetFrames(61), nullptr);
    return buttons && AddDialogCloseButton(this, kCloseId) != nullptr;
}

bool CDlgChargeMoney::CheckInput()
{
    const int amount = EditAmount(m_pAmount);
    const char* fault = nullptr;
    int focusId = kAmountId;
    char limitText[160];
    if (amount % 100 == 0 && amount >= kMinAmount && amount <= kMaxAmount) {
        if (m_pSender && m_pSender->GetTextBuffer()[0] != '\0')
            return true;
        fault = "송금자를 입력하여 주십시오.";
        focusId = kSenderId;
    } else if (amount <= kMaxAmount) {
        fault = "금액을 올바르게 입력하여 주십시오.";
    } else {
        char limit[32];
        FormatThousands(kRefusedFrom, limit, sizeof limit);
        std::snprintf(limitText, sizeof limitText,
                      "금액을 올바르게 입력하여 주십시오.\n%s원 이상은 충전신청 하실 수 없습니다.",
                      limit);
        fault = limitText;
    }
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage(fault, kTitle, false, kId, focusId);
    return false;
}

bool CDlgChargeMoney::Send()
{
    char16_t name[kMaxNameUnits];
    platform::Cp949ToUtf16(m_pSender->GetTextBuffer(), name, kMaxNameUnits);
    return g_NetClient &&
           g_NetClient->ReqCharge(static_cast<uint32_t>(EditAmount(m_pAmount)), name);
}

void CDlgChargeMoney::OnClick(int id)
{
    if (id == kCheckId)
        CheckInput();
    else
        CDlgMoneyRequest::OnClick(id);
}

int CDlgChargeMoney::OnChar(int code)
{
    if (!m_pAmount || !m_pSender)
        return 1;
    const bool inAmount = m_pAmount->HasKeyboardFocus();
    const bool inSender = m_pSender->HasKeyboardFocus();
    if (code == 9 || code == 13) {
        if (inAmount)
            m_pSender->TakeFocus();
        else
            m_pAmount->TakeFocus();
        return 0;
    }
    if (code == 27 && (inAmount || inSender)) {
        if (g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
        return 0;
    }
    return 1;
}
