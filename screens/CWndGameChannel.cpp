#include "CWndGameChannel.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "CAppCore.h"
#include "CDlgMachineSelect.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CRdoMachine.h"
#include "CUIRes.h"
#include "CXLog.h"
#include "NetClientGlobal.h"

namespace {

constexpr int kChannelImageBase = 40;  // + type - 1
constexpr int kMachineImageBase = 44;  // + type - 1
constexpr int kDigitImages = 48;

// A channel button: a radio button whose caption is drawn in the page's caption font.
class CChannelButton : public CDXRadioButton {
public:
    bool Create(int id, int x, int y, CUIFrames* frames, CXFont* font, CDXWnd* parent)
    {
        if (!CreateRadioButton(id, x, y, frames, false, parent))
            return false;
        m_CaptionFont = CUIFont(font, m_nWidth, m_nHeight, m_dwCaptionColour, 5);
        return true;
    }
};

}  // namespace

bool CWndGameChannel::Create(int32_t nGameType, CDXWnd* parent, int x, int y, int width, int height)
{
    if (nGameType < 1 || nGameType > 4 || !g_pUIRes)
        return false;
    m_nGameType = nGameType;
    if (!CreateWidget(x, y, width, height, PageId(nGameType), parent, 0, 255))
        return false;
    m_MachineList.assign(static_cast<size_t>(m_nMachineCount), CChannelMachine{});
    m_nFirstMachineId = MachineBaseId(nGameType);
    m_nLastMachineId = m_nFirstMachineId + kMachinesPerChannel - 1;
    CUIFrames* frames = g_pUIRes->GetFrames(kMachineImageBase + nGameType - 1);
    CUIFrames* digits = g_pUIRes->GetFrames(kDigitImages);
    for (int i = 0; i < kMachinesPerChannel; ++i) {
        auto* button = new (std::nothrow) CRdoMachine;
        if (!button)
            return false;
        if (!button->Create(m_nFirstMachineId + i, (i % 10) * 114 + 160, (i / 10) * 115 + 125,
                            frames, digits, this)) {
            if (button->GetParent() != this)
                delete button;
            return false;
        }
        button->SetDigitColours(kTakenDigitColour, kFreeDigitColour);
        button->SetUserValue(-1);
        button->Show(false);
        m_MachineButtons.push_back(button);
    }
    return true;
}

void CWndGameChannel::BeginList(int32_t nCount)
{
    m_nMachineCount = std::max(nCount, 0);
    m_MachineList.assign(static_cast<size_t>(m_nMachineCount), CChannelMachine{});
    BuildChannelButtons();
}

void CWndGameChannel::SetEntry(int32_t nMachineNo, int32_t nFree)
{
    if (nMachineNo < 1 || nMachineNo > m_nMachineCount)
        return;
    m_MachineList[static_cast<size_t>(nMachineNo - 1)] =
        CChannelMachine{m_nGameType, nMachineNo, nFree};
}

bool CWndGameChannel::MarkTaken(int32_t nMachineNo)
{
    if (nMachineNo < 1 || nMachineNo > m_nMachineCount)
        return false;
    m_MachineList[static_cast<size_t>(nMachineNo - 1)] =
        CChannelMachine{m_nGameType, nMachineNo, 0};
    return true;
}

void CWndGameChannel::DeleteChannelButtons()
{
    std::vector<CDXRadioButton*> buttons;
    buttons.swap(m_ChannelButtons);
    for (CDXRadioButton* button : buttons)
        delete button;  // leaves this page's children on its own
    m_nFirstChannelId = -1;
    m_nLastChannelId = -1;
    m_nSelectedChannel = 0;
}

void CWndGameChannel::BuildChannelButtons()
{
    DeleteChannelButtons();
    const int wanted = (m_nMachineCount + kMachinesPerChannel - 1) / kMachinesPerChannel;
    const int count = std::min(wanted, kMaxChannelButtons);
    if (wanted > count)
        CX_LOG_SYSTEM("CWndGameChannel::BuildChannelButtons",
                      "type %d: %d machines; channels past %d get no button", m_nGameType,
                      m_nMachineCount, count);
    CUIFrames* frames =
        g_pUIRes ? g_pUIRes->GetFrames(kChannelImageBase + m_nGameType - 1) : nullptr;
    CXFont* font = g_pAppCore ? g_pAppCore->Font11 : nullptr;
    const int base = ChannelBaseId(m_nGameType);
    for (int k = 0; k < count; ++k) {
        auto* button = new (std::nothrow) CChannelButton;
        if (!button)
            break;
        if (!button->Create(base + k, (k % kChannelsPerRow) * 102 + 70, (k / kChannelsPerRow) * 50,
                            frames, font, this)) {
            if (button->GetParent() != this)
                delete button;
            break;
        }
        char caption[16];
        std::snprintf(caption, sizeof caption, "채널%d", k + 1);
        button->SetCaptionColour(kChannelCaptionColour);
        button->SetCaption(caption);
        button->SetUserValue(kMachinesPerChannel * k + 1);
        m_ChannelButtons.push_back(button);
    }
    if (!m_ChannelButtons.empty()) {
        m_nFirstChannelId = base;
        m_nLastChannelId = base + static_cast<int>(m_ChannelButtons.size()) - 1;
    }
}

void CWndGameChannel::ShowMachines(int32_t nFirst)
{
    for (int i = 0; i < kMachinesPerChannel; ++i) {
        CRdoMachine* button = m_MachineButtons[static_cast<size_t>(i)];
        const int64_t n = int64_t{nFirst} + i;
        if (n < 1 || n > m_nMachineCount) {
            button->SetUserValue(-1);
            button->Show(false);
            continue;
        }
        button->SetUserValue(static_cast<int>(n));
        button->Show(true);
        button->SetChecked(m_MachineList[static_cast<size_t>(n - 1)].nFree == 0);
    }
}

void CWndGameChannel::SelectFirstChannel()
{
    if (m_ChannelButtons.empty())
        return;
    m_nSelectedChannel = 0;
    SelectRadio(m_nFirstChannelId, m_nLastChannelId, m_nFirstChannelId);
    ShowMachines(m_ChannelButtons.front()->GetUserValue());
}

void CWndGameChannel::OnShow(bool show)
{
    if (show)
        SelectFirstChannel();
}

void CWndGameChannel::OnRadioSelect(int id)
{
    if (id >= m_nFirstChannelId && id <= m_nLastChannelId && m_nFirstChannelId != -1) {
        m_nSelectedChannel = id - m_nFirstChannelId;
        SelectRadio(m_nFirstChannelId, m_nLastChannelId, id);
        ShowMachines(m_ChannelButtons[static_cast<size_t>(m_nSelectedChannel)]->GetUserValue());
        return;
    }
    if (id >= m_nFirstMachineId && id <= m_nLastMachineId)
        SelectMachine(*m_MachineButtons[static_cast<size_t>(id - m_nFirstMachineId)]);
}

// Only a free machine, and only for a deck that may change its machine (no game, a demonstration
// game or a game out of credit). One request per dialog at a time: the dialog stays disabled from
// the request until the answer, so a second click cannot win a second machine for the deck.
void CWndGameChannel::SelectMachine(const CRdoMachine& button)
{
    const int32_t machine = button.GetUserValue();
    if (button.IsTaken() || machine < 1 || machine > 0xFFFF)
        return;
    auto* dialog = dynamic_cast<CDlgMachineSelect*>(m_pParent);
    if (!dialog || !dialog->IsEnabled())
        return;
    const int32_t deck = dialog->GetDeck();
    CGameDeck* pDeck = g_pGameDeckList ? g_pGameDeckList->GetDeck(deck) : nullptr;
    if (!pDeck || !pDeck->IsFree() || !g_NetClient)
        return;
    if (g_NetClient->ReqMachineSelect(static_cast<uint8_t>(deck), static_cast<uint8_t>(m_nGameType),
                                      static_cast<uint16_t>(machine)))
        dialog->Enable(false);
}
