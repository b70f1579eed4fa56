#pragma once
// The cabinet's serial-line worker: owns one port, hands what the board sends to the protocol
// above it (OnReceive / OnProcess / OnResponse), and writes queued five-byte commands ("L501\r",
// "g001\r") at timed intervals, waiting after each for the board's answers.
//
// A class that derives from this layer and serves as its own CXCabinetGame (the game scene) calls
// StopThread first in its destructor: the worker reads the game clock through it.
//
// Threads: the loop step runs on the layer's own thread; SendCommand, SendGiftOut and the game's
// reads of the error code and flags run on the main thread. Every field both threads touch is an
// atomic or lives under one of the locks. Lock order: answer lock, then read queue; the write
// queue and the port lock are never held together with another lock of this layer except
// briefly, never in the opposite order.

#include <atomic>
#include <cstdint>
#include <memory>

#include "CXCabinetGame.h"
#include "CXListTmpl.h"
#include "CXLockFast.h"
#include "CXLockTmpl.h"
#include "CXMemoryPoolTmpl.h"
#include "CXThread.h"

namespace platform {
class SerialPort;
}

// One queued command.
class CXSerialCommWriteBufferInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXSerialCommWriteBufferInfo)
    virtual ~CXSerialCommWriteBufferInfo() = default;

    static constexpr int kLength = 5;

    int32_t m_iLength = kLength;
    char m_szBuffer[kLength + 1] = {};  // the command and a NUL
    int32_t m_iAnswers = 0;             // matching answers awaited after the write
    uint32_t m_dwDelay = 0;             // ms; due when more than this has passed since queuing
    uint32_t m_dwQueuedAt = 0;          // game clock, ms
    int32_t m_iRetries = 0;             // times a gift-out went back into the queue or re-waited
};

// One received frame (at most five bytes, the terminator included).
class CXSerialCommReadBufferInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXSerialCommReadBufferInfo)
    virtual ~CXSerialCommReadBufferInfo() = default;

    static constexpr uint32_t kMaxLength = 5;

    uint32_t m_dwLength = 0;
    char m_szBuffer[kMaxLength + 1] = {};  // zero-terminated copy
    // The frame's action has run; it may stay queued only for OnResponse to match it.
    bool m_bHandled = false;
};

class CXSerialComm : public CXThread {
public:
    using WriteQueue = CXLockTmpl<CXListTmpl<CXSerialCommWriteBufferInfo>>;
    using ReadQueue = CXLockTmpl<CXListTmpl<CXSerialCommReadBufferInfo>>;

    static constexpr uint32_t kAnswerWaitMs = 4000;
    static constexpr uint32_t kMinDelayMs = 100;
    static constexpr uint32_t kSpacingMs = 3000;
    static constexpr uint32_t kGiftOutDelayMs = 500;
    // SendCommand and SendGiftOut queue nothing while this many commands wait.
    static constexpr uint32_t kMaxQueued = 100;
    // A gift-out command goes back into the queue, or waits again for its second answer, at most
    // this often; then it is given up with the no-answer flag set.
    static constexpr int32_t kMaxGiftOutRetries = 3;
    static constexpr int kReadChunk = 4096;

    // Error codes of m_byError besides the board's own numbers.
    enum : uint8_t {
        ERROR_NONE = 0,
        ERROR_GIFT_UNANSWERED = 4,
        ERROR_BOARD = 10,
        ERROR_LINE = 200,
        ERROR_FRAME = 201,
    };

    explicit CXSerialComm(CXCabinetGame* pGame);
    ~CXSerialComm() override;

    // Attaches an open port (replacing and closing any earlier one); refused (false) for null or
    // while the worker thread runs.
    bool AttachPort(std::unique_ptr<platform::SerialPort> pPort);
    // Opens a serial device raw 8N1 at the baud rate and attaches it.
    bool OpenPort(const char* pszDevice, uint32_t dwBaud);
    bool HasPort();
    // Starts the worker thread ("CXSerialComm", a step every millisecond); false without a port.
    bool StartThread();

    // Writes the bytes to the port; false for null bytes, no port, the hold flag, or a short write.
    bool WritePort(const char* pBytes, int nLength);
    // Reads what waits in the driver, at most kReadChunk bytes, into the buffer; the count read.
    int ReadPort(char* pBuffer);

    // Queues a five-byte command awaiting nAnswers answers, due after the delay (at least
    // kMinDelayMs). False without a port, for a null command, or when the queue is full.
    bool AddWriteBuffer(const char* pszCommand, int nAnswers, uint32_t dwDelayMs);
    // The road of the game's lamp and mode commands: delay by the command's hundreds, 'L' commands
    // of the first digits 1 to 4 dropped, and at least kSpacingMs between consecutive commands.
    void SendCommand(const char* pszCommand);
    // Queues one "g001\r" per gift, then GIFT_SEND_COUNT := nCount and the game data is saved.
    void SendGiftOut(int nCount);

    // One step of the worker (see the .cpp); always LOOP_CONTINUE.
    int OnThreadLoop() override;

    // Protocol hooks: bytes read from the port; frames to act on (bFinal is 0 inside an answer
    // wait); whether the oldest received frame answers the command just written.
    virtual void OnReceive(const char* pBytes, int nLength);
    virtual void OnProcess(int bFinal);
    virtual bool OnResponse(const char* pszCommand, int nLength);

    // The scene's GIFT_SEND_COUNT meter (gift-outs written and not yet echoed by the board).
    std::atomic<int32_t> m_iGiftSendCount{0};

    uint32_t m_dwCommandStamp = 0;  // main thread: the spacing rule's stamp
    std::atomic<uint8_t> m_byError{0};
    std::atomic<uint32_t> m_dwLastWriteMs{0};
    std::atomic<int32_t> m_bNoAnswer{0};
    std::atomic<int32_t> m_bHold{0};  // discard queued commands, refuse writes
    WriteQueue m_WriteQueue;
    ReadQueue m_ReadQueue;
    CXCabinetGame* m_pGame;
    CXLockFast m_AnswerLock;

protected:
    uint32_t Now() const { return m_pGame ? m_pGame->GetTimeMs() : 0; }
    // True once the worker has been told to stop (a wait inside a step ends then).
    bool StopRequested() const { return m_bThreadStarted.load() && !IsRunning(); }
    // Stops the worker; derived classes call it first in their destructors.
    void StopThread();

private:
    enum class WaitResult { Answered, Requeued, GaveUp };
    WaitResult WaitForAnswer(CXSerialCommWriteBufferInfo* pInfo, bool bEarlierAnswer);
    CXSerialCommWriteBufferInfo* TakeDueCommand(uint32_t dwNow);
    void RestampSameLetter(char cLetter, uint32_t dwNow);

    CXLockFast m_PortLock;
    std::unique_ptr<platform::SerialPort> m_pPort;
    std::atomic<bool> m_bThreadStarted{false};
};
