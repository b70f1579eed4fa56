#pragma once
// The Morvane game's side of the server: the machine key, the request and answer flags of the
// spin cycle and the last spin record from the server.

#include <cstdint>

#include "CMorvaneSpinData.h"

class CMorvaneLinkHost;
class CMorvaneSender;

class CMorvaneLink {
public:
    // Kind and machine number are taken from the host's owner.
    explicit CMorvaneLink(CMorvaneLinkHost* host);

    // Requests; each is sent only while the owner is networked. Flags that guard a request are
    // set only when it was sent, so a request the connection refused goes out again later.
    bool ReqEnter();
    bool ReqCoinIn(bool force);
    bool ReqSpinData();
    bool ReqTicketOut();
    bool ReqSpinDone();
    bool ReqSpinEnd();
    bool ReqGameFin();
    bool ReqDoubleUp();
    // Id 30 for a double-up stage; sets the value-request byte when sent.
    bool ReqPerformanceValue(int32_t stage, int32_t choice);
    bool ReqPerformanceEnd();

    // What the game asks of the spin cycle: requests sent and not yet answered, and where the
    // round stands with the server.
    bool CoinInPending() const { return m_byCoinInPending != 0; }
    bool SpinDataRequested() const { return SpinReq != 0; }
    bool SpinDataReceived() const { return SpinDataRecved != 0; }
    bool Playing() const { return playing != 0; }
    bool SpinDoneSent() const { return m_bySpinDoneSent != 0; }
    bool SpinEndRequested() const { return m_bySpinEndReq != 0; }
    // The server ended the last spin (or none was started).
    bool SpinEnded() const { return SpinEnd != 0; }
    bool ValueRequested() const { return m_byValueReq != 0; }
    bool GameFinRequested() const { return finReq != 0; }
    bool TicketOutRequested() const { return TicketOutReq != 0; }
    // Any of the spin-data, double-up card, ticket-out and game-fin requests awaits its answer.
    bool AwaitsAnswer() const { return SpinReq || m_byValueReq || TicketOutReq || finReq; }
    // The last spin record from the server.
    const CMorvaneSpinData& Record() const { return m_Record; }
    // Where requests go (borrowed; null sends nothing).
    void SetSender(CMorvaneSender* sender) { m_pSender = sender; }

    // Credit and score from the machine's row of the machine table (unchanged when the machine is
    // not in the table).
    void RefreshMachine();

    // Answers. Records are checked on receipt: a record whose stops or reel set are out of range
    // is refused (logged) and never reaches the game.
    void OnAnsEnter(const uint8_t* record, size_t size);
    // accepted: the answer's code was 0 (only then was money inserted).
    void OnAnsCoinIn(bool accepted);
    // Both clear the value-request byte before the game takes the answer.
    void OnAnsPerformanceValue(uint32_t index, int32_t value, int32_t flag, int32_t amount);
    void OnAnsPerformanceRefused();
    // Clears the spin-data request (the answer came, granted or not); `record` is null for a
    // refused answer.
    void OnAnsSpinData(bool granted, const uint8_t* record, size_t size);
    void OnAnsSpinEnd(bool ok);
    void OnAnsTicketOut(bool ok);
    void OnAnsGameFin(bool ok);

private:
    bool Send(uint16_t request);

    CMorvaneLinkHost* m_pHost;
    CMorvaneSender* m_pSender = nullptr;  // borrowed; null sends nothing
    int32_t m_nKind = -1;
    int32_t m_nMachineNo = 0;
    uint8_t SpinReq = 0;
    uint8_t SpinDataRecved = 0;
    uint8_t TicketOutReq = 0;
    uint8_t m_bySpinDoneSent = 0;
    uint8_t m_byValueReq = 0;
    uint8_t SpinEnd = 1;
    uint8_t m_bySpinEndReq = 0;
    uint8_t finReq = 0;
    uint8_t playing = 0;
    uint8_t m_byCoinInPending = 0;
    CMorvaneSpinData m_Record;
};
