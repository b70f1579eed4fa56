#include "CDlgInquiry.h"

#include <string>

#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDXLabel.h"
#include "CDlgCommon.h"
#include "CUIRes.h"
#include "CWndTextList.h"
#include "NetworkClient.h"
#include "platform/codepage.h"

bool CDlgInquiry::Create(CDXWnd* parent, CXFont* listFont, CXFont* labelFont, CXFont* editFont)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(65)))
        return false;
    m_bVisible = 0;
    m_pList = new CWndTextList();
    if (!m_pList->Create(kListId, this, 52, 103, 810, 330, listFont, kFirstLineId, kLines, 1.18f)) {
        if (!m_pList->GetParent())
            delete m_pList;
        m_pList = nullptr;
    }
    m_pLabel = CreateLabel(kLabelId, labelFont, 46, 225, 823, 100, true);
    if (m_pLabel) {
        m_pLabel->SetAlign(TEXTTEX_CENTER | TEXTTEX_VCENTER);
        m_pLabel->Show(false);
    }
    m_pEdit = CreateEdit(kEditId, editFont, 40, 510, 700, 40, kMaxInputChars, false);
    CUIFrames* call = g_pUIRes->GetFrames(66);
    m_pCall = CreateButton(kCallId, m_nWidth / 2 - call->GetWidth(0) / 2, 220, call, nullptr);
    m_pSend = CreateButton(kSendId, 770, 510, g_pUIRes->GetFrames(67), nullptr);
    const bool closeMade = AddDialogCloseButton(this, kCloseId) != nullptr;
    return m_pList && m_pLabel && m_pEdit && m_pCall && m_pSend && closeMade;
}

void CDlgInquiry::OnShow(bool show)
{
    if (!show)
        return;
    m_bCallOk = false;
    if (m_pList) {
        m_pList->Clear();
        m_pList->Show(false);
    }
    if (m_pLabel)
        m_pLabel->Show(false);
    if (m_pEdit) {
        m_pEdit->SetText("");
        m_pEdit->Show(false);
    }
    if (m_pSend)
        m_pSend->Show(false);
    if (m_pCall)
        m_pCall->Show(true);
}

void CDlgInquiry::SetCallState(bool ok)
{
    if (ok && !m_bVisible)
        Show(true);
    m_bCallOk = ok;
    if (m_pEdit) {
        m_pEdit->SetText("");
        m_pEdit->Show(ok);
    }
    if (m_pSend)
        m_pSend->Show(ok);
    if (!ok) {
        if (m_pLabel) {
            m_pLabel->SetText("호출에 실패하였습니다.\n잠시후에 이용하여 주십시오.");
            m_pLabel->Show(true);
        }
        return;
    }
    if (m_pCall)
        m_pCall->Show(false);
    if (m_pLabel)
        m_pLabel->Show(false);
    if (m_pList)
        m_pList->Show(true);
    if (m_pEdit)
        m_pEdit->TakeFocus();
}

bool CDlgInquiry::SendInput()
{
    if (!m_pEdit)
        return false;
    const std::string text = m_pEdit->GetTextBuffer();
    bool sent = false;
    if (!text.empty()) {
        char16_t wide[kMaxSendUnits];
        platform::Cp949ToUtf16(text.c_str(), wide, kMaxSendUnits);
        sent = m_pNet && m_pNet->ReqInquiry(wide);
    }
    m_pEdit->SetText("");
    return sent;
}

void CDlgInquiry::OnClick(int id)
{
    switch (id) {
    case kCallId:
        if (m_pLabel) {
            m_pLabel->SetText("호출하는 중입니다...");
            m_pLabel->Show(true);
        }
        if (m_pCall)
            m_pCall->Show(false);
        if (m_pNet)
            m_pNet->ReqStaffCall();
        break;
    case kSendId:
        SendInput();
        break;
    case kCloseId:
        Show(false);
        break;
    default:
        break;
    }
}

int CDlgInquiry::OnKeyDown(int key)
{
    if (key != VK_RETURN && key != VK_ESCAPE)
        return 1;
    const bool inEdit = m_pEdit && m_pEdit->HasKeyboardFocus();
    if (key == VK_RETURN) {
        if (inEdit)
            SendInput();
        else if (m_pEdit && m_pEdit->IsVisible())
            m_pEdit->TakeFocus();
    } else if (inEdit) {
        m_pEdit->SetText("");
    }
    return 0;
}
