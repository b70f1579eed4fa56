#include "CXSerialComm.h"

#include <cstring>

#include "CXAutoLock.h"
#include "CXLog.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace {

// Delay of a command whose number is a multiple of 100, by its hundreds digit.
constexpr uint32_t kHundredsDelayMs[10] = {0, 0, 1600, 3000, 5100, 2000, 0, 0, 0, 0};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The unsigned age of a stamp; a stamp later than now counts as now.
uint32_t Age(uint32_t dwNow, uint32_t dwStamp)
{
    return int32_t(dwNow - dwStamp) < 0 ? 0 : dwNow - dwStamp;
}

}  // namespace

CXSerialComm::CXSerialComm(CXCabinetGame* pGame) : m_pGame(pGame) {}

CXSerialComm::~CXSerialComm()
{
    StopThread();
    {
        CXAutoLock lock(m_PortLock);
        m_pPort.reset();
    }
    {
        CXAutoLock lock(m_WriteQueue);
        m_WriteQueue.m_Data.RemoveAll(1);
    }
    CXAutoLock lock(m_ReadQueue);
    m_ReadQueue.m_Data.RemoveAll(1);
}

void CXSerialComm::StopThread()
{
    Stop();
}

bool CXSerialComm::AttachPort(std::unique_ptr<platform::SerialPort> pPort)
{
    if (!pPort || IsRunning())
        return false;
    CXAutoLock lock(m_PortLock);
    m_pPort = std::move(pPort);
    return true;
}

bool CXSerialComm::OpenPort(const char* pszDevice, uint32_t dwBaud)
{
    if (!pszDevice)
        return false;
    std::unique_ptr<platform::SerialPort> pPort = platform::OpenSerialPort(pszDevice, dwBaud);
    if (!pPort) {
        CX_LOG_ERROR("CXSerialComm::OpenPort", "Serial port open fail. [%s, %u]", pszDevice,
                     dwBaud);
        return false;
    }
    return AttachPort(std::move(pPort));
}

bool CXSerialComm::HasPort()
{
    CXAutoLock lock(m_PortLock);
    return m_pPort != nullptr;
}

bool CXSerialComm::StartThread()
{
    if (!HasPort())
        return false;
    m_bThreadStarted = true;
    return ThreadRun("CXSerialComm", 0, 1) != 0;
}

bool CXSerialComm::WritePort(const char* pBytes, int nLength)
{
    if (!pBytes || nLength < 0 || m_bHold.load())
        return false;
    CXAutoLock lock(m_PortLock);
    if (!m_pPort)
        return false;
    m_dwLastWriteMs = Now();
    return m_pPort->Write(pBytes, size_t(nLength)) == nLength;
}

int CXSerialComm::ReadPort(char* pBuffer)
{
    if (!pBuffer)
        return 0;
    CXAutoLock lock(m_PortLock);
    if (!m_pPort)
        return 0;
    const int64_t nWaiting = m_pPort->BytesWaiting();
    if (nWaiting <= 0)
        return 0;
    const int64_t nRead =
        m_pPort->Read(pBuffer, size_t(nWaiting < kReadChunk ? nWaiting : kReadChunk));
    return nRead > 0 ? int(nRead) : 0;
}

bool CXSerialComm::AddWriteBuffer(const char* pszCommand, int nAnswers, uint32_t dwDelayMs)
{
    if (!pszCommand || !HasPort())
        return false;
    auto* pInfo = new CXSerialCommWriteBufferInfo;
    if (!pInfo)
        return false;
    std::memcpy(pInfo->m_szBuffer, pszCommand,
                strnlen(pszCommand, CXSerialCommWriteBufferInfo::kLength));
    pInfo->m_iAnswers = nAnswers;
    pInfo->m_dwDelay = dwDelayMs < kMinDelayMs ? kMinDelayMs : dwDelayMs;
    pInfo->m_dwQueuedAt = Now();
    CXAutoLock lock(m_WriteQueue);
    if (m_WriteQueue.m_Data.GetCount() >= kMaxQueued || !m_WriteQueue.m_Data.AddTail(pInfo)) {
        delete pInfo;
        return false;
    }
    return true;
}

void CXSerialComm::SendCommand(const char* pszCommand)
{
    if (!pszCommand || strnlen(pszCommand, 4) < 4)
        return;
    {
        CXAutoLock lock(m_WriteQueue);
        if (m_WriteQueue.m_Data.GetCount() >= kMaxQueued)
            return;
    }
    uint32_t dwDelay = 0;
    if (IsDigit(pszCommand[1]) && IsDigit(pszCommand[2]) && IsDigit(pszCommand[3])) {
        const int n =
            (pszCommand[1] - '0') * 100 + (pszCommand[2] - '0') * 10 + (pszCommand[3] - '0');
        if (n % 100 == 0)
            dwDelay = kHundredsDelayMs[n / 100];
    }
    if (pszCommand[0] == 'L' && pszCommand[1] >= '1' && pszCommand[1] <= '4')
        return;
    // Every queued command takes the stamp, so consecutive commands stay kSpacingMs apart.
    const uint32_t dwNow = Now();
    if (Age(dwNow, m_dwCommandStamp) < kSpacingMs)
        dwDelay = kSpacingMs;
    m_dwCommandStamp = dwNow;
    AddWriteBuffer(pszCommand, 1, dwDelay);
}

void CXSerialComm::SendGiftOut(int nCount)
{
    for (int i = 0; i < nCount; ++i)
        if (!AddWriteBuffer("g001\r", 2, kGiftOutDelayMs))
            break;
    m_iGiftSendCount = nCount;
    if (m_pGame)
        m_pGame->SaveGameData();
}

void CXSerialComm::OnReceive(const char*, int) {}

void CXSerialComm::OnProcess(int) {}

bool CXSerialComm::OnResponse(const char*, int)
{
    return false;
}

CXSerialCommWriteBufferInfo* CXSerialComm::TakeDueCommand(uint32_t dwNow)
{
    CXAutoLock lock(m_WriteQueue);
    auto& queue = m_WriteQueue.m_Data;
    const bool bError = m_byError.load() != 0;
    for (auto* pElement = queue.m_pHead; pElement;) {
        auto* pNext = pElement->m_pNext;
        CXSerialCommWriteBufferInfo* pInfo = pElement->m_pData;
        if (!pInfo) {
            queue.DelList(pElement);
            pElement = pNext;
            continue;
        }
        const bool bConsidered = !bError || pInfo->m_iAnswers == 0 || pInfo->m_szBuffer[0] == 'e';
        if (bConsidered && Age(dwNow, pInfo->m_dwQueuedAt) > pInfo->m_dwDelay) {
            bool bTake = pElement == queue.m_pHead;
            if (!bTake) {
                bTake = true;
                for (auto* p = queue.m_pHead; p; p = p->m_pNext)
                    if (p != pElement && p->m_pData &&
                        p->m_pData->m_szBuffer[0] == pInfo->m_szBuffer[0]) {
                        bTake = false;
                        break;
                    }
            }
            if (bTake) {
                queue.DelLink(pInfo);
                return pInfo;
            }
        }
        pElement = pNext;
    }
    return nullptr;
}

void CXSerialComm::RestampSameLetter(char cLetter, uint32_t dwNow)
{
    CXAutoLock lock(m_WriteQueue);
    for (auto* p = m_WriteQueue.m_Data.m_pHead; p; p = p->m_pNext)
        if (p->m_pData && p->m_pData->m_szBuffer[0] == cLetter)
            p->m_pData->m_dwQueuedAt = dwNow;
}

CXSerialComm::WaitResult CXSerialComm::WaitForAnswer(CXSerialCommWriteBufferInfo* pInfo,
                                                     bool bEarlierAnswer)
{
    char szBuffer[kReadChunk + 1];
    uint32_t dwStart = Now();
    while (!StopRequested()) {
        std::memset(szBuffer, 0, sizeof szBuffer);
        const int nRead = ReadPort(szBuffer);
        OnReceive(szBuffer, nRead);
        OnProcess(0);
        if (OnResponse(pInfo->m_szBuffer, pInfo->m_iLength))
            return WaitResult::Answered;
        const uint32_t dwNow = Now();
        if (Age(dwNow, dwStart) <= kAnswerWaitMs) {
            platform::SleepMs(1);
            continue;
        }
        if (pInfo->m_szBuffer[0] != 'g') {
            if (m_byError.load() == 0)
                m_bNoAnswer = 1;
            return WaitResult::GaveUp;
        }
        m_byError = ERROR_GIFT_UNANSWERED;
        if (pInfo->m_iRetries >= kMaxGiftOutRetries) {
            m_bNoAnswer = 1;
            CX_LOG_ERROR("CXSerialComm::OnThreadLoop", "Gift-out given up after %d retries: %.4s",
                         pInfo->m_iRetries, pInfo->m_szBuffer);
            return WaitResult::GaveUp;
        }
        ++pInfo->m_iRetries;
        if (bEarlierAnswer) {
            dwStart = dwNow;
            continue;
        }
        {
            CXAutoLock lock(m_WriteQueue);
            pInfo->m_dwQueuedAt = dwNow;
            if (!m_WriteQueue.m_Data.AddHead(pInfo))
                return WaitResult::GaveUp;
        }
        CX_LOG_SYSTEM("CXSerialComm::OnThreadLoop", "### ADD_PROTOCOL: %.4s", pInfo->m_szBuffer);
        m_dwLastWriteMs = dwNow;
        m_bNoAnswer = 0;
        return WaitResult::Requeued;
    }
    return WaitResult::GaveUp;
}

// One step: read and act on what the board sent, then write the first due command and wait for
// its answers. A command is due when its delay has passed; it goes out when it heads the queue or
// no other queued command shares its letter, so commands of one letter keep their order. While
// the board reports an error only 'e' commands and commands awaiting no answer go out.
int CXSerialComm::OnThreadLoop()
{
    if (!HasPort())
        return LOOP_CONTINUE;
    char szBuffer[kReadChunk + 1] = {};
    const int nRead = ReadPort(szBuffer);
    OnReceive(szBuffer, nRead);
    OnProcess(1);

    if (m_bHold.load()) {
        CXAutoLock lock(m_WriteQueue);
        m_WriteQueue.m_Data.RemoveAll(1);
        return LOOP_CONTINUE;
    }

    CXSerialCommWriteBufferInfo* pInfo = TakeDueCommand(Now());
    if (!pInfo)
        return LOOP_CONTINUE;

    bool bRequeued = false;
    if (!WritePort(pInfo->m_szBuffer, pInfo->m_iLength)) {
        m_byError = ERROR_LINE;
        m_bNoAnswer = 1;
    } else {
        for (int i = 0; i < pInfo->m_iAnswers; ++i) {
            const WaitResult result = WaitForAnswer(pInfo, i > 0);
            platform::SleepMs(1);
            if (result == WaitResult::Requeued)
                bRequeued = true;
            if (result != WaitResult::Answered)
                break;
        }
    }
    RestampSameLetter(pInfo->m_szBuffer[0], Now());
    if (!bRequeued)
        delete pInfo;
    return LOOP_CONTINUE;
}
