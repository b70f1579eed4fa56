#include "CWndGameChat.h"

#include <cstdio>
#include <new>
#include <string>

#include "CAppCore.h"
#include "CDXEdit.h"
#include "CUIFrames.h"
#include "CUIRes.h"
#include "CWndGameChatList.h"
#include "CWndGameNotice.h"
#include "CWndGamePrizeList.h"
#include "NetClientGlobal.h"
#include "platform/codepage.h"

namespace {

constexpr uint32_t kWelcomeColour = 0xFFFFFF00;

// Makes a child with new and lets create build it; a child that did not join the tree is deleted
// here (one that did is deleted with its parent). The child, or null.
template <class T, class Create>
T* MakeChild(CDXWnd* parent, Create&& create)
{
    T* child = new (std::nothrow) T;
    if (child && !create(child)) {
        if (child->GetParent() != parent)
            delete child;
        return nullptr;
    }
    return child;
}

}  // namespace

bool CWndGameChat::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !g_pAppCore)
        return false;
    CUIFrames* background = g_pUIRes->GetFrames(33);
    if (!CreateWidget(0, 698, background ? background->GetWidth(0) : 0,
                      background ? background->GetHeight(0) : 0, kId, parent, 1, 255))
        return false;
    SetFrames(background);

    m_pWelcome = MakeChild<CWndGameNotice>(this, [this](CWndGameNotice* p) {
        p->SetColour(kWelcomeColour);
        return p->Create(kWelcomeId, this, g_pAppCore->Font12, 18, 13, 350, 27);
    });
    m_pPrizeList = MakeChild<CWndGamePrizeList>(this, [this](CWndGamePrizeList* p) {
        return p->Create(kPrizeListId, this, g_pAppCore->Font08, 0, 75, m_nWidth, kFirstPrizeRowId);
    });
    if (!m_pWelcome || !m_pPrizeList)
        return false;
    m_pChatList = new (std::nothrow) CWndGameChatList(this);
    if (!m_pChatList)
        return false;
    if (!m_pChatList->Create(kChatListId, this, 21, 188, 345, 140, g_pAppCore->Font09,
                             kFirstChatLineId, kChatLines, 1.1f)) {
        if (m_pChatList->GetParent() != this)
            delete m_pChatList;
        m_pChatList = nullptr;
        return false;
    }
    m_pEdit = CreateEdit(kEditId, g_pAppCore->Font07, 22, 343, 340, 24, kMaxInputChars, false);
    if (!m_pEdit)
        return false;

    char welcome[160];
    std::snprintf(welcome, sizeof welcome, "%s에 오신것을 환영합니다. 좋은 시간 되시기를 바랍니다.",
                  "Brisvane");
    m_pWelcome->AddNotice(welcome);
    m_pWelcome->ShowNext(false);
    return true;
}

bool CWndGameChat::SendInput()
{
    if (!m_pEdit)
        return false;
    const std::string text = m_pEdit->GetTextBuffer();
    if (text.empty())
        return false;
    char16_t wide[kMaxSendUnits];
    platform::Cp949ToUtf16(text.c_str(), wide, kMaxSendUnits);
    if (!g_NetClient || !g_NetClient->ReqChat(wide))
        return false;
    m_pEdit->SetText("");
    platform::ShowCursor(true);
    return true;
}

int CWndGameChat::OnChar(int code)
{
    const bool inEdit = m_pEdit && m_pEdit->HasKeyboardFocus();
    switch (code) {
    case 13:
        if (inEdit) {
            SendInput();
            return 0;
        }
        if (m_pEdit && g_hDXWnd && platform::GetFocus() == g_hDXWnd) {
            m_pEdit->TakeFocus();
            return 0;
        }
        return 1;
    case 27:
        if (!inEdit)
            return 1;
        m_pEdit->SetText("");
        if (g_hDXWnd)
            platform::SetFocus(g_hDXWnd);
        return 0;
    default:
        return 1;
    }
}

void CWndGameChat::OnChildFocus(int id)
{
    if (id == kEditId)
        platform::ShowCursor(true);
    CDXWnd::OnChildFocus(id);
}
