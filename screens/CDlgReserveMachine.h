#pragma once
// The machine reservation: the player ticks the decks whose machines the service keeps for him
// and enters a number of hours up to the server's maximum. Opening asks the server for the
// maximum and the decks' state; the dialog stays disabled until they arrive.

#include <cstdint>

#include "CDXDialog.h"
#include "CTextTexture.h"

class CDXButton;
class CDXEdit;
class CDXRadioButton;

class CDlgReserveMachine : public CDXDialog {
public:
    static constexpr int kId = 438;
    static constexpr int kHoursEditId = 439;
    static constexpr int kReserveId = 440;
    // 464, the close id the dialog's layout names, is the inquiry dialog's; this one is free.
    static constexpr int kCloseId = 441;
    static constexpr int kFirstCheckId = 442;  // + deck index
    static constexpr int32_t kDefaultMaxHours = 24;

    // Background slot 62; hidden.
    bool Create(CDXWnd* parent);

    // Shown: edit, machine texts and ticks emptied; disabled until the server's answer.
    void Show(bool show) override;
    void OnClick(int id) override;
    int OnKeyDown(int key) override;
    void OnLayout() override;
    int OnDraw() override;

    // The server's maximum (negative as 0).
    void SetMaxHours(int32_t nHours) { m_nMaxHours = nHours < 0 ? 0 : nHours; }
    // The server's answer is complete: each deck with a machine of the player is shown and ticked,
    // the others cannot be ticked; the edit shows the maximum and takes the focus.
    void RefreshDecks();
    // The reserve button: checks the hours and the ticks, then sends the request. True when sent.
    bool Reserve();

    int32_t GetMaxHours() const { return m_nMaxHours; }
    CDXEdit* GetHoursEdit() const { return m_pHours; }
    CDXRadioButton* GetCheck(int32_t nDeck) const;
    const std::string& GetMachineText(int32_t nDeck) const;
    uint32_t GetMachineColour(int32_t nDeck) const;

private:
    CDXButton* m_pReserve = nullptr;
    CDXButton* m_pClose = nullptr;
    CDXEdit* m_pHours = nullptr;
    int32_t m_nMaxHours = kDefaultMaxHours;
    CTextTexture m_MachineTexts[4];
    uint32_t m_dwMachineColours[4] = {};
    CDXRadioButton* m_pChecks[4] = {};
};
