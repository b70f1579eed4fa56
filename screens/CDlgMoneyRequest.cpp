#include "CDlgMoneyRequest.h"

#include "CDXEdit.h"

bool CDlgMoneyRequest::SendRequest()
{
    if (!CheckInput() || !Send())
        return false;
    Enable(false);
    return true;
}

void CDlgMoneyRequest::OnShow(bool show)
{
    if (!show)
        return;
    Enable(true);
    const std::vector<CDXEdit*> edits = Edits();
    for (CDXEdit* edit : edits)
        if (edit)
            edit->SetText("");
    if (!edits.empty() && edits.front())
        edits.front()->TakeFocus();
}

void CDlgMoneyRequest::OnClick(int id)
{
    if (id == m_nRequestId)
        SendRequest();
    else if (id == m_nCloseId)
        Show(false);
}
