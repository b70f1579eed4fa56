#include "CWndLoginPanel.h"

#include <cstdio>
#include <cstdlib>

#include "AppWindow.h"
#include "Base/CXLog.h"
#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXEdit.h"
#include "CDlgCommon.h"
#include "CUIRes.h"
#include "CWndMain.h"
#include "CXGfxDevice.h"
#include "CXSound.h"
#include "CXSoundMgr.h"
#include "NetClientGlobal.h"
#include "ServerList.h"

namespace {

std::string s_saveFolder;
uint16_t s_port = HiNetworkClient::kDefaultPort;

}  // namespace

void CWndLoginPanel::SetSaveFolder(const std::string& folder)
{
    s_saveFolder = folder;
}
void CWndLoginPanel::SetServerPort(uint16_t port)
{
    s_port = port;
}

std::string CWndLoginPanel::SavePath()
{
    if (!s_saveFolder.empty())
        return s_saveFolder + "save.dat";
    return ModuleFilePath("save.dat");
}

bool CWndLoginPanel::Create(CDXWnd* parent)
{
    if (!g_pUIRes)
        return false;
    CUIFrames* frames = g_pUIRes->GetFrames(10);
    if (!CreateWidget(679, 676, frames->GetWidth(0), frames->GetHeight(0), kId, parent, 1, 255))
        return false;
    SetFrames(frames);
    CXFont* font = g_pAppCore ? g_pAppCore->Font06 : nullptr;
    m_pIdEdit = CreateEdit(kIdEditId, font, 200, 129, 300, 40, kMaxText, false);
    m_pPasswordEdit = CreateEdit(kPasswordEditId, font, 200, 205, 300, 40, kMaxText, true);
    if (!m_pIdEdit || !m_pPasswordEdit)
        return false;
    for (CDXEdit* edit : {m_pIdEdit, m_pPasswordEdit}) {
        edit->SetTextColour(0xFFFFFFFF);
        edit->SetColour(0xFF808080);
    }
    m_pIdEdit->TakeFocus();
    platform::ShowCursor(true);
    m_pLoginButton = CreateButton(kLoginButtonId, 223, 285, g_pUIRes->GetFrames(11), nullptr);
    if (!m_pLoginButton)
        return false;
    if (CXSoundMgr* sounds = g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr) {
        char path[260];
        std::snprintf(path, sizeof path, "%s/login.wav", "./data_ui");
        m_pLoginSound = sounds->LoadSound(path, 1);
        if (m_pLoginSound)
            m_pLoginSound->Play(false, true);
    }
    m_pIdEdit->SetText("");
    m_pPasswordEdit->SetText("");
    LoadServerList();
    return true;
}

void CWndLoginPanel::LoadServerList()
{
    const ServerChoice choice = ReadServerChoice(SavePath());
    m_nVariant = choice.nVariant;
    m_nServerIndex = choice.nIndex;
    if (m_nVariant < 0)
        m_nVariant = std::rand() % 4;
    m_ServerList = BuildServerList(m_nVariant);
    if (static_cast<uint32_t>(m_nServerIndex) >= m_ServerList.size())
        m_nServerIndex = 0;
}

void CWndLoginPanel::SaveServerChoice()
{
    if (!WriteServerChoice(SavePath(), ServerChoice{m_nVariant, m_nServerIndex}))
        CX_LOG_ERROR("CWndLoginPanel::SaveServerChoice", "cannot write %s", SavePath().c_str());
}

bool CWndLoginPanel::CheckInput()
{
    m_pIdEdit->GetText();
    m_pPasswordEdit->GetText();
    if (m_pIdEdit->GetTextBuffer()[0] && m_pPasswordEdit->GetTextBuffer()[0])
        return true;
    if (CDlgCommon* box = MainMessageBox())
        box->ShowMessage("아이디와 암호를 올바르게 입력해 주십시오", "로그인", false, -1, -1);
    return false;
}

bool CWndLoginPanel::SendLogin()
{
    return g_NetClient &&
           g_NetClient->ReqLogin(m_pIdEdit->GetTextBuffer(), m_pPasswordEdit->GetTextBuffer());
}

void CWndLoginPanel::Login()
{
    if (!CheckInput())
        return;
    if (!g_NetClient) {
        CX_LOG_ERROR("CWndLoginPanel::Login", "no protocol client.");
        return;
    }
    Enable(false);
    if (g_NetClient->IsConnected()) {
        SendLogin();
        return;
    }
    if (m_ServerList.empty() ||
        !g_NetClient->Connect(m_ServerList[static_cast<size_t>(m_nServerIndex)].c_str(), s_port)) {
        CX_LOG_ERROR("CWndLoginPanel::Login", "connect refused.");
        Enable(true);
    }
}

void CWndLoginPanel::AdvanceServer()
{
    if (m_ServerList.empty())
        return;
    m_nServerIndex = (m_nServerIndex + 1) % static_cast<int32_t>(m_ServerList.size());
}

int CWndLoginPanel::OnChar(int key)
{
    CDXWnd* focus = nullptr;
    if (m_pIdEdit->HasKeyboardFocus())
        focus = m_pIdEdit;
    else if (m_pPasswordEdit->HasKeyboardFocus())
        focus = m_pPasswordEdit;
    switch (key) {
    case 9:
        if (focus == m_pIdEdit)
            m_pPasswordEdit->TakeFocus();
        else
            m_pIdEdit->TakeFocus();
        return 0;
    case 13:
        if (focus == m_pIdEdit)
            m_pPasswordEdit->TakeFocus();
        else if (focus == m_pPasswordEdit)
            Login();
        else
            m_pIdEdit->TakeFocus();
        return 0;
    case 27:
        if (g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
        platform::SetCursor(platform::LoadArrowCursor());
        platform::ShowCursor(true);
        return 1;
    default:
        return 1;
    }
}

void CWndLoginPanel::OnClick(int id)
{
    if (id == kLoginButtonId)
        Login();
}
