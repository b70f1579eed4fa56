#pragma once
// What the charge and exchange requests share: the edits are checked before the request goes out,
// and the dialog stays disabled from then until the lobby hands it the answer.

#include <vector>

#include "CDXDialog.h"

class CDXEdit;

class CDlgMoneyRequest : public CDXDialog {
public:
    // True when every field passes; otherwise the message box names the first fault and the focus
    // goes back to its edit when it is closed.
    virtual bool CheckInput() = 0;
    // Checks and sends; disabled once the request is out. True when sent.
    bool SendRequest();

    // Shown: enabled, every edit emptied, the focus in the first.
    void OnShow(bool show) override;
    // The request button checks and sends; the close button hides the dialog.
    void OnClick(int id) override;

protected:
    CDlgMoneyRequest(int requestId, int closeId) : m_nRequestId(requestId), m_nCloseId(closeId) {}

    // Sends the checked input; true when the request went out.
    virtual bool Send() = 0;
    // The edits in focus order (null where one was not made).
    virtual std::vector<CDXEdit*> Edits() const = 0;

private:
    int m_nRequestId;
    int m_nCloseId;
};
