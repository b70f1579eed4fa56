#pragma once
// The Morvane game's side of the server: the machine key, the request and answer flags of the
// spin cycle and the last spin record from the server.

#include <cstdint>

#include "CMorvaneSpinData.h"

class CMorvaneMain;
class CMorvaneSender;

class CMorvaneLink {
public:
    // Kind and machine number are taken from the owner's host.
    explicit CMorvaneLink(CMorvaneMain* owner);

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

    // Credit and score from the machine's row of the machine table (unchanged when the machine is
    // not in the table).
    void RefreshMachine();

    // Answers. Records are checked on receipt: a record whose stops or reel set are out of range
    // is refused (logged) and never reaches the game.
    void OnAnsEnter(const uint8_t* record, size_t size);
    // accepted: the answer's code was 0 (only then was money inserted).
    void OnAnsCoinIn(bool accepted);
    void OnAnsPerformanceValue(uint32_t index, int32_t value, int32_t flag, int32_t amount);
    void OnAnsPerformanceRefused();
    // Clears SpinReq (the answer came, granted or not); `record` is null for a refused answer.
    void OnAnsSpinData(bool granted, const uint8_t* record, size_t size);
    void OnAnsSpinEnd(bool ok);
    void OnAnsTicketOut(bool ok);
    void OnAnsGameFin(bool ok);

    CMorvaneMain* m_pOwner;
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

private:
    bool Send(uint16_t request);
};
