#include "CWndGameInfo.h"

#include <new>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXLabel.h"
#include "CDXRadioButton.h"
#include "CDlgGameExit.h"
#include "CUIFrames.h"
#include "CUIRes.h"
#include "CWndGame.h"
#include "CWndGameNotice.h"
#include "CWndMain.h"
#include "CXGfxDevice.h"
#include "CXLog.h"
#include "CXSoundMgr.h"
#include "FormatThousands.h"
#include "MachineTable.h"

namespace {

// The panel's buttons and the lobby dialog each one opens (by the dialog's id; 0: the main
// window's exit dialog).
struct InfoButton {
    int id;
    int imageSet;
    int x, y;
    int dialogId;
};

constexpr InfoButton kInfoButtons[CWndGameInfo::kButtons] = {
    {73, 14, 284, 185, 467},  // gift tickets
    {77, 15, 17, 241, 431},   // charge
    {78, 16, 138, 241, 420},  // exchange
    {79, 22, 256, 241, 438},  // reserve machines
    {74, 21, 17, 278, 465},   // required reading
    {75, 18, 138, 278, 406},  // explanation
    {76, 20, 256, 278, 411},  // my reservations
    {80, 13, 17, 315, 446},   // staff call
    {81, 19, 138, 315, 413},  // machine information
    {82, 17, 256, 315, 0},    // quit
};

CXSoundMgr* SoundMgr()
{
    return g_pGfxDevice ? g_pGfxDevice->GetSoundMgr() : nullptr;
}

}  // namespace

bool CWndGameInfo::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !g_pAppCore)
        return false;
    CUIFrames* background = g_pUIRes->GetFrames(34);
    if (!CreateWidget(1538, 698, background ? background->GetWidth(0) : 0,
                      background ? background->GetHeight(0) : 0, kId, parent, 1, 255))
        return false;
    SetFrames(background);

    CXSoundMgr* sounds = SoundMgr();
    for (int k = 0; k < kSoundSwitches; ++k) {
        m_apSound[k] =
            CreateRadioButton(kFirstSoundId + k, 95 + 70 * k, 78, g_pUIRes->GetFrames(23), true);
        if (!m_apSound[k])
            return false;
        m_apSound[k]->SetChecked(!(sounds && sounds->IsGroupMuted(k)));
    }
    for (int i = 0; i < kButtons; ++i) {
        const InfoButton& b = kInfoButtons[i];
        m_apButtons[i] = CreateButton(b.id, b.x, b.y, g_pUIRes->GetFrames(b.imageSet), nullptr);
        if (!m_apButtons[i])
            return false;
    }
    m_pMoney = CreateLabel(kMoneyId, g_pAppCore->Font12, 100, 130, 220, 30, true);
    m_pTickets = CreateLabel(kTicketsId, g_pAppCore->Font12, 100, 185, 140, 30, true);
    if (!m_pMoney || !m_pTickets)
        return false;
    for (CDXLabel* label : {m_pMoney, m_pTickets}) {
        label->SetColour(kLabelColour);
        label->SetAlign(TEXTTEX_RIGHT | TEXTTEX_VCENTER);
    }

    m_pNotice = new (std::nothrow) CWndGameNotice;
    if (!m_pNotice)
        return false;
    if (!m_pNotice->Create(kNoticeId, this, g_pAppCore->Font12, 18, 28, 350, 27)) {
        if (m_pNotice->GetParent() != this)
            delete m_pNotice;
        m_pNotice = nullptr;
        return false;
    }
    RefreshMoney();
    RefreshGiftTickets();
    return true;
}

void CWndGameInfo::RefreshMoney()
{
    char text[1024];
    if (m_pMoney && FormatThousands(g_MachineTable.m_nMoney, text, sizeof text) > 0 &&
        text[0] != '\0')
        m_pMoney->SetText(text);
}

void CWndGameInfo::RefreshGiftTickets()
{
    char text[1024];
    if (m_pTickets && FormatThousands(g_MachineTable.m_nGiftTickets, text, sizeof text) > 0 &&
        text[0] != '\0')
        m_pTickets->SetText(text);
}

CDXRadioButton* CWndGameInfo::GetSoundSwitch(int k) const
{
    return k >= 0 && k < kSoundSwitches ? m_apSound[k] : nullptr;
}

CDXButton* CWndGameInfo::GetButton(int id) const
{
    for (int i = 0; i < kButtons; ++i)
        if (kInfoButtons[i].id == id)
            return m_apButtons[i];
    return nullptr;
}

void CWndGameInfo::OnClick(int id)
{
    CWndGame* lobby = dynamic_cast<CWndGame*>(m_pParent);
    if (!lobby)
        return;
    for (const InfoButton& b : kInfoButtons) {
        if (b.id != id)
            continue;
        if (b.dialogId == 0) {
            if (g_pWndMain && g_pWndMain->GetExitDialog())
                g_pWndMain->GetExitDialog()->Show(true);
            return;
        }
        CDXWnd* dialog = lobby->FindById(b.dialogId);
        if (dialog && dialog->GetType() == DXWND_DIALOG)
            dialog->Show(true);
        else
            CX_LOG_SYSTEM("CWndGameInfo::OnClick",
                          "the lobby has no dialog %d; button %d does nothing", b.dialogId, id);
        return;
    }
}

void CWndGameInfo::OnRadioSelect(int id)
{
    const int k = id - kFirstSoundId;
    if (k < 0 || k >= kSoundSwitches || !m_apSound[k])
        return;
    if (CXSoundMgr* sounds = SoundMgr())
        sounds->SetGroupMute(k, !m_apSound[k]->IsChecked());
}
