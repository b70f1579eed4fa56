#pragma once
// The machine selection dialog: four game-type tabs and, for the chosen type, its channel page.
// Opened for one deck; asks the server for the type's machine list and stays disabled until the
// list has arrived.

#include <cstdint>

#include "CDXDialog.h"

class CDXButton;
class CDXRadioButton;
class CWndGameChannel;

class CDlgMachineSelect : public CDXDialog {
public:
    static constexpr int kId = 83;
    static constexpr int kCancelId = 84;
    static constexpr int kFirstTabId = 85;  // the tab of type t is 84 + t
    static constexpr int kLastGroupId = 92;
    static constexpr int kPageY = 75;
    static constexpr int kPageHeight = 713;

    // Background slot 35 (one image per background state); hidden.
    bool Create(CDXWnd* parent);

    // Opens the dialog for a deck with a game type (0: type 1) and asks for the type's list.
    void OpenFor(int32_t nGameType, int32_t nDeck);
    // Selects the type's tab, gives the cancel button the type's images and shows only its page.
    void ShowPage(int32_t nGameType);

    void OnRadioSelect(int id) override;
    void OnClick(int id) override;

    int32_t GetGameType() const { return m_nGameType; }
    int32_t GetDeck() const { return m_nDeck; }
    // Null outside 1..4.
    CWndGameChannel* GetPage(int32_t nGameType) const;
    CDXRadioButton* GetTab(int32_t nGameType) const;
    CDXButton* GetCancel() const { return m_pCancel; }

private:
    // Type chosen: background, page, shown and disabled, and the list asked for.
    void ChooseType(int32_t nGameType);

    int32_t m_nGameType = 1;
    int32_t m_nDeck = -1;
    CWndGameChannel* m_pPages[4] = {};
    CDXRadioButton* m_pTabs[4] = {};  // by type - 1
    CDXButton* m_pCancel = nullptr;
};
