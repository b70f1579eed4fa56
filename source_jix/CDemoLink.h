#pragma once
// The Jix engine's server link: the machine key, one pending byte per request so that no request
// goes out twice, the retry rule of the play start, and the last spin-data block. Every request
// is skipped while the host is standalone; a pending byte is set only when the send succeeded.

#include <cstdint>

#include "CJixSpinData.h"
#include "JixSender.h"

class CDemo;
class CDemoTrace;

class CDemoLink {
public:
    static constexpr int32_t kRetryWaitMs = 1000;

    CDemoLink(CDemo* pOwner, int32_t nGameType, int32_t nMachineNo);
    virtual ~CDemoLink();
    CDemoLink(const CDemoLink&) = delete;
    CDemoLink& operator=(const CDemoLink&) = delete;

    // Requests; each true when it was sent.
    bool ReqPlayStart();
    bool ReqSpinData();
    bool ReqSpinEnd();
    bool ReqTicketOut();
    bool ReqGameFin();
    bool ReqBonus(int32_t nLevel);
    bool ReqAction();
    bool ReqCoinIn();
    bool ReqEnter();

    // Answers.
    void OnAnsPlayStart(bool bOk, uint32_t dwValue);
    void OnAnsBonus(bool bOk, uint32_t dwAmount);
    // A granted spin-data block (kSize bytes); null is ignored.
    void OnAnsSpinData(const uint8_t* pBlock);
    void OnAnsTicketOut(bool bValid);
    void OnAnsGameFin();

    // Copies the machine table's row of this key into the engine (credit, spins left, score),
    // with the score's display when asked. Nothing when the table holds no such machine.
    void RefreshMachine(bool bWithScoreDigits);

    // One trace line (printf-style, bounded to 1024 characters) to the sink, when one is attached.
    void Trace(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));
    // Attaches a sink (owned) in place of the one held.
    void SetTraceSink(CDemoTrace* pSink);

    CDemo* m_pOwner;
    int32_t m_nGameType;
    int32_t m_nMachineNo;
    CDemoTrace* m_pTrace = nullptr;
    uint8_t m_bPlayStartPending = 0;
    uint8_t m_bBonusPending = 0;
    uint8_t m_bGameFinPending = 0;
    uint8_t m_bPlaying = 0;
    uint8_t m_bSpinDataRequested = 0;
    uint8_t m_bSpinDataHeld = 0;
    uint8_t m_bSpinEnded = 1;
    uint8_t m_bSpinEndRequested = 0;
    uint8_t m_bCoinInPending = 0;
    uint8_t m_bActionSent = 0;
    uint8_t m_bTicketOutPending = 0;
    int32_t m_nRetryWait = kRetryWaitMs;
    uint32_t m_dwRefusedAt = 0;  // clock of the last refused play start; 0 = none
    CJixSpinData m_SpinData;

private:
    bool Send(JixRequest request, uint32_t dwValue = 0);
};
