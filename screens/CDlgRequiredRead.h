#pragma once
// The required-reading dialog: its background and a close button.

#include "CDXDialog.h"

class CDlgRequiredRead : public CDXDialog {
public:
    static constexpr int kId = 465;
    static constexpr int kCloseId = 466;

    // Background slot 68, close (slot 12) top right; hidden.
    bool Create(CDXWnd* parent);
    void OnClick(int id) override;
};
