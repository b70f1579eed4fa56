#pragma once
// The program's protocol client: every connection event and decoded answer goes to the screen
// that is current (the login screen or the lobby) or to the hosted game the answer concerns.
// An answer for another screen, for a machine no deck hosts (machine number 0 and demonstration
// games never match) or for a game of another class is dropped.
//
// The lobby and login handlers live in CNetClient.cpp; each game's handlers in its own file.

#include "NetworkClient.h"

class CDXWnd;
class CGameBase;

class CNetClient : public NetworkClient {
public:
    explicit CNetClient(CMachineTable& table = g_MachineTable);
    // Closes first: the I/O thread calls the notifications through this object's table.
    ~CNetClient() override;

    // The main window's current screen when it is of class T, else null.
    template <class T>
    static T* CurrentScreen();
    static CDXWnd* CurrentScreenWidget();
    // The hosted game of a machine key (see CGameDeckList::FindGame), null when none.
    static CGameBase* FindGame(int32_t nGameType, int32_t nMachineNo);

    // An answer that found its machine's game in a deck, but whose game class is not part of
    // this program yet: logged and dropped.
    static void DropUnbuiltGameAnswer(const char* pszHandler, const char* pszGame,
                                      int32_t nGameType, int32_t nMachineNo);

protected:
    // Connection events.
    void OnConnected() override;
    void OnConnectFailed() override;
    void OnDisconnected() override;
    // Lobby and login answers.
    void OnPrizeNoticeA(const char16_t* name, int32_t gameType, int32_t machineNo,
                        int32_t symbol) override;
    void OnPrizeNoticeB(const char16_t* name, int32_t gameType, int32_t machineNo, int32_t symbol,
                        uint32_t amount) override;
    void OnPrizeNoticeC(const CPrizeNotice& notice) override;
    void OnUserEnterLeave(bool entered, const char16_t* name) override;
    void OnLoginResult(int32_t code) override;
    void OnVersionCheckResult(bool accepted) override;
    void OnUserInfo() override;
    void OnChannelInfoBegin(int32_t page, int32_t count) override;
    void OnChannelInfoEntry(int32_t page, int32_t machineNo, int32_t state) override;
    void OnChannelInfoEnd() override;
    void OnMachineSelectResult(int32_t code, int32_t deckIndex, int32_t gameType,
                               int32_t machineNo) override;
    void OnCoinCharged(int32_t kind) override;
    void OnGiftTicketCount() override;
    void OnChargeRequestResult(int32_t code) override;
    void OnExchangeRequestResult(int32_t code) override;
    void OnDeckSwap() override;
    void OnMachineRemove(int32_t code) override;
    void OnGiftTicketInfo(float rate, uint32_t a, uint32_t b) override;
    void OnGiftTicketExchanged(uint32_t c, uint32_t d) override;
    void OnGiftTicketFailed(int32_t code) override;
    void OnReserveInfoEntry(const CReserveInfoEntry& entry) override;
    void OnReserveInfoEnd() override;
    void OnReserveStatus(int32_t hours) override;
    void OnReserveStatusList(int32_t lastMachineNo) override;
    void OnReserveResult(const CReserveResult& result) override;
    void OnDeckLogEntry(const CMachineLogEntry& entry) override;
    void OnGameLogEntry(const CMachineLogEntry& entry) override;
    void OnMachineLogEnd() override;
    void OnStaffCallResult(int32_t flag) override;
    void OnMachineRelease(int32_t gameType, int32_t machineNo) override;
    void OnNotice(const char16_t* text) override;
    void OnNoticeListBegin() override;
    void OnNoticeListEntry(const char16_t* text) override;
    void OnNoticeListEnd() override;
    void OnChatLine(const char16_t* name, const char16_t* text, bool bit2, bool bit7, bool bit0,
                    bool bit3) override;
    void OnExchangeDone(uint32_t amount) override;
    void OnChargeRefused(uint32_t amount) override;

    // Jix answers (CNetClientJix.cpp).
    void OnJixEnter(int32_t gameType, int32_t machineNo, const uint8_t* spinData180) override;
    void OnJixCoinIn(int32_t result, int32_t gameType, int32_t machineNo) override;
    void OnJixPlayStart(int32_t gameType, int32_t machineNo, bool granted, uint32_t value) override;
    void OnJixBonus(int32_t gameType, int32_t machineNo, bool granted, uint32_t value) override;
    void OnJixSpinData(int32_t gameType, int32_t machineNo, bool granted,
                       const uint8_t* spinData180) override;
    void OnJixSpinEnd(int32_t gameType, int32_t machineNo, bool ok) override;
    void OnJixTicketOut(int32_t gameType, int32_t machineNo, int32_t result) override;
    void OnJixGameFin(int32_t gameType, int32_t machineNo, bool ok) override;
    // Morvane answers (CNetClientMorvane.cpp).
    void OnMorvaneEnter(int32_t gameType, int32_t machineNo, const uint8_t* spinData200) override;
    void OnMorvaneCoinIn(int32_t result, int32_t gameType, int32_t machineNo) override;
    void OnMorvaneSpinData(int32_t gameType, int32_t machineNo, bool granted,
                           const uint8_t* spinData200) override;
    void OnMorvaneSpinEnd(int32_t gameType, int32_t machineNo, bool ok) override;
    void OnMorvaneTicketOut(int32_t gameType, int32_t machineNo, int32_t result) override;
    void OnMorvanePerformanceValue(int32_t gameType, int32_t machineNo, uint32_t index,
                                   int32_t value, int32_t flag, uint32_t amount) override;
    void OnMorvanePerformanceRefused(int32_t gameType, int32_t machineNo) override;
    void OnMorvaneGameFin(int32_t gameType, int32_t machineNo, bool ok) override;
    // Pelagorn answers (CNetClientPelagorn.cpp).
    void OnPelagornEnter(int32_t gameType, int32_t machineNo,
                         const CPelagornEnterData& data) override;
    void OnPelagornCoinIn(int32_t result, int32_t gameType, int32_t machineNo) override;
    void OnPelagorn36(int32_t gameType, int32_t machineNo, bool ok,
                      const uint8_t* block16) override;
    void OnPelagorn37(int32_t gameType, int32_t machineNo, bool ok,
                      const CPelagornData37& data) override;
    void OnPelagornSpinData(int32_t gameType, int32_t machineNo, bool ok,
                            const CPelagornSpinData& data) override;
    void OnPelagorn39(int32_t gameType, int32_t machineNo, bool ok,
                      const CPelagornData39* record) override;
    void OnPelagornSpinEnd(int32_t gameType, int32_t machineNo, bool ok,
                           const uint8_t* value) override;
    void OnPelagornTicketOut(int32_t gameType, int32_t machineNo, bool ok,
                             const CPelagornTicketOutData& data) override;
    void OnPelagornGameFin(int32_t gameType, int32_t machineNo, bool ok,
                           const uint8_t* block12) override;
};

template <class T>
T* CNetClient::CurrentScreen()
{
    return dynamic_cast<T*>(CurrentScreenWidget());
}

// Creates the program's protocol client (the creator main() installs for g_NetClient).
NetworkClient* CreateProgramNetClient();
