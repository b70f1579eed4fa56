#include "CWndLogin.h"

#include "Base/CXLog.h"
#include "CDXEdit.h"
#include "CDlgCommon.h"
#include "CUIRes.h"
#include "CWndLoginPanel.h"
#include "CWndMain.h"
#include "NetClientGlobal.h"
#include "WindowMode.h"

bool CWndLogin::Create(int id, int)
{
    if (!g_pUIRes)
        return false;
    if (!CreateWidget(0, 0, 1920, 1080, id, nullptr, 1, 255))
        return false;
    SetFrames(g_pUIRes->GetFrames(7));
    auto* panel = new CWndLoginPanel();
    if (!panel->Create(this)) {
        if (panel->GetParent() != this)
            delete panel;
        return false;
    }
    m_pPanel = panel;
    ReleaseNetClient();
    if (!CreateNetClient())
        CX_LOG_ERROR("CWndLogin::Create", "no protocol client.");
    if (g_pWndMain) {
        g_pWndMain->SetLayoutEnabled(true);
        if (!g_bFullScreen)
            ApplyWindowMode();
        g_pWndMain->Relayout();
    }
    return true;
}

void CWndLogin::OnConnected()
{
    if (!m_pPanel->CheckInput())
        return;
    m_pPanel->SaveServerChoice();
    m_pPanel->Enable(false);
    m_pPanel->SendLogin();
}

void CWndLogin::OnConnectFailed()
{
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage("로그인에 실패하였습니다.", "로그인", false, -1, -1);
    m_pPanel->AdvanceServer();
    m_pPanel->Enable(true);
}

void CWndLogin::AnsLogin(int code)
{
    if (code != 0) {
        m_pPanel->Enable(true);
        if (CDlgCommon* box = MainMessageBox())
            box->ShowErrorCode(code, "로그인");
        return;
    }
    if (g_NetClient)
        g_NetClient->ReqVersionCheck();
}

void CWndLogin::AnsVersionCheck(bool ok)
{
    if (ok) {
        if (g_NetClient)
            g_NetClient->ReqUserInfo();
        return;
    }
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage("새로운 버전이 있습니다.\n업데이트 해주시기 바랍니다.", "업데이트 필요",
                         true, -1, -1);
}
