#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "HiByteBuffer.h"
#include "HiNetworkClient.h"
#include "HiRefObject.h"
#include "MachineTable.h"
#include "NetRecords.h"

// The client side of the protocol. The I/O thread only queues connection events and message
// bodies; once per frame the UI thread's Process delivers one connection event, or else every
// queued message, decoding each by its id and calling one parser or handler. The handlers
// (OnConnected .. OnPelagornGameFin) are empty here; the program's protocol object overrides them.
//
// Handlers run on the UI thread without the receive lock held, so they may call senders, Connect
// and Close. Every sender refuses (false, nothing sent) unless connected, and returns whether the
// frame was written (senders wait for their write, except from the I/O thread, where it is queued).
//
// The I/O thread calls the notifications through the object's virtual table, so a derived class
// calls Close in its own destructor (or its owner closes before the release), never leaving the
// thread running while a destructor changes the object's dynamic type.
class NetworkClient : public HiNetworkClient, public HiRefObject {
public:
    static constexpr int32_t kInitialPoolSize = 256;
    // Messages waiting for the UI thread at most; one more closes the connection.
    static constexpr size_t kMaxQueuedMessages = 4096;
    static constexpr uint32_t kClientVersion = 257;

    explicit NetworkClient(CMachineTable& table = g_MachineTable);
    ~NetworkClient() override;

    // UI thread, once per frame.
    virtual void Process();
    // Decodes one message body (positioned at its id) and calls its parser or handler.
    void DispatchMessage(HiByteBuffer& buffer);

    bool SendPacket(const void* pBody, int32_t nLength);
    bool SendPing();

    size_t GetQueuedCount();
    size_t GetPoolCount();
    CMachineTable& GetMachineTable() { return m_table; }

    // Login, lobby, money, reservation and notice requests.
    bool ReqVersionCheck();
    bool ReqLogin(const char* pszUserId, const char* pszPassword);
    bool ReqUserInfo();
    bool ReqChannelInfo(uint8_t byGameType);
    bool ReqMachineSelect(uint8_t byDeckIndex, uint8_t byGameType, uint16_t wMachineNo);
    bool ReqLobbyEnter();
    bool ReqChat(const char16_t* pszText);     // 1..63 units
    bool ReqInquiry(const char16_t* pszText);  // 1..63 units
    bool ReqCharge(uint32_t dwAmount, const char16_t* pszDepositor);
    bool ReqExchange(uint32_t dwAmount, const char16_t* pszBankName, const char16_t* pszHolder,
                     const char* pszAccountNo, const char* pszPhoneNo);
    bool ReqDeckSwap(uint8_t byDeckIndex, uint8_t byNeighbourIndex);
    bool ReqGiftTicketInfo();
    bool ReqGiftTicketExchange(uint32_t dwTicketCount);
    bool ReqReserveInfo();
    bool ReqReserveStatus();
    bool ReqReserveMachine(int32_t nHours, bool bDeck0, bool bDeck1, bool bDeck2, bool bDeck3);
    bool ReqStaffCall();

    // Game requests; each starts with the machine key (game type, machine number).
    bool ReqJixEnter(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixCoinIn(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixPlayStart(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixBonus(uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue);
    bool ReqJixSpinData(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixSpinEnd(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixTicketOut(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixAction(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqJixGameFin(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneEnter(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneCoinIn(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneSpinData(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneSpinEnd(uint8_t byGameType, uint16_t wMachineNo, uint8_t byValue);
    bool ReqMorvaneTicketOut(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvane29(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvanePerformanceValue(uint8_t byGameType, uint16_t wMachineNo, uint32_t dwValue,
                                    bool bFlag);
    bool ReqMorvanePerformanceEnd(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneSpinDone(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqMorvaneGameFin(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagornEnter(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagornCoinIn(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagorn36(uint8_t byGameType, uint16_t wMachineNo);
    // Item hit: the hit position, the item type and the right-half flag.
    bool ReqPelagorn37(uint8_t byGameType, uint16_t wMachineNo, float fX, float fY,
                       uint16_t wItemType, uint8_t byRightHalf);
    bool ReqPelagornSpinData(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagorn39(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagornSpinEnd(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagornTicketOut(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagorn42(uint8_t byGameType, uint16_t wMachineNo);
    bool ReqPelagornGameFin(uint8_t byGameType, uint16_t wMachineNo);

    // Parsers of the structured answers; each takes the buffer positioned after the id.
    virtual void ParseChatLine(HiByteBuffer& buffer);         // 101
    virtual void ParseMachineTable(HiByteBuffer& buffer);     // 9, 108, 109
    virtual void ParsePrizeNoticeA(HiByteBuffer& buffer);     // 111
    virtual void ParsePrizeNoticeB(HiByteBuffer& buffer);     // 112
    virtual void ParsePrizeNoticeC(HiByteBuffer& buffer);     // 113
    virtual void ParseUserEnterLeave(HiByteBuffer& buffer);   // 114
    virtual void ParseReserveInfo(HiByteBuffer& buffer);      // 116
    virtual void ParseReserveStatus(HiByteBuffer& buffer);    // 118
    virtual void ParseReserveResult(HiByteBuffer& buffer);    // 120
    virtual void ParseMachineLog(HiByteBuffer& buffer);       // 122
    virtual void ParseStaffCallResult(HiByteBuffer& buffer);  // 124
    virtual void ParseMachineRelease(HiByteBuffer& buffer);   // 125
    virtual void ParseNotice(HiByteBuffer& buffer);           // 126
    virtual void ParseNoticeList(HiByteBuffer& buffer);       // 127

    // Reads two (credit, score) or three (credit, win, score) uint32 values and stores them in the
    // row of the key, when there is one.
    void UpdateMachineState2(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer);
    void UpdateMachineState3(int32_t nGameType, int32_t nMachineNo, HiByteBuffer& buffer);

protected:
    // I/O thread notifications.
    void OnConnect(bool bOk) override;
    void OnClose() override;
    void OnReceive(const char* pBody, int nLength) override;

    // Connection events.
    virtual void OnConnected() {}
    virtual void OnConnectFailed() {}
    virtual void OnDisconnected() {}
    // Lobby answers. Texts are UTF-16, zero-terminated, empty when absent.
    virtual void OnPrizeNoticeA(const char16_t*, int32_t /*gameType*/, int32_t /*machineNo*/,
                                int32_t /*symbol*/)
    {}
    virtual void OnPrizeNoticeB(const char16_t*, int32_t /*gameType*/, int32_t /*machineNo*/,
                                int32_t /*symbol*/, uint32_t /*amount*/)
    {}
    virtual void OnPrizeNoticeC(const CPrizeNotice&) {}
    virtual void OnUserEnterLeave(bool /*entered*/, const char16_t* /*name*/) {}
    virtual void OnLoginResult(int32_t /*code*/) {}
    virtual void OnVersionCheckResult(bool /*accepted*/) {}
    virtual void OnUserInfo() {}
    virtual void OnChannelInfoBegin(int32_t /*page*/, int32_t /*count*/) {}
    virtual void OnChannelInfoEntry(int32_t /*page*/, int32_t /*machineNo*/, int32_t /*state*/) {}
    virtual void OnChannelInfoEnd() {}
    virtual void OnMachineSelectResult(int32_t /*code*/, int32_t /*deckIndex*/,
                                       int32_t /*gameType*/, int32_t /*machineNo*/)
    {}
    virtual void OnCoinCharged(int32_t /*kind*/) {}
    virtual void OnGiftTicketCount() {}
    virtual void OnChargeRequestResult(int32_t /*code*/) {}
    virtual void OnExchangeRequestResult(int32_t /*code*/) {}
    virtual void OnDeckSwap() {}
    virtual void OnMachineRemove(int32_t /*code*/) {}
    virtual void OnGiftTicketInfo(float /*rate*/, uint32_t /*a*/, uint32_t /*b*/) {}
    virtual void OnGiftTicketExchanged(uint32_t /*c*/, uint32_t /*d*/) {}
    virtual void OnGiftTicketFailed(int32_t /*code*/) {}
    virtual void OnReserveInfoEntry(const CReserveInfoEntry&) {}
    virtual void OnReserveInfoEnd() {}
    virtual void OnReserveStatus(int32_t /*hours*/) {}
    virtual void OnReserveStatusList(int32_t /*lastMachineNo*/) {}
    virtual void OnReserveResult(const CReserveResult&) {}
    virtual void OnDeckLogEntry(const CMachineLogEntry&) {}
    virtual void OnGameLogEntry(const CMachineLogEntry&) {}
    virtual void OnMachineLogEnd() {}
    virtual void OnStaffCallResult(int32_t /*flag*/) {}
    virtual void OnMachineRelease(int32_t /*gameType*/, int32_t /*machineNo*/) {}
    virtual void OnNotice(const char16_t* /*text*/) {}
    virtual void OnNoticeListBegin() {}
    virtual void OnNoticeListEntry(const char16_t* /*text*/) {}
    virtual void OnNoticeListEnd() {}
    virtual void OnChatLine(const char16_t* /*name*/, const char16_t* /*text*/, bool /*bit2*/,
                            bool /*bit7*/, bool /*bit0*/, bool /*bit3*/)
    {}
    virtual void OnExchangeDone(uint32_t /*amount*/) {}
    virtual void OnChargeRefused(uint32_t /*amount*/) {}
    // Game answers: (game type, machine number, ...). Blocks are null when the answer has none.
    virtual void OnJixEnter(int32_t, int32_t, const uint8_t* /*spinData180*/) {}
    virtual void OnJixCoinIn(int32_t /*result*/, int32_t, int32_t) {}
    virtual void OnJixPlayStart(int32_t, int32_t, bool /*granted*/, uint32_t /*value*/) {}
    virtual void OnJixBonus(int32_t, int32_t, bool /*granted*/, uint32_t /*value*/) {}
    virtual void OnJixSpinData(int32_t, int32_t, bool /*granted*/, const uint8_t* /*spinData180*/)
    {}
    virtual void OnJixSpinEnd(int32_t, int32_t, bool /*ok*/) {}
    virtual void OnJixTicketOut(int32_t, int32_t, int32_t /*result*/) {}
    virtual void OnJixGameFin(int32_t, int32_t, bool /*ok*/) {}
    virtual void OnMorvaneEnter(int32_t, int32_t, const uint8_t* /*spinData200*/) {}
    virtual void OnMorvaneCoinIn(int32_t /*result*/, int32_t, int32_t) {}
    virtual void OnMorvaneSpinData(int32_t, int32_t, bool /*granted*/,
                                   const uint8_t* /*spinData200*/)
    {}
    virtual void OnMorvaneSpinEnd(int32_t, int32_t, bool /*ok*/) {}
    virtual void OnMorvaneTicketOut(int32_t, int32_t, int32_t /*result*/) {}
    // The index as sent (the game keeps entries 0..4 only); value 0..55.
    virtual void OnMorvanePerformanceValue(int32_t, int32_t, uint32_t /*index*/, int32_t /*value*/,
                                           int32_t /*flag*/, uint32_t /*amount*/)
    {}
    // Answer 30 with ok 0: the card was refused.
    virtual void OnMorvanePerformanceRefused(int32_t, int32_t) {}
    virtual void OnMorvaneGameFin(int32_t, int32_t, bool /*ok*/) {}
    virtual void OnPelagornEnter(int32_t, int32_t, const CPelagornEnterData&) {}
    virtual void OnPelagornCoinIn(int32_t /*result*/, int32_t, int32_t) {}
    virtual void OnPelagorn36(int32_t, int32_t, bool /*ok*/, const uint8_t* /*block16*/) {}
    virtual void OnPelagorn37(int32_t, int32_t, bool /*ok*/, const CPelagornData37&) {}
    virtual void OnPelagornSpinData(int32_t, int32_t, bool /*ok*/, const CPelagornSpinData&) {}
    virtual void OnPelagorn39(int32_t, int32_t, bool /*ok*/, const CPelagornData39* /*record*/) {}
    virtual void OnPelagornSpinEnd(int32_t, int32_t, bool /*ok*/, const uint8_t* /*value*/) {}
    virtual void OnPelagornTicketOut(int32_t, int32_t, bool /*ok*/, const CPelagornTicketOutData&)
    {}
    virtual void OnPelagornGameFin(int32_t, int32_t, bool /*ok*/, const uint8_t* /*block12*/) {}

private:
    using BufferQueue = std::deque<HiPointer<HiLocalByteBuffer>>;

    bool SendIdOnly(uint16_t wId);
    bool SendKeyMessage(uint16_t wId, uint8_t byGameType, uint16_t wMachineNo);
    bool SendChat(uint8_t byKind, const char16_t* pszText);
    // The lobby's answers by concern; each returns false for an id not its own.
    bool DispatchLobbyMessage(uint16_t wId, HiByteBuffer& buffer);
    bool DispatchMoneyMessage(uint16_t wId, HiByteBuffer& buffer);
    bool DispatchReserveMessage(uint16_t wId, HiByteBuffer& buffer);
    bool DispatchNoticeMessage(uint16_t wId, HiByteBuffer& buffer);
    // The games' answers, one family each (ids 14..22, 23..33, 34..43).
    void DispatchJixMessage(uint16_t wId, HiByteBuffer& buffer);
    void DispatchMorvaneMessage(uint16_t wId, HiByteBuffer& buffer);
    void DispatchPelagornMessage(uint16_t wId, HiByteBuffer& buffer);
    void ParseJixEnter(HiByteBuffer& buffer);                 // 14
    void ParseMorvanePerformanceValue(HiByteBuffer& buffer);  // 30
    // The lobby answers DispatchMessage decodes field by field; each takes the buffer positioned
    // after the id.
    void ParseLoginResult(HiByteBuffer& buffer);            // 5
    void ParseUserInfo(HiByteBuffer& buffer);               // 9
    void ParseChannelInfo(HiByteBuffer& buffer);            // 11
    void ParseMachineSelectResult(HiByteBuffer& buffer);    // 13
    void ParseExchangeRequestResult(HiByteBuffer& buffer);  // 107
    void ParseMachineRemove(HiByteBuffer& buffer);          // 109
    void ParseGiftTicket(HiByteBuffer& buffer);             // 110

    CMachineTable& m_table;
    std::mutex m_lock;  // guards both queues and the buffers' reference counts
    BufferQueue m_receiveQueue;
    BufferQueue m_freePool;
    BufferQueue m_dispatchBatch;  // UI thread only: the messages Process is dispatching
    bool m_bDispatching = false;
    std::atomic<bool> m_bConnectedEvent{false};
    std::atomic<bool> m_bConnectFailedEvent{false};
    std::atomic<bool> m_bClosedEvent{false};
    double m_dSecondsPerTick;   // 1 / performance-counter frequency
    uint64_t m_qwStartCounter;  // performance counter at construction
};
