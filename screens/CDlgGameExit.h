#pragma once
// The exit dialog the main window shows on a close request: OK ends the program, the close
// button hides the dialog.

#include "CDXDialog.h"

class CDlgGameExit : public CDXDialog {
public:
    static constexpr int kId = 6;
    static constexpr int kOkId = 7;
    static constexpr int kCloseId = 8;

    // Background slot 6, OK (slot 4) centred at y 400, close (slot 12) top right; hidden.
    bool Create(CDXWnd* parent);
    void OnClick(int id) override;
};
