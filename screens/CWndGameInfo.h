#pragma once
// The user-info panel in the lobby's lower-right corner: the player's game money and gift tickets,
// four sound switches (one per sound group), the buttons that open the lobby's dialogs and the
// exit dialog, and the notice line that the server's notice list fills.

#include "CDXWnd.h"

class CDXButton;
class CDXLabel;
class CDXRadioButton;
class CWndGameNotice;

class CWndGameInfo : public CDXWnd {
public:
    static constexpr int kId = 64;
    static constexpr int kNoticeId = 65;
    static constexpr int kMoneyId = 66;
    static constexpr int kTicketsId = 67;
    static constexpr int kFirstSoundId = 69;
    static constexpr int kSoundSwitches = 4;
    static constexpr int kButtons = 10;
    static constexpr uint32_t kLabelColour = 0xFFFFFF00;

    CWndGameInfo() = default;
    ~CWndGameInfo() override = default;

    // Background set 34 at (1538, 698); the switches follow the sound groups' mute state and the
    // labels are filled at once.
    bool Create(CDXWnd* parent);
    // The player's money, or gift tickets, from the machine table with thousands separators.
    void RefreshMoney();
    void RefreshGiftTickets();

    // A button opens its dialog of the lobby screen (only while the panel is on the lobby).
    void OnClick(int id) override;
    // Switch k mutes sound group k when it is off and unmutes it when it is on.
    void OnRadioSelect(int id) override;

    CDXRadioButton* GetSoundSwitch(int k) const;
    CDXButton* GetButton(int id) const;
    CDXLabel* GetMoneyLabel() const { return m_pMoney; }
    CDXLabel* GetTicketLabel() const { return m_pTickets; }
    CWndGameNotice* GetNoticeLine() const { return m_pNotice; }

private:
    CDXRadioButton* m_apSound[kSoundSwitches] = {};
    CDXButton* m_apButtons[kButtons] = {};
    CDXLabel* m_pMoney = nullptr;
    CDXLabel* m_pTickets = nullptr;
    CWndGameNotice* m_pNotice = nullptr;
};
