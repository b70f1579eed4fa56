#include "CDlgGameExit.h"

#include "CDXButton.h"
#include "CDlgCommon.h"
#include "CUIRes.h"

bool CDlgGameExit::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(6)))
        return false;
    m_bVisible = 0;
    CUIFrames* ok = g_pUIRes->GetFrames(4);
    const bool okMade =
        CreateButton(kOkId, m_nWidth / 2 - ok->GetWidth(0) / 2, 400, ok, nullptr) != nullptr;
    const bool closeMade = AddDialogCloseButton(this, kCloseId) != nullptr;
    return okMade && closeMade;
}

void CDlgGameExit::OnClick(int id)
{
    if (id == kOkId)
        platform::PostQuitMessage(0);
    else if (id == kCloseId)
        Show(false);
}
