#include "CDlgChangeTicket.h"

#include <cmath>
#include <cstdio>

#include "CAppCore.h"
#include "CDXButton.h"
#include "CDXLabel.h"
#include "CDlgCommon.h"
#include "CUIFrames.h"
#include "CUIRes.h"
#include "CXFont.h"
#include "FormatThousands.h"
#include "NetClientGlobal.h"

namespace {

// The rate in whole percent; 0 for a value that is not a number or does not fit.
int RatePercent(float rate)
{
    const double percent = static_cast<double>(rate) * 100.0;
    if (!std::isfinite(percent) || percent <= -2147483648.0 || percent >= 2147483648.0)
        return 0;
    return static_cast<int>(percent);
}

}  // namespace

bool CDlgChangeTicket::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !g_pAppCore || !CreateCentred(kId, parent, g_pUIRes->GetFrames(69)))
        return false;
    m_bVisible = 0;
    CXFont* font = g_pAppCore->Font15;
    const int height = font ? font->GetHeight() + 4 : 0;
    m_pRate = CreateLabel(kRateId, font, 492, 380, 50, height, true);
    m_pCount = CreateLabel(kCountId, font, 100, 460, 220, height, true);
    m_pAmount = CreateLabel(kAmountId, font, 640, 460, 220, height, true);
    if (!m_pRate || !m_pCount || !m_pAmount)
        return false;
    for (CDXLabel* label : {m_pRate, m_pCount, m_pAmount})
        label->SetAlign(TEXTTEX_CENTER | TEXTTEX_VCENTER);
    CUIFrames* exchange = g_pUIRes->GetFrames(4);
    const int exchangeX = m_nWidth / 2 - (exchange ? exchange->GetWidth(0) : 0) / 2;
    return AddDialogCloseButton(this, kCloseId) != nullptr &&
           CreateButton(kExchangeId, exchangeX, 530, exchange, nullptr) != nullptr;
}

void CDlgChangeTicket::SetTicketInfo(float rate, uint32_t count, uint32_t amount)
{
    m_dwCount = count;
    char text[64];
    std::snprintf(text, sizeof text, "%d", RatePercent(rate));
    m_pRate->SetText(text);
    char number[32];
    FormatThousands(count, number, sizeof number);
    std::snprintf(text, sizeof text, "%s 장", number);
    m_pCount->SetText(text);
    FormatThousands(amount, number, sizeof number);
    std::snprintf(text, sizeof text, "%s 원", number);
    m_pAmount->SetText(text);
    Enable(true);
}

bool CDlgChangeTicket::SendExchange()
{
    if (!g_NetClient || !g_NetClient->ReqGiftTicketExchange(m_dwCount))
        return false;
    Enable(false);
    return true;
}

void CDlgChangeTicket::Show(bool show)
{
    const bool opening = show && !m_bVisible;
    CDXDialog::Show(show);
    if (!opening)
        return;
    for (CDXLabel* label : {m_pRate, m_pCount, m_pAmount})
        if (label)
            label->SetText("");
    m_dwCount = 0;
    // A request that cannot go out leaves the dialog usable (it can still be closed).
    if (g_NetClient && g_NetClient->ReqGiftTicketInfo())
        Enable(false);
}

void CDlgChangeTicket::OnClick(int id)
{
    if (id == kExchangeId)
        SendExchange();
    else if (id == kCloseId)
        Show(false);
}
