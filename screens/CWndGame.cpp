#include "CWndGame.h"

#include <cstdio>
#include <new>

#include "CAppCore.h"
#include "CDlgChangeTicket.h"
#include "CDlgChargeMoney.h"
#include "CDlgCommon.h"
#include "CDlgExchangeMoney.h"
#include "CDlgGameExplain.h"
#include "CDlgInquiry.h"
#include "CDlgMachineInfo.h"
#include "CDlgMachineSelect.h"
#include "CDlgRequiredRead.h"
#include "CDlgReserveInfo.h"
#include "CDlgReserveMachine.h"
#include "CGameBase.h"
#include "CGameDeck.h"
#include "CGameDeckList.h"
#include "CWndDeck.h"
#include "CWndGameChannel.h"
#include "CWndGameChat.h"
#include "CWndGameChatList.h"
#include "CWndGameInfo.h"
#include "CWndGameNotice.h"
#include "CWndMain.h"
#include "CXFont.h"
#include "CXLog.h"
#include "FormatThousands.h"
#include "MachineTable.h"
#include "NetClientGlobal.h"
#include "NetRecords.h"
#include "platform/codepage.h"
#include "platform/keys.h"

namespace {

bool IsGameType(int32_t nType)
{
    return nType >= 1 && nType <= 4;
}

// Creates a child through `create`. A child that joined the tree is deleted with the screen; one
// that did not is deleted here.
template <class Child, class Create>
bool CreateChild(CWndGame* pParent, Child* pChild, Create&& create)
{
    if (!pChild)
        return false;
    if (!create(pChild)) {
        if (pChild->GetParent() != pParent)
            delete pChild;
        return false;
    }
    return true;
}

// A dialog is created hidden.
template <class Dialog, class Create>
bool CreateDialog(CWndGame* pParent, Dialog* pDialog, Create&& create)
{
    if (!CreateChild(pParent, pDialog, create))
        return false;
    pDialog->Show(false);
    return true;
}

}  // namespace

CWndGame::CWndGame() = default;

CWndGame::~CWndGame() = default;

CXFont* CWndGame::Font(int nNumber)
{
    if (!g_pAppCore)
        return nullptr;
    switch (nNumber) {
    case 7:
        return g_pAppCore->Font07;
    case 10:
        return g_pAppCore->Font10;
    case 12:
        return g_pAppCore->Font12;
    case 13:
        return g_pAppCore->Font13;
    case 15:
        return g_pAppCore->Font15;
    default:
        return nullptr;
    }
}

bool CWndGame::Create(int id, int)
{
    if (!CreateWidget(0, 0, 1920, 1080, id, nullptr, 0, 255))
        return false;
    Enable(false);
    if (!CreateDeckPanels() || !CreateLobbyBars() || !CreateDialogs())
        return false;
    StartDeckGames();
    if (g_NetClient)
        g_NetClient->ReqLobbyEnter();
    return true;
}

bool CWndGame::CreateDeckPanels()
{
    for (int i = 0; i < kGameDeckCount; ++i) {
        auto* pPanel = new (std::nothrow) CWndDeck;
        if (!CreateChild(this, pPanel, [this, i](CWndDeck* p) {
                return p->Create(g_GameDeckLayout[i], kFirstDeckPanelId + i, this, Font(12));
            }))
            return false;
        m_DeckPanels.push_back(pPanel);
    }
    return true;
}

bool CWndGame::CreateLobbyBars()
{
    m_pChat = new (std::nothrow) CWndGameChat;
    if (!CreateChild(this, m_pChat, [this](CWndGameChat* p) { return p->Create(this); }))
        return false;
    m_pInfo = new (std::nothrow) CWndGameInfo;
    if (!CreateChild(this, m_pInfo, [this](CWndGameInfo* p) { return p->Create(this); }))
        return false;
    m_pNotice = new (std::nothrow) CWndGameNotice;
    CXFont* pNoticeFont = Font(13);
    if (!pNoticeFont || !CreateChild(this, m_pNotice, [this, pNoticeFont](CWndGameNotice* p) {
            return p->Create(kNoticeId, this, pNoticeFont, 385, 40, 1150, pNoticeFont->GetHeight());
        }))
        return false;
    m_pNotice->SetMaxPasses(3);
    m_pNotice->SetColour(0xFFFF0000);
    m_pNotice->SetSpeed(100.0f);
    m_pNotice->Show(false);
    return true;
}

bool CWndGame::CreateDialogs()
{
    m_pMachineSelect = new (std::nothrow) CDlgMachineSelect;
    if (!CreateDialog(this, m_pMachineSelect,
                      [this](CDlgMachineSelect* p) { return p->Create(this); }))
        return false;
    m_pExplain = new (std::nothrow) CDlgGameExplain;
    if (!CreateDialog(this, m_pExplain, [this](CDlgGameExplain* p) { return p->Create(this); }))
        return false;
    m_pReserveInfo = new (std::nothrow) CDlgReserveInfo;
    if (!CreateDialog(this, m_pReserveInfo, [this](CDlgReserveInfo* p) { return p->Create(this); }))
        return false;
    m_pMachineInfo = new (std::nothrow) CDlgMachineInfo;
    if (!CreateDialog(this, m_pMachineInfo, [this](CDlgMachineInfo* p) { return p->Create(this); }))
        return false;
    m_pExchange = new (std::nothrow) CDlgExchangeMoney;
    if (!CreateDialog(this, m_pExchange, [this](CDlgExchangeMoney* p) { return p->Create(this); }))
        return false;
    m_pCharge = new (std::nothrow) CDlgChargeMoney;
    if (!CreateDialog(this, m_pCharge, [this](CDlgChargeMoney* p) { return p->Create(this); }))
        return false;
    m_pInquiry = new (std::nothrow) CDlgInquiry;
    if (!CreateDialog(this, m_pInquiry, [this](CDlgInquiry* p) {
            return p->Create(this, Font(10), Font(15), Font(7));
        }))
        return false;
    m_pInquiry->SetNetClient(g_NetClient.Get());
    m_pReserveMachine = new (std::nothrow) CDlgReserveMachine;
    if (!CreateDialog(this, m_pReserveMachine,
                      [this](CDlgReserveMachine* p) { return p->Create(this); }))
        return false;
    m_pRequiredRead = new (std::nothrow) CDlgRequiredRead;
    if (!CreateDialog(this, m_pRequiredRead,
                      [this](CDlgRequiredRead* p) { return p->Create(this); }))
        return false;
    m_pChangeTicket = new (std::nothrow) CDlgChangeTicket;
    if (!CreateDialog(this, m_pChangeTicket,
                      [this](CDlgChangeTicket* p) { return p->Create(this); }))
        return false;
    return true;
}

int CWndGame::OnKeyDown(int key)
{
    const bool bShift = (platform::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bCtrl = (platform::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    if (!bShift || !bCtrl || !g_NetClient)
        return 1;
    switch (key) {
    case VK_LEFT:
        g_NetClient->ReqDeckSwap(0, 1);
        break;
    case VK_UP:
        g_NetClient->ReqDeckSwap(1, 2);
        break;
    case VK_RIGHT:
        g_NetClient->ReqDeckSwap(2, 3);
        break;
    case VK_DOWN:
        g_NetClient->ReqDeckSwap(2, 1);
        break;
    default:
        break;
    }
    return 1;
}

int CWndGame::OnChar(int code)
{
    return m_pChat ? m_pChat->OnChar(code) : 1;
}

CWndDeck* CWndGame::GetDeckPanel(int32_t nDeck) const
{
    if (nDeck < 0 || nDeck >= static_cast<int32_t>(m_DeckPanels.size()))
        return nullptr;
    return m_DeckPanels[static_cast<size_t>(nDeck)];
}

void CWndGame::ShowMessage(const char* pszText, const char* pszTitle)
{
    if (CDlgCommon* pBox = MainMessageBox())
        pBox->ShowMessage(pszText, pszTitle, false, -1, -1);
    else
        CX_LOG_ERROR("CWndGame::ShowMessage", "no message box: %s: %s", pszTitle, pszText);
}

void CWndGame::ShowErrorCode(int32_t nCode, const char* pszTitle)
{
    if (CDlgCommon* pBox = MainMessageBox())
        pBox->ShowErrorCode(nCode, pszTitle);
    else
        CX_LOG_ERROR("CWndGame::ShowErrorCode", "no message box: %s: code %d", pszTitle, nCode);
}

void CWndGame::AddChatLine(const char* pszText, uint32_t dwColour)
{
    if (m_pChat && m_pChat->GetChatList())
        m_pChat->GetChatList()->AddText(pszText, dwColour);
}

void CWndGame::RefreshMoney()
{
    if (m_pInfo)
        m_pInfo->RefreshMoney();
}

void CWndGame::RefreshGiftTickets()
{
    if (m_pInfo)
        m_pInfo->RefreshGiftTickets();
}

void CWndGame::OpenMachineSelect(int32_t nDeck)
{
    CGameDeck* pDeck = g_pGameDeckList ? g_pGameDeckList->GetDeck(nDeck) : nullptr;
    if (!pDeck)
        return;
    CGameBase* pGame = pDeck->GetGame();
    if (!pGame || pGame->IsDemo() || pGame->IsOutOfCredit()) {
        if (m_pMachineSelect)
            m_pMachineSelect->OpenFor(pGame ? pGame->m_nGameType : 0, nDeck);
    } else {
        ShowMessage("기계를 바꿀 수 없습니다.", "기계선택");
    }
}

void CWndGame::RequestDeckCoinIn(int32_t nDeck)
{
    CGameDeck* pDeck = g_pGameDeckList ? g_pGameDeckList->GetDeck(nDeck) : nullptr;
    if (pDeck && pDeck->GetGame())
        pDeck->GetGame()->RequestCoinIn(false);
}

void CWndGame::SwapDecks(int32_t a, int32_t b)
{
    if (!g_pGameDeckList || !g_pGameDeckList->SwapGames(a, b))
        return;
    CWndDeck* pA = GetDeckPanel(a);
    CWndDeck* pB = GetDeckPanel(b);
    if (pA && pB) {
        const bool bAutoA = pA->IsAutoPlayOn();
        pA->SetAutoPlayRadio(pB->IsAutoPlayOn());
        pB->SetAutoPlayRadio(bAutoA);
    }
    if (pA)
        pA->Refresh();
    if (pB)
        pB->Refresh();
}

void CWndGame::StartDeckGames()
{
    for (int32_t i = 0; g_pGameDeckList && i < g_pGameDeckList->GetCount(); ++i) {
        const CMachineState* pRow = g_MachineTable.FindByIndex(i);
        if (!pRow)
            continue;
        if (IsGameType(pRow->m_nGameType) && pRow->m_nMachineNo > 0 &&
            g_pGameDeckList->StartGame(i, pRow->m_nGameType, pRow->m_nMachineNo, false))
            continue;
        if (!g_pGameDeckList->GetDeck(i)->GetGame())
            g_pGameDeckList->StartGame(i, CGameDeckList::DemoGameType(i), 0, true);
    }
    Enable(true);
}

void CWndGame::SyncDecks()
{
    if (!g_pGameDeckList)
        return;
    const int32_t nCount = g_pGameDeckList->GetCount();
    for (int32_t i = 0; i < nCount; ++i) {
        const CMachineState* pRow = g_MachineTable.FindByIndex(i);
        if (!pRow || !IsGameType(pRow->m_nGameType))
            continue;
        for (int32_t j = 0; j < nCount; ++j) {
            const CGameBase* pGame = g_pGameDeckList->GetDeck(j)->GetGame();
            if (j != i && pGame && pGame->m_nGameType == pRow->m_nGameType &&
                pGame->m_nMachineNo == pRow->m_nMachineNo)
                SwapDecks(i, j);
        }
    }
    for (int32_t i = 0; i < nCount; ++i) {
        // A released machine's row is emptied (index -1), so a deck without a row holds none.
        const CMachineState* pRow = g_MachineTable.FindByIndex(i);
        if (pRow && pRow->m_nGameType > 0 && pRow->m_nMachineNo > 0)
            continue;
        CGameDeck* pDeck = g_pGameDeckList->GetDeck(i);
        CGameBase* pGame = pDeck->GetGame();
        if (!pGame || pGame->IsDemo())
            continue;
        const int32_t nType = pGame->m_nGameType;
        pDeck->DeleteGame();
        if (!pDeck->GetGame())
            g_pGameDeckList->StartGame(i, nType, 0, true);
    }
}

void CWndGame::AnsCoinIn(int32_t nCode, int32_t nGameType, int32_t nMachineNo, CoinInStep pStep)
{
    RefreshMoney();
    const CMachineState* pRow = g_MachineTable.Find(nGameType, nMachineNo);
    if (!pRow)
        return;
    const int32_t nCredit = pRow->m_nCredit;
    CGameBase* pGame = g_pGameDeckList ? g_pGameDeckList->FindGame(nGameType, nMachineNo) : nullptr;
    if (pGame && pStep)
        pStep(*pGame, nCredit);
    if (nCode != 0) {
        if (CWndDeck* pPanel = GetDeckPanel(pRow->m_nIndex))
            pPanel->ResetInsertButton();
        ShowErrorCode(nCode, "투입");
    }
}

CGameBase* CWndGame::AnsTicketOut(int32_t nGameType, int32_t nMachineNo)
{
    RefreshGiftTickets();
    return g_pGameDeckList ? g_pGameDeckList->FindGame(nGameType, nMachineNo) : nullptr;
}

void CWndGame::AnsMachineSelect(int32_t nDeck, int32_t nGameType, int32_t nMachineNo)
{
    // Whatever goes wrong here, the dialog takes clicks again: the player may choose anew.
    if (!IsGameType(nGameType)) {
        ShowMessage("게임타입 오류", "기계선택");
        EnableMachineSelect();
        return;
    }
    if (nDeck < 0 || nDeck >= kGameDeckCount) {
        CX_LOG_ERROR("CWndGame::AnsMachineSelect", "deck index %d out of range; answer dropped",
                     nDeck);
        EnableMachineSelect();
        return;
    }
    if (nMachineNo <= 0 || !g_pGameDeckList ||
        !g_pGameDeckList->StartGame(nDeck, nGameType, nMachineNo, false)) {
        ShowMessage("기계세팅 오류.", "기계선택");
        EnableMachineSelect();
        return;
    }
    if (!m_pMachineSelect)
        return;
    if (CWndGameChannel* pPage = m_pMachineSelect->GetPage(nGameType))
        pPage->MarkTaken(nMachineNo);
    m_pMachineSelect->Show(false);
}

void CWndGame::AnsMachineSelectRefused(int32_t nCode)
{
    ShowErrorCode(nCode, "기계선택");
    EnableMachineSelect();
}

void CWndGame::EnableMachineSelect()
{
    if (m_pMachineSelect)
        m_pMachineSelect->Enable(true);
}

void CWndGame::AnsMachineListEnd()
{
    if (!m_pMachineSelect)
        return;
    if (CWndGameChannel* pPage = m_pMachineSelect->GetPage(m_pMachineSelect->GetGameType()))
        pPage->SelectFirstChannel();
    m_pMachineSelect->Enable(true);
}

void CWndGame::AnsCoinCharged(int32_t nKind)
{
    RefreshMoney();
    if (nKind == 0)
        AddChatLine("코인이 충전되었습니다.", kChatNoticeColour);
    else if (nKind == 100)
        AddChatLine("코인충전이 완료되었습니다.", kChatNoticeColour);
}

void CWndGame::AnsGiftTicketUpdate()
{
    RefreshGiftTickets();
}

void CWndGame::AnsChargeRequest(int32_t nCode)
{
    if (nCode != 0) {
        ShowErrorCode(nCode, "충전");
        if (m_pCharge)
            m_pCharge->Enable(true);
        return;
    }
    RefreshMoney();
    ShowMessage("충전 요청을 완료하였습니다.", "충전");
    if (m_pCharge)
        m_pCharge->Show(false);
}

void CWndGame::AnsExchangeRequest(int32_t nCode)
{
    if (nCode != 0) {
        ShowErrorCode(nCode, "환전");
        if (m_pExchange)
            m_pExchange->Enable(true);
        return;
    }
    RefreshMoney();
    RefreshGiftTickets();
    ShowMessage("환전요청을 완료하였습니다.", "환전");
    if (m_pExchange)
        m_pExchange->Show(false);
}

void CWndGame::AnsExchangeDone(uint32_t dwAmount)
{
    char szAmount[32];
    FormatThousands(dwAmount, szAmount, sizeof szAmount);
    char szText[100];
    std::snprintf(szText, sizeof szText, "%s 환전이 처리되었습니다.", szAmount);
    AddChatLine(szText, kChatNoticeColour);
}

void CWndGame::AnsChargeRefused(uint32_t dwAmount)
{
    char szAmount[32];
    FormatThousands(dwAmount, szAmount, sizeof szAmount);
    char szText[100];
    std::snprintf(szText, sizeof szText, "%s 충전이 거부되었습니다.", szAmount);
    AddChatLine(szText, kChatAlertColour);
}

void CWndGame::AnsMachineRemove(int32_t nCode)
{
    if (nCode == 0)
        SyncDecks();
    else if (nCode == 16)
        ShowMessage("기계에 금액이 남아 있어 기계를 제거할 수 없습니다.", "기계제거");
    else
        ShowErrorCode(nCode, "기계제거");
}

void CWndGame::AnsGiftTicketExchange(uint32_t dwCount, uint32_t dwAmount)
{
    RefreshMoney();
    RefreshGiftTickets();
    if (m_pChangeTicket)
        m_pChangeTicket->Show(false);
    char szAmount[20];
    FormatThousands(dwAmount, szAmount, sizeof szAmount);
    char szText[160];
    std::snprintf(szText, sizeof szText,
                  "상품권: %u 장\n교환금액: %s 원\n\n상품권 교환을 완료하였습니다.", dwCount,
                  szAmount);
    ShowMessage(szText, "상품권 교환");
}

void CWndGame::AnsGiftTicketFail(int32_t nCode)
{
    if (nCode == 14)
        ShowMessage("상품권이 부족합니다.", "상품권 교환");
    else
        ShowErrorCode(nCode, "상품권 교환");
    if (m_pChangeTicket)
        m_pChangeTicket->Enable(true);
}

void CWndGame::AnsReserveInfo(const CReserveInfoEntry& entry)
{
    if (!m_pReserveInfo || !m_pReserveInfo->IsVisible())
        return;
    char szStart[100];
    char szEnd[100];
    platform::Utf16ToCp949(entry.m_szStart, szStart, sizeof szStart);
    platform::Utf16ToCp949(entry.m_szEnd, szEnd, sizeof szEnd);
    int32_t types[4];
    int32_t machines[4];
    for (int k = 0; k < 4; ++k) {
        types[k] = entry.m_abyValue[k];
        machines[k] = entry.m_awMachineNo[k];
    }
    m_pReserveInfo->AddRow(szStart, szEnd, types, machines);
}
