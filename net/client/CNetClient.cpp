#include "CNetClient.h"

#include <cstdio>
#include <new>

#include "CDlgCommon.h"
#include "CDlgInquiry.h"
#include "CDlgMachineInfo.h"
#include "CDlgMachineSelect.h"
#include "CDlgReserveMachine.h"
#include "CGameBase.h"
#include "CGameDeckList.h"
#include "CGameMain.h"
#include "CWndGame.h"
#include "CWndDeckLog.h"
#include "CWndGameChannel.h"
#include "CWndGameLog.h"
#include "CWndLogin.h"
#include "AppShell.h"
#include "CWndMain.h"
#include "CWndTextList.h"
#include "CXLog.h"
#include "platform/codepage.h"

namespace {

// Chat lines of the inquiry conversation.
constexpr uint32_t kInquiryLineColour = 0xFFFFFFFF;

}  // namespace

CNetClient::CNetClient(CMachineTable& table) : NetworkClient(table) {}

CNetClient::~CNetClient()
{
    Close();
}

NetworkClient* CreateProgramNetClient()
{
    return new (std::nothrow) CNetClient();
}

CDXWnd* CNetClient::CurrentScreenWidget()
{
    return g_pWndMain ? g_pWndMain->GetCurrentScreen() : nullptr;
}

CGameBase* CNetClient::FindGame(int32_t nGameType, int32_t nMachineNo)
{
    return g_pGameDeckList ? g_pGameDeckList->FindGame(nGameType, nMachineNo) : nullptr;
}

void CNetClient::DropUnbuiltGameAnswer(const char* pszHandler, const char* pszGame, int32_t nGameType,
                                       int32_t nMachineNo)
{
    CX_LOG_SYSTEM(pszHandler, "the %s game is not part of this program yet; answer for %d:%03d dropped", pszGame,
                  nGameType, nMachineNo);
}

// ---- connection events ----

void CNetClient::OnConnected()
{
    if (CWndLogin* pLogin = CurrentScreen<CWndLogin>())
        pLogin->OnConnected();
}

void CNetClient::OnConnectFailed()
{
    if (CWndLogin* pLogin = CurrentScreen<CWndLogin>())
        pLogin->OnConnectFailed();
}

void CNetClient::OnDisconnected()
{
    if (CWndLogin* pLogin = CurrentScreen<CWndLogin>()) {
        pLogin->OnConnectFailed();
        return;
    }
    if (CDlgCommon* pBox = MainMessageBox())
        pBox->ShowMessage("서버 연결이 끊어졌습니다.\n프로그램을 종료합니다.", "서버연결", true, -1, -1);
    else
        CX_LOG_ERROR("CNetClient::OnDisconnected", "connection lost and no message box to say so");
}

// ---- login ----

void CNetClient::OnLoginResult(int32_t code)
{
    if (CWndLogin* pLogin = CurrentScreen<CWndLogin>())
        pLogin->AnsLogin(code);
}

void CNetClient::OnVersionCheckResult(bool accepted)
{
    if (CWndLogin* pLogin = CurrentScreen<CWndLogin>())
        pLogin->AnsVersionCheck(accepted);
}

void CNetClient::OnUserInfo()
{
    if (!CurrentScreen<CWndLogin>())
        return;
    if (g_pGameMain)
        g_pGameMain->SetMode(3);
    if (g_hWndMain)
        Window_Update(g_hWndMain);
    Window_ShowCursor(true);
    if (g_pWndMain)
        g_pWndMain->ChangeScreen(CWndMain::kScreenGame);
}

// ---- lobby ----

void CNetClient::OnPrizeNoticeA(const char16_t*, int32_t, int32_t, int32_t)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnPrizeNoticeA", "chat list");
}

void CNetClient::OnPrizeNoticeB(const char16_t*, int32_t, int32_t, int32_t, uint32_t)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnPrizeNoticeB", "chat list");
}

void CNetClient::OnPrizeNoticeC(const CPrizeNotice&)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnPrizeNoticeC", "prize list and chat list");
}

void CNetClient::OnUserEnterLeave(bool, const char16_t*)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnUserEnterLeave", "chat list");
}

// The machine-select dialog's channel page of a list's game type; null for another screen or a
// type outside 1..4.
static CWndGameChannel* ChannelPage(int32_t page)
{
    CWndGame* pScreen = CNetClient::CurrentScreen<CWndGame>();
    CDlgMachineSelect* pDialog = pScreen ? pScreen->GetMachineSelect() : nullptr;
    return pDialog ? pDialog->GetPage(page) : nullptr;
}

void CNetClient::OnChannelInfoBegin(int32_t page, int32_t count)
{
    if (CWndGameChannel* pPage = ChannelPage(page))
        pPage->BeginList(count);
}

void CNetClient::OnChannelInfoEntry(int32_t page, int32_t machineNo, int32_t state)
{
    if (CWndGameChannel* pPage = ChannelPage(page))
        pPage->SetEntry(machineNo, state);
}

void CNetClient::OnChannelInfoEnd()
{
    if (CWndGame* pGame = CurrentScreen<CWndGame>())
        pGame->AnsMachineListEnd();
}

void CNetClient::OnMachineSelectResult(int32_t code, int32_t deckIndex, int32_t gameType, int32_t machineNo)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (code != 0)
        pScreen->ShowErrorCode(code, "기계선택");
    else
        pScreen->AnsMachineSelect(deckIndex, gameType, machineNo);
}

void CNetClient::OnCoinCharged(int32_t kind)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsCoinCharged(kind);
}

void CNetClient::OnGiftTicketCount()
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsGiftTicketUpdate();
}

void CNetClient::OnChargeRequestResult(int32_t code)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsChargeRequest(code);
}

void CNetClient::OnExchangeRequestResult(int32_t code)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsExchangeRequest(code);
}

void CNetClient::OnDeckSwap()
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->SyncDecks();
}

void CNetClient::OnMachineRemove(int32_t code)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsMachineRemove(code);
}

void CNetClient::OnGiftTicketInfo(float, uint32_t, uint32_t)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnGiftTicketInfo", "gift-ticket dialog");
}

void CNetClient::OnGiftTicketExchanged(uint32_t c, uint32_t d)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsGiftTicketExchange(c, d);
}

void CNetClient::OnGiftTicketFailed(int32_t code)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsGiftTicketFail(code);
}

void CNetClient::OnReserveInfoEntry(const CReserveInfoEntry& entry)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsReserveInfo(entry);
}

void CNetClient::OnReserveInfoEnd()
{
    // The entries are all there; nothing further.
}

void CNetClient::OnReserveStatus(int32_t hours)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->GetReserveMachine())
        pScreen->GetReserveMachine()->SetMaxHours(hours);
}

void CNetClient::OnReserveStatusList(int32_t)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    CDlgReserveMachine* pDialog = pScreen ? pScreen->GetReserveMachine() : nullptr;
    if (pDialog && pDialog->IsVisible())
        pDialog->RefreshDecks();
}

void CNetClient::OnReserveResult(const CReserveResult&)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnReserveResult", "chat list");
}

// The machine-info dialog while it is shown on the lobby screen, else null.
static CDlgMachineInfo* ShownMachineInfo()
{
    CWndGame* pScreen = CNetClient::CurrentScreen<CWndGame>();
    CDlgMachineInfo* pDialog = pScreen ? pScreen->GetMachineInfo() : nullptr;
    return pDialog && pDialog->IsVisible() ? pDialog : nullptr;
}

void CNetClient::OnDeckLogEntry(const CMachineLogEntry& entry)
{
    CDlgMachineInfo* pDialog = ShownMachineInfo();
    if (!pDialog || !g_pGameDeckList)
        return;
    // The deck hosting the key; a key no deck hosts is dropped.
    CGameBase* pGame = FindGame(entry.m_nGameType, entry.m_nMachineNo);
    CWndDeckLog* pLog = pDialog->GetDeckLog(g_pGameDeckList->IndexOf(pGame));
    if (pGame && pLog)
        pLog->AddRow(pGame->m_nGameType, entry.m_nMonth, entry.m_nDay, entry.m_nHour, entry.m_nMinute, entry.m_nValue,
                     static_cast<int32_t>(entry.m_dwB), entry.m_dwA);
}

void CNetClient::OnGameLogEntry(const CMachineLogEntry& entry)
{
    CDlgMachineInfo* pDialog = ShownMachineInfo();
    if (pDialog && pDialog->GetGameLog())
        pDialog->GetGameLog()->AddRow(entry.m_nGameType, entry.m_nMachineNo, entry.m_nMonth, entry.m_nDay,
                                      entry.m_nHour, entry.m_nMinute, entry.m_nValue,
                                      static_cast<int32_t>(entry.m_dwB), entry.m_dwA);
}

void CNetClient::OnMachineLogEnd()
{
    // The entries are all there; nothing further.
}

void CNetClient::OnStaffCallResult(int32_t flag)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->GetInquiry())
        pScreen->GetInquiry()->SetCallState(flag != 0);
}

void CNetClient::OnMachineRelease(int32_t gameType, int32_t machineNo)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (CMachineState* pRow = GetMachineTable().Find(gameType, machineNo))
        *pRow = CMachineState{};
    pScreen->SyncDecks();
}

void CNetClient::OnNotice(const char16_t*)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnNotice", "notice line");
}

void CNetClient::OnNoticeListBegin()
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnNoticeListBegin", "notice line");
}

void CNetClient::OnNoticeListEntry(const char16_t*)
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnNoticeListEntry", "notice line");
}

void CNetClient::OnNoticeListEnd()
{
    if (CurrentScreen<CWndGame>())
        CWndGame::LogMissing("OnNoticeListEnd", "notice line");
}

void CNetClient::OnChatLine(const char16_t* name, const char16_t* text, bool bit2, bool bit7, bool bit0, bool bit3)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    char szName[40];
    char szText[256];
    platform::Utf16ToCp949(name ? name : u"", szName, sizeof szName);
    platform::Utf16ToCp949(text ? text : u"", szText, sizeof szText);
    CDlgInquiry* pInquiry = pScreen->GetInquiry();
    char szLine[320];

    if (bit2) {
        CWndGame::LogMissing("OnChatLine", "chat list");
        return;
    }
    if (bit7) {
        std::snprintf(szLine, sizeof szLine, "운영자:%s", szText);
        if (!bit0 || !pInquiry) {
            CWndGame::LogMissing("OnChatLine", "chat list");
            return;
        }
        if (!pInquiry->IsVisible() || !pInquiry->GetCallState())
            pInquiry->SetCallState(true);
        if (pInquiry->GetList())
            pInquiry->GetList()->AddText(szLine, kInquiryLineColour);
        return;
    }
    if (bit0)
        return;  // another player's inquiry line: not for this client
    std::snprintf(szLine, sizeof szLine, "%s:%s", szName, szText);
    if (bit3) {
        if (!pInquiry)
            return;
        if (!pInquiry->IsVisible())
            pInquiry->Show(true);
        if (pInquiry->GetCallState() && pInquiry->GetList())
            pInquiry->GetList()->AddText(szLine, kInquiryLineColour);
        return;
    }
    CWndGame::LogMissing("OnChatLine", "chat list");
}

void CNetClient::OnExchangeDone(uint32_t amount)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsExchangeDone(amount);
}

void CNetClient::OnChargeRefused(uint32_t amount)
{
    if (CWndGame* pScreen = CurrentScreen<CWndGame>())
        pScreen->AnsChargeRefused(amount);
}
