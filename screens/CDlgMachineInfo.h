#pragma once
// The machine information dialog: the recent wins of each deck's machine and of all the player's
// games. Every opening empties the logs and asks the server for them again.

#include <cstdint>

#include "CDXDialog.h"

class CWndDeckLog;
class CWndGameLog;

class CDlgMachineInfo : public CDXDialog {
public:
    static constexpr int kId = 413;
    static constexpr int kCloseId = 419;
    static constexpr uint16_t kLogRequestId = 121;
    static constexpr uint8_t kLogRequestRows = 20;

    // Background slot 55; hidden.
    bool Create(CDXWnd* parent);

    void OnShow(bool show) override;
    void OnClick(int id) override;

    // Null outside 0..3.
    CWndDeckLog* GetDeckLog(int32_t nDeck) const;
    CWndGameLog* GetGameLog() const { return m_pGameLog; }

private:
    CWndDeckLog* m_pDeckLogs[4] = {};
    CWndGameLog* m_pGameLog = nullptr;
};
