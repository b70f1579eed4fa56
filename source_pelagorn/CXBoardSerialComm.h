#pragma once
// The protocol of the cabinet's I/O board over the serial worker: cuts the received bytes into
// CR-terminated frames, acts on each frame once by its first letter (bill and coin credit, credit
// added by the board, gifts dispensed, board errors, switch states, lamp acknowledge), echoes most
// frames back, and tells the write loop whether the oldest frame answers the command just written.
//
// What the frames bring for the game (credit, dispensed gifts, switch latches, a changed
// GIFT_SEND_COUNT) is kept in atomics that the game takes on its own thread.

#include <atomic>
#include <cstdint>

#include "CXSerialComm.h"

class CXBoardSerialComm : public CXSerialComm {
public:
    CX_DECLARE_MEMORY_POOL(CXBoardSerialComm)

    static constexpr uint32_t kReceiveSize = 4096;
    static constexpr int kSwitchCount = 10;
    static constexpr uint32_t kBillRepeatMs = 500;
    // Frames kept for OnResponse beyond this many are dropped oldest first, once acted on.
    static constexpr uint32_t kMaxReadQueue = 64;

    explicit CXBoardSerialComm(CXCabinetGame* pGame);
    ~CXBoardSerialComm() override;

    void OnReceive(const char* pBytes, int nLength) override;
    void OnProcess(int bFinal) override;
    bool OnResponse(const char* pszCommand, int nLength) override;

    // For an index below 10 whose latch is set: clears it and returns true.
    bool TakeSwitchLatch(unsigned char byIndex);
    // Credit brought by bill, coin and board-credit frames since the last call (already x100).
    int32_t TakeCreditInput() { return m_iCreditInput.exchange(0); }
    // Gifts the board reported dispensed since the last call; the game calls
    // AddCommGiftToGo(-1) for each.
    int32_t TakeGiftsDispensed() { return m_iGiftsDispensed.exchange(0); }
    // Whether an echoed gift-out lowered GIFT_SEND_COUNT since the last call (the game then saves
    // its game data).
    bool TakeGiftSendCountChanged() { return m_bGiftSendCountChanged.exchange(false); }

    uint32_t m_dwLastBillMs = 0;   // serial thread
    int32_t m_iLastBillValue = 0;  // serial thread
    char m_byReceive[kReceiveSize + 1] = {};
    uint32_t m_dwReceiveCount = 0;
    // 1 while the switches serve the accounts menu (the game scene then ignores the latches).
    std::atomic<uint8_t> m_bMenuSwitches{0};
    std::atomic<uint8_t> m_bySwitch[kSwitchCount] = {};
    std::atomic<uint8_t> m_bySwitchLatch[kSwitchCount] = {};

private:
    void AcceptFrame(const char* pFrame, uint32_t dwLength);
    // Acts on one frame; true when it was one of the letters this protocol handles.
    bool HandleFrame(const CXSerialCommReadBufferInfo& frame);
    void HandleSwitches(int nValue);

    std::atomic<int32_t> m_iCreditInput{0};
    std::atomic<int32_t> m_iGiftsDispensed{0};
    std::atomic<bool> m_bGiftSendCountChanged{false};
};
