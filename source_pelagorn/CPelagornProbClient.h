#pragma once
// The Pelagorn game's side of its conversation with the server (messages 34 to 43): the machine
// key, one pending or state byte per request, and the last accepted spin record.
//
// A spin cycle: 38 out -> 38 in (held, open) -> the reels run; 42 once when they stop; 39 while
// results are wanted -> 39 in (next event) or a refused/empty 39 -> 40 once -> 40 in (end
// confirmed) -> 43 -> 43 in (held and open cleared) -> a new 38 may go out.
//
// A pending byte is set only when its request was sent. 40 goes out at most once per cycle, and
// its answer confirms the spin end whenever it comes (also after a later accepted 39). A refused
// (or unsent) 40 or 43 is sent again after kRetryDelayMs of game time (Process), at most
// kMaxResends times; after that the link stops asking and logs it: the machine keeps its last
// spin until the game is made again.

#include <cstdint>

#include "CPelagornRecords.h"
#include "CPelagornSender.h"

class CPelagornLinkHost;

class CPelagornProbClient {
public:
    static constexpr uint32_t kTicketOutIntervalMs = 1500;
    static constexpr uint32_t kRetryDelayMs = 1000;
    static constexpr uint8_t kMaxResends = 3;

    CPelagornProbClient(CPelagornLinkHost* pHost, CPelagornSender* pSender);
    virtual ~CPelagornProbClient() = default;
    CPelagornProbClient(const CPelagornProbClient&) = delete;
    CPelagornProbClient& operator=(const CPelagornProbClient&) = delete;

    void SetKey(int32_t iKind, int32_t iMachine)
    {
        m_iKind = iKind;
        m_iMachine = iMachine;
    }
    void SetSender(CPelagornSender* pSender) { m_pSender = pSender; }
    bool HasKey() const;

    // Requests; each returns whether it was sent.
    bool RequestEnter();
    // Refused while a coin-in is pending unless forced.
    bool RequestCoinIn(bool bForce);
    // The scene has checked its own conditions; refused while a coin drop is pending.
    bool RequestCoinDrop();
    bool RequestItemHit(const CPelagornItemHit& hit);
    // Neither spin data held nor a spin-data request pending.
    bool RequestSpinData();
    // The reels want a result: only while none is pending.
    bool RequestResult();
    // The reels stopped: once per cycle.
    bool RequestReelsStopped();
    // The spin end was confirmed, spin data is held and no game-fin is pending (nor waiting to
    // be sent again after a refusal).
    bool RequestGameFin();
    // Every tick while COMM_GIFT >= 1: at most one try per kTicketOutIntervalMs of game time; a
    // try while the previous answer is not in sends nothing.
    bool RequestTicketOut(int32_t iCommGift);
    // Restarts the ticket-out interval (a gift-out just started).
    void StampTicketOut() { m_dwTicketStamp = Now(); }
    // Sends a refused 40 or 43 again once its delay has passed.
    void Process();

    // Answers.
    void OnEnter(const CPelagornEnterRecord& record);
    void OnCoinIn(int32_t iCredit);
    void OnCoinDrop(bool bOk, const CPelagornCoinDropRecord& record);
    void OnItemHit(bool bOk, const CPelagornItemRecord& record);
    void OnSpinData(bool bOk, const CPelagornSpinRecord& record);
    // record is null when the answer carried none.
    void OnSpinResult(bool bOk, const CPelagornResultRecord* pRecord);
    void OnSpinEnd(bool bOk);
    void OnTicketOut(bool bOk, const CPelagornTicketOutRecord& record);
    void OnGameFin(bool bOk, const CPelagornGameFinRecord& record);

    CPelagornLinkHost* m_pHost;
    int32_t m_iKind = -1;
    int32_t m_iMachine = -1;
    uint8_t m_bCoinInPending = 0;
    uint8_t m_bCoinDropPending = 0;
    uint8_t m_bGameFinPending = 0;
    uint8_t m_bSpinDataHeld = 0;
    uint8_t m_bSpinDataPending = 0;
    uint8_t m_bSpinCycleOpen = 0;
    uint8_t m_bResultPending = 0;
    uint8_t m_bResultFailed = 0;
    uint8_t m_bSpinEndConfirmed = 1;
    uint8_t m_bSpinEndSent = 0;
    uint8_t m_bTicketOutPending = 0;
    uint8_t m_bReelsStoppedSent = 0;
    // Refused (or unsent) 40 and 43 waiting for their retry time, the resends used in this cycle,
    // and whether the link stopped asking.
    uint8_t m_bSpinEndRetry = 0;
    uint8_t m_bGameFinRetry = 0;
    uint8_t m_bySpinEndResends = 0;
    uint8_t m_byGameFinResends = 0;
    uint8_t m_bSpinEndGivenUp = 0;
    uint8_t m_bGameFinGivenUp = 0;
    uint32_t m_dwSpinEndRetryStamp = 0;
    uint32_t m_dwGameFinRetryStamp = 0;
    uint32_t m_dwTicketStamp = 0;
    CPelagornSpinRecord m_LastSpinData;

private:
    uint32_t Now() const;
    // now - stamp in game ms; a stamp later than now is first pulled back to now.
    uint32_t Elapsed(uint32_t& dwStamp) const;
    bool Send(PelagornRequest request, const CPelagornItemHit& hit = {});
    void SendSpinEnd();
    // A 40 or 43 was refused or could not be sent: a resend after the delay while resends are
    // left, else the link stops asking. bRetry, byResends and bGivenUp are that request's state.
    void ScheduleResend(const char* pszWhat, uint8_t& bRetry, uint8_t& byResends, uint8_t& bGivenUp,
                        uint32_t& dwStamp);

    CPelagornSender* m_pSender;
};
