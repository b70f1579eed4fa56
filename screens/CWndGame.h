#pragma once
// The lobby and game screen (screen 19): the four decks with their panels, the lobby's dialogs,
// and the answer operations the protocol client calls for lobby answers. The screen reads the
// machine table; only the protocol client writes it.

#include <cstdint>
#include <vector>

#include "CDXWnd.h"

class CDlgChangeTicket;
class CDlgChargeMoney;
class CDlgExchangeMoney;
class CDlgGameExplain;
class CDlgInquiry;
class CDlgMachineInfo;
class CDlgMachineSelect;
class CDlgRequiredRead;
class CDlgReserveInfo;
class CDlgReserveMachine;
class CGameBase;
class CWndDeck;
class CWndGameChat;
class CWndGameInfo;
class CWndGameNotice;
class CXFont;
struct CReserveInfoEntry;

class CWndGame : public CDXWnd {
public:
    static constexpr int kId = 19;
    static constexpr int kFirstDeckPanelId = 20;
    static constexpr int kNoticeId = 44;
    // Chat colours of the coin, exchange and charge lines.
    static constexpr uint32_t kChatNoticeColour = 0xFFFFFF80;
    static constexpr uint32_t kChatAlertColour = 0xFFFF0000;

    CWndGame();
    ~CWndGame() override;

    // Builds the screen, starts the decks' games and tells the server the lobby is entered.
    bool Create(int id, int flag) override;
    // Shift+Ctrl with an arrow key asks the server to swap two decks. Always 1.
    int OnKeyDown(int key) override;
    // Characters typed while no dialog is open go to the chat area (Enter there opens the chat).
    int OnChar(int code) override;

    void OpenMachineSelect(int32_t nDeck);
    void RequestDeckCoinIn(int32_t nDeck);
    void SwapDecks(int32_t a, int32_t b);
    // Each deck with a usable machine row gets that machine; a deck whose row is unusable, or
    // whose machine could not start, gets its demonstration game; a deck without a row keeps
    // what it shows. Enables the screen.
    void StartDeckGames();
    // The decks follow the machine table: machines move to the deck of their row, and a deck
    // whose row holds no machine gets a demonstration game of the type it showed.
    void SyncDecks();

    // Answers. The game-specific step of a coin-in answer is the caller's: it gets the found
    // game and the machine's credit from the table.
    using CoinInStep = void (*)(CGameBase& game, int32_t nCredit);
    void AnsCoinIn(int32_t nCode, int32_t nGameType, int32_t nMachineNo, CoinInStep pStep);
    // Refreshes the gift-ticket label; the game the answer concerns (null when none).
    CGameBase* AnsTicketOut(int32_t nGameType, int32_t nMachineNo);
    // A grant hides the selection dialog; a grant that cannot be set up shows its box and, like a
    // refusal, lets the dialog take clicks again.
    void AnsMachineSelect(int32_t nDeck, int32_t nGameType, int32_t nMachineNo);
    void AnsMachineSelectRefused(int32_t nCode);
    void AnsMachineListEnd();
    void AnsCoinCharged(int32_t nKind);
    void AnsGiftTicketUpdate();
    void AnsChargeRequest(int32_t nCode);
    void AnsExchangeRequest(int32_t nCode);
    void AnsExchangeDone(uint32_t dwAmount);
    void AnsChargeRefused(uint32_t dwAmount);
    void AnsMachineRemove(int32_t nCode);
    void AnsGiftTicketExchange(uint32_t dwCount, uint32_t dwAmount);
    void AnsGiftTicketFail(int32_t nCode);
    void AnsReserveInfo(const CReserveInfoEntry& entry);

    // The shared message box: a text with a close button, or a server code's text.
    void ShowMessage(const char* pszText, const char* pszTitle);
    void ShowErrorCode(int32_t nCode, const char* pszTitle);
    // A line for the chat list.
    void AddChatLine(const char* pszText, uint32_t dwColour);
    void RefreshMoney();
    void RefreshGiftTickets();

    CWndDeck* GetDeckPanel(int32_t nDeck) const;
    CDlgInquiry* GetInquiry() const { return m_pInquiry; }
    CDlgGameExplain* GetExplain() const { return m_pExplain; }
    CDlgRequiredRead* GetRequiredRead() const { return m_pRequiredRead; }
    CWndGameChat* GetChat() const { return m_pChat; }
    CWndGameInfo* GetInfo() const { return m_pInfo; }
    // The red line of the server's notices (the info panel has its own for the notice list).
    CWndGameNotice* GetNotice() const { return m_pNotice; }
    CDlgChargeMoney* GetChargeDialog() const { return m_pCharge; }
    CDlgExchangeMoney* GetExchangeDialog() const { return m_pExchange; }
    CDlgChangeTicket* GetChangeTicket() const { return m_pChangeTicket; }
    CDlgMachineSelect* GetMachineSelect() const { return m_pMachineSelect; }
    CDlgReserveInfo* GetReserveInfo() const { return m_pReserveInfo; }
    CDlgMachineInfo* GetMachineInfo() const { return m_pMachineInfo; }
    CDlgReserveMachine* GetReserveMachine() const { return m_pReserveMachine; }

private:
    static CXFont* Font(int nNumber);
    // The steps of Create: the four deck panels, the chat, info and notice bars, the hidden
    // dialogs. False when one cannot be created.
    bool CreateDeckPanels();
    bool CreateLobbyBars();
    bool CreateDialogs();
    void EnableMachineSelect();

    std::vector<CWndDeck*> m_DeckPanels;  // children, by deck index
    CDlgGameExplain* m_pExplain = nullptr;
    CDlgInquiry* m_pInquiry = nullptr;
    CDlgRequiredRead* m_pRequiredRead = nullptr;
    CWndGameChat* m_pChat = nullptr;
    CWndGameInfo* m_pInfo = nullptr;
    CWndGameNotice* m_pNotice = nullptr;
    CDlgExchangeMoney* m_pExchange = nullptr;
    CDlgChargeMoney* m_pCharge = nullptr;
    CDlgChangeTicket* m_pChangeTicket = nullptr;
    CDlgMachineSelect* m_pMachineSelect = nullptr;
    CDlgReserveInfo* m_pReserveInfo = nullptr;
    CDlgMachineInfo* m_pMachineInfo = nullptr;
    CDlgReserveMachine* m_pReserveMachine = nullptr;
};
