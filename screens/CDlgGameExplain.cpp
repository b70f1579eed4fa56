#include "CDlgGameExplain.h"

#include "CDXRadioButton.h"
#include "CDlgCommon.h"
#include "CUIRes.h"

namespace {

const int kTabX[CDlgGameExplain::kPages] = {76, 223, 370};
// The page image is centred on this point of the dialog.
constexpr float kPageCentreX = 752.5f;
constexpr float kPageCentreY = 497.5f;

}  // namespace

bool CDlgGameExplain::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(49)))
        return false;
    m_bVisible = 0;
    bool ok = true;
    for (int k = 0; k < kPages; ++k)
        ok = CreateRadioButton(kFirstTabId + k, kTabX[k], 35, g_pUIRes->GetFrames(50 + k), false) &&
             ok;
    ok = AddDialogCloseButton(this, kCloseId) && ok;
    return ok;
}

void CDlgGameExplain::SelectPage(int tab)
{
    SelectRadio(kFirstTabId, kFirstTabId + kPages - 1, tab);
    m_nPage = tab - kFirstTabId + 1;
}

void CDlgGameExplain::OnShow(bool show)
{
    if (show)
        SelectPage(kFirstTabId);
}

void CDlgGameExplain::OnClick(int id)
{
    if (id == kCloseId)
        Show(false);
}

void CDlgGameExplain::OnRadioSelect(int id)
{
    if (id >= kFirstTabId && id < kFirstTabId + kPages)
        SelectPage(id);
}

int CDlgGameExplain::OnDraw()
{
    if (!m_pFrames)
        return 1;
    const int w = m_pFrames->GetWidth(m_nPage);
    const int h = m_pFrames->GetHeight(m_nPage);
    m_pFrames->Draw(m_nPage,
                    static_cast<float>(AbsoluteX()) + kPageCentreX - static_cast<float>(w) / 2.0f,
                    static_cast<float>(AbsoluteY()) + kPageCentreY - static_cast<float>(h) / 2.0f);
    return 1;
}
