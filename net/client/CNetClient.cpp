#include "CNetClient.h"

#include <cstdio>
#include <new>

#include "AppWindow.h"
#include "CAppCore.h"
#include "CDlgChangeTicket.h"
#include "CDlgCommon.h"
#include "CDlgInquiry.h"
#include "CDlgMachineInfo.h"
#include "CDlgMachineSelect.h"
#include "CDlgReserveMachine.h"
#include "CGameBase.h"
#include "CGameDeckList.h"
#include "CWndDeckLog.h"
#include "CWndGame.h"
#include "CWndGameChannel.h"
#include "CWndGameChat.h"
#include "CWndGameChatList.h"
#include "CWndGameInfo.h"
#include "CWndGameLog.h"
#include "CWndGameNotice.h"
#include "CWndGamePrizeList.h"
#include "CWndLogin.h"
#include "CWndMain.h"
#include "CWndTextList.h"
#include "CXLog.h"
#include "platform/codepage.h"

namespace {

// Chat lines of the inquiry conversation.
constexpr uint32_t kInquiryLineColour = 0xFFFFFFFF;
// ANSI bytes of a player's name and of a notice, the terminator included.
constexpr size_t kNameBytes = 40;
constexpr size_t kNoticeBytes = 1024;

CWndGameChatList* LobbyChatList(CWndGame* pScreen)
{
    return pScreen && pScreen->GetChat() ? pScreen->GetChat()->GetChatList() : nullptr;
}

CWndGameNotice* InfoNoticeLine(CWndGame* pScreen)
{
    return pScreen && pScreen->GetInfo() ? pScreen->GetInfo()->GetNoticeLine() : nullptr;
}

void ShowWhenHidden(CWndGameNotice* pLine)
{
    if (pLine && !pLine->IsVisible())
        pLine->ShowNext(false);
}

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

void CNetClient::DropUnbuiltGameAnswer(const char* pszHandler, const char* pszGame,
                                       int32_t nGameType, int32_t nMachineNo)
{
    CX_LOG_SYSTEM(pszHandler,
                  "the %s game is not part of this program yet; answer for %d:%03d dropped",
                  pszGame, nGameType, nMachineNo);
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
        pBox->ShowMessage("서버 연결이 끊어졌습니다.\n프로그램을 종료합니다.", "서버연결", true, -1,
                          -1);
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
    if (g_pAppCore)
        g_pAppCore->SetMode(3);
    if (g_hWndMain)
        platform::UpdateWindow(g_hWndMain);
    platform::ShowCursor(true);
    if (g_pWndMain)
        g_pWndMain->ChangeScreen(CWndMain::kScreenGame);
}

// ---- lobby ----

void CNetClient::OnPrizeNoticeA(const char16_t* name, int32_t gameType, int32_t machineNo,
                                int32_t symbol)
{
    CWndGameChatList* pList = LobbyChatList(CurrentScreen<CWndGame>());
    if (!pList)
        return;
    char szName[kNameBytes];
    platform::Utf16ToCp949(name ? name : u"", szName, sizeof szName);
    pList->AddAppearMessage(szName, gameType, machineNo, symbol);
}

void CNetClient::OnPrizeNoticeB(const char16_t* name, int32_t gameType, int32_t machineNo,
                                int32_t symbol, uint32_t amount)
{
    CWndGameChatList* pList = LobbyChatList(CurrentScreen<CWndGame>());
    if (!pList)
        return;
    char szName[kNameBytes];
    platform::Utf16ToCp949(name ? name : u"", szName, sizeof szName);
    pList->AddJackpotMessage(szName, gameType, machineNo, symbol, amount);
}

void CNetClient::OnPrizeNoticeC(const CPrizeNotice& notice)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen || !pScreen->GetChat())
        return;
    char szName[kNameBytes];
    platform::Utf16ToCp949(notice.m_pszName ? notice.m_pszName : u"", szName, sizeof szName);
    if (CWndGamePrizeList* pPrizes = pScreen->GetChat()->GetPrizeList())
        pPrizes->AddPrize(notice.m_nGameType, notice.m_nMachineNo, szName, notice.m_abySymbols,
                          notice.m_nLine, notice.m_dwPrizeAmount, notice.m_nJackpotKind);
    if (CWndGameChatList* pList = LobbyChatList(pScreen))
        pList->AddPrizeMessage(szName, notice.m_nGameType, notice.m_nMachineNo, notice.m_nValue,
                               notice.m_dwAnnouncedAmount, notice.m_nJackpotKind);
}

void CNetClient::OnUserEnterLeave(bool entered, const char16_t* name)
{
    CWndGameChatList* pList = LobbyChatList(CurrentScreen<CWndGame>());
    if (!pList)
        return;
    char szName[kNameBytes];
    platform::Utf16ToCp949(name ? name : u"", szName, sizeof szName);
    const uint32_t dwColour = CWndGameChatList::ChatColour(CWndGameChatList::kColourLobbyNotice);
    char szLine[160];
    if (entered) {
        std::snprintf(szLine, sizeof szLine, "%s님께서 입장하셨습니다.", szName);
        pList->AddText(szLine, dwColour);
        std::snprintf(szLine, sizeof szLine, "%s님 %s에 오신 걸 환영합니다♥", szName, "Brisvane");
    } else {
        std::snprintf(szLine, sizeof szLine, "%s님께서 퇴장하셨습니다.", szName);
    }
    pList->AddText(szLine, dwColour);
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

void CNetClient::OnMachineSelectResult(int32_t code, int32_t deckIndex, int32_t gameType,
                                       int32_t machineNo)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (!pScreen)
        return;
    if (code != 0)
        pScreen->AnsMachineSelectRefused(code);
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

void CNetClient::OnGiftTicketInfo(float rate, uint32_t a, uint32_t b)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    if (pScreen && pScreen->GetChangeTicket())
        pScreen->GetChangeTicket()->SetTicketInfo(rate, a, b);
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

void CNetClient::OnReserveResult(const CReserveResult& result)
{
    CWndGameChatList* pList = LobbyChatList(CurrentScreen<CWndGame>());
    if (!pList)
        return;
    char szMachines[64];
    std::snprintf(szMachines, sizeof szMachines, "[%03d] [%03d] [%03d] [%03d]",
                  result.m_awMachineNo[0], result.m_awMachineNo[1], result.m_awMachineNo[2],
                  result.m_awMachineNo[3]);
    char szLine[160];
    if (result.m_bApproved) {
        std::snprintf(szLine, sizeof szLine, "%s %d시간 기계 예약이 승인되었습니다.", szMachines,
                      result.m_wHours);
        pList->AddText(szLine, CWndGameChatList::ChatColour(CWndGameChatList::kColourSystem));
    } else {
        std::snprintf(szLine, sizeof szLine, "%s %d시간 기계 예약이 거부되었습니다.", szMachines,
                      result.m_wHours);
        pList->AddText(szLine,
                       CWndGameChatList::ChatColour(CWndGameChatList::kColourReserveRefused));
    }
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
        pLog->AddRow(pGame->m_nGameType, entry.m_nMonth, entry.m_nDay, entry.m_nHour,
                     entry.m_nMinute, entry.m_nValue, static_cast<int32_t>(entry.m_dwB),
                     entry.m_dwA);
}

void CNetClient::OnGameLogEntry(const CMachineLogEntry& entry)
{
    CDlgMachineInfo* pDialog = ShownMachineInfo();
    if (pDialog && pDialog->GetGameLog())
        pDialog->GetGameLog()->AddRow(entry.m_nGameType, entry.m_nMachineNo, entry.m_nMonth,
                                      entry.m_nDay, entry.m_nHour, entry.m_nMinute, entry.m_nValue,
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

void CNetClient::OnNotice(const char16_t* text)
{
    CWndGame* pScreen = CurrentScreen<CWndGame>();
    CWndGameNotice* pLine = pScreen ? pScreen->GetNotice() : nullptr;
    if (!pLine)
        return;
    char szText[kNoticeBytes];
    platform::Utf16ToCp949(text ? text : u"", szText, sizeof szText);
    pLine->ClearPending();
    pLine->AddNotice(szText);
    ShowWhenHidden(pLine);
}

void CNetClient::OnNoticeListBegin()
{
    if (CWndGameNotice* pLine = InfoNoticeLine(CurrentScreen<CWndGame>()))
        pLine->ClearPending();
}

void CNetClient::OnNoticeListEntry(const char16_t* text)
{
    CWndGameNotice* pLine = InfoNoticeLine(CurrentScreen<CWndGame>());
    if (!pLine)
        return;
    char szText[kNoticeBytes];
    platform::Utf16ToCp949(text ? text : u"", szText, sizeof szText);
    pLine->AddNotice(szText);
}

void CNetClient::OnNoticeListEnd()
{
    ShowWhenHidden(InfoNoticeLine(CurrentScreen<CWndGame>()));
}

void CNetClient::OnChatLine(const char16_t* name, const char16_t* text, bool bit2, bool bit7,
                            bool bit0, bool bit3)
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

    CWndGameChatList* pList = LobbyChatList(pScreen);
    if (bit2) {
        if (pList)
            pList->AddText(szText, CWndGameChatList::ChatColour(CWndGameChatList::kColourSystem));
        return;
    }
    if (bit7) {
        std::snprintf(szLine, sizeof szLine, "운영자:%s", szText);
        if (!bit0) {
            if (pList)
                pList->AddText(szLine,
                               CWndGameChatList::ChatColour(CWndGameChatList::kColourLobbyNotice));
            return;
        }
        if (!pInquiry)
            return;
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
    if (pList)
        pList->AddText(szLine, CWndGameChatList::ChatColour(CWndGameChatList::kColourChat));
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
