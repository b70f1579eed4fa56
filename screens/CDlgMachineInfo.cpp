#include "CDlgMachineInfo.h"

#include <new>

#include "CDlgCommon.h"
#include "CUIRes.h"
#include "CWndDeckLog.h"
#include "CWndGameLog.h"
#include "NetClientGlobal.h"

namespace {

constexpr int kBackgroundSlot = 55;

// Makes a child with its own creation call; false (nothing left behind) when it fails.
template <class T, class Make>
T* MakeChild(CDXWnd* parent, Make&& make)
{
    auto* child = new (std::nothrow) T;
    if (!child)
        return nullptr;
    if (!make(*child)) {
        if (child->GetParent() != parent)
            delete child;
        return nullptr;
    }
    return child;
}

}  // namespace

bool CDlgMachineInfo::Create(CDXWnd* parent)
{
    if (!g_pUIRes || !CreateCentred(kId, parent, g_pUIRes->GetFrames(kBackgroundSlot)))
        return false;
    m_bVisible = 0;
    for (int32_t k = 0; k < 4; ++k) {
        m_pDeckLogs[k] =
            MakeChild<CWndDeckLog>(this, [&](CWndDeckLog& log) { return log.Create(k, this); });
        if (!m_pDeckLogs[k])
            return false;
    }
    m_pGameLog = MakeChild<CWndGameLog>(this, [&](CWndGameLog& log) { return log.Create(this); });
    return m_pGameLog && AddDialogCloseButton(this, kCloseId);
}

CWndDeckLog* CDlgMachineInfo::GetDeckLog(int32_t nDeck) const
{
    return nDeck >= 0 && nDeck < 4 ? m_pDeckLogs[nDeck] : nullptr;
}

void CDlgMachineInfo::OnShow(bool show)
{
    if (!show)
        return;
    for (CWndDeckLog* log : m_pDeckLogs)
        if (log)
            log->Show(true);
    if (m_pGameLog)
        m_pGameLog->Show(true);
    if (g_NetClient) {
        const uint8_t body[3] = {static_cast<uint8_t>(kLogRequestId & 0xFF),
                                 static_cast<uint8_t>(kLogRequestId >> 8), kLogRequestRows};
        g_NetClient->SendPacket(body, sizeof body);
    }
}

void CDlgMachineInfo::OnClick(int id)
{
    if (id == kCloseId)
        Show(false);
}
