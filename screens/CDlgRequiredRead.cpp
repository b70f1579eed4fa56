#include "CDlgRequiredRead.h"

#include "CDlgCommon.h"
#include "CUIRes.h"

bool CDlgRequiredRead::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(68)))
        return false;
    m_bVisible = 0;
    return AddDialogCloseButton(this, kCloseId) != nullptr;
}

void CDlgRequiredRead::OnClick(int id)
{
    if (id == kCloseId)
        Show(false);
}
