#include "CDlgMachineSelect.h"

#include <new>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXRadioButton.h"
#include "CUIRes.h"
#include "CWndGameChannel.h"
#include "NetClientGlobal.h"

namespace {

constexpr int kBackgroundSlot = 35;
constexpr int kCancelImageBase = 39;  // + type

struct TabRow {
    int32_t nGameType;
    int nImageSlot;
    int nBackgroundState;
};
// In the order they stand left to right: type 4 sits third, type 3 fourth.
constexpr TabRow kTabs[] = {{1, 36, 0}, {2, 37, 1}, {4, 39, 1}, {3, 38, 2}};

bool IsGameType(int32_t nType)
{
    return nType >= 1 && nType <= 4;
}

int BackgroundState(int32_t nType)
{
    for (const TabRow& row : kTabs)
        if (row.nGameType == nType)
            return row.nBackgroundState;
    return 0;
}

}  // namespace

bool CDlgMachineSelect::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(kBackgroundSlot)))
        return false;
    m_bVisible = 0;
    const int w = g_pUIRes->GetFrames(36)->GetWidth(0);
    for (int i = 0; i < 4; ++i) {
        const TabRow& row = kTabs[i];
        CDXRadioButton* tab = CreateRadioButton(84 + row.nGameType, 76 + i * w, 15,
                                                g_pUIRes->GetFrames(row.nImageSlot), false);
        if (!tab)
            return false;
        m_pTabs[row.nGameType - 1] = tab;
    }
    m_pCancel =
        CreateButton(kCancelId, 638, 807, g_pUIRes->GetFrames(kCancelImageBase + m_nGameType),
                     g_pAppCore ? g_pAppCore->Font11 : nullptr);
    if (!m_pCancel)
        return false;
    m_pCancel->SetCaption("취소");
    for (int32_t type = 1; type <= 4; ++type) {
        auto* page = new (std::nothrow) CWndGameChannel;
        if (!page)
            return false;
        if (!page->Create(type, this, 0, kPageY, m_nWidth, kPageHeight)) {
            if (page->GetParent() != this)
                delete page;
            return false;
        }
        page->Show(false);
        m_pPages[type - 1] = page;
    }
    return true;
}

CWndGameChannel* CDlgMachineSelect::GetPage(int32_t nGameType) const
{
    return IsGameType(nGameType) ? m_pPages[nGameType - 1] : nullptr;
}

CDXRadioButton* CDlgMachineSelect::GetTab(int32_t nGameType) const
{
    return IsGameType(nGameType) ? m_pTabs[nGameType - 1] : nullptr;
}

void CDlgMachineSelect::OpenFor(int32_t nGameType, int32_t nDeck)
{
    m_nDeck = nDeck;
    ChooseType(IsGameType(nGameType) ? nGameType : 1);
}

void CDlgMachineSelect::ShowPage(int32_t nGameType)
{
    if (!IsGameType(nGameType))
        return;
    SelectRadio(kFirstTabId, kLastGroupId, 84 + nGameType);
    if (m_pCancel) {
        CUIFrames* frames = g_pUIRes ? g_pUIRes->GetFrames(kCancelImageBase + nGameType) : nullptr;
        if (frames && frames->Get(0))
            m_pCancel->SetFrames(frames);
    }
    for (int i = 0; i < 4; ++i)
        if (m_pPages[i] && i + 1 != nGameType)
            m_pPages[i]->Show(false);
    if (m_pPages[nGameType - 1])
        m_pPages[nGameType - 1]->Show(true);
}

void CDlgMachineSelect::ChooseType(int32_t nGameType)
{
    m_nGameType = nGameType;
    m_nState = BackgroundState(nGameType);
    ShowPage(nGameType);
    Show(true);
    Enable(false);
    // Without a connection no list will come: the dialog stays usable so that it can be closed.
    if (!g_NetClient || !g_NetClient->ReqChannelInfo(static_cast<uint8_t>(nGameType)))
        Enable(true);
}

void CDlgMachineSelect::OnRadioSelect(int id)
{
    for (const TabRow& row : kTabs)
        if (id == 84 + row.nGameType) {
            ChooseType(row.nGameType);
            return;
        }
}

void CDlgMachineSelect::OnClick(int id)
{
    if (id == kCancelId)
        Show(false);
}
