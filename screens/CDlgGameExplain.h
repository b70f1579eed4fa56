#pragma once
// The game explanation: three page tabs (radio buttons) over the pages of background set 49
// (image 0 the background, images 1 to 3 the pages).

#include "CDXDialog.h"

class CDlgGameExplain : public CDXDialog {
public:
    static constexpr int kId = 406;
    static constexpr int kFirstTabId = 407;
    static constexpr int kCloseId = 410;
    static constexpr int kPages = 3;

    // Background slot 49; tabs 407..409 (slots 50..52) at (76, 35), (223, 35), (370, 35); close
    // (slot 12) top right; hidden.
    bool Create(CDXWnd* parent);

    void OnShow(bool show) override;
    void OnClick(int id) override;
    void OnRadioSelect(int id) override;
    int OnDraw() override;

    // 1..3.
    int GetPage() const { return m_nPage; }

private:
    void SelectPage(int tab);

    int m_nPage = 1;
};
