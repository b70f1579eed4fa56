#include "CXBoardSerialComm.h"

#include <cstdlib>
#include <cstring>

#include "CXAutoLock.h"

namespace {

// The decimal number at the text, with the C library's rules (stops at the first non-digit).
int NumberAt(const char* pszText)
{
    return std::atoi(pszText);
}

bool IsAscii(char c)
{
    const auto by = static_cast<unsigned char>(c);
    return by >= 1 && by <= 127;
}

}  // namespace

CXBoardSerialComm::CXBoardSerialComm(CXCabinetGame* pGame) : CXSerialComm(pGame) {}

CXBoardSerialComm::~CXBoardSerialComm()
{
    // The worker calls this class's hooks; it must end before this part goes.
    StopThread();
}

void CXBoardSerialComm::AcceptFrame(const char* pFrame, uint32_t dwLength)
{
    auto* pInfo = new CXSerialCommReadBufferInfo;
    if (!pInfo)
        return;
    pInfo->m_dwLength = dwLength;
    std::memcpy(pInfo->m_szBuffer, pFrame, dwLength);
    CXAutoLock lock(m_ReadQueue);
    auto& queue = m_ReadQueue.m_Data;
    if (!queue.AddTail(pInfo))
        delete pInfo;
}

// Frames end at CR. NUL bytes are dropped on arrival. A frame longer than five bytes, or one of
// three to five bytes whose first two bytes are not ASCII, is a line error: it is dropped and
// cutting goes on after it.
void CXBoardSerialComm::OnReceive(const char* pBytes, int nLength)
{
    if (!pBytes || nLength <= 0)
        return;
    char byClean[kReceiveSize + 1];
    uint32_t dwClean = 0;
    bool bOverflow = false;
    for (int i = 0; i < nLength; ++i) {
        if (pBytes[i] == 0)
            continue;
        if (m_dwReceiveCount + dwClean >= kReceiveSize) {
            bOverflow = true;
            break;
        }
        byClean[dwClean++] = pBytes[i];
    }
    if (bOverflow) {
        m_bNoAnswer = 1;
        m_byError = ERROR_LINE;
        m_dwReceiveCount = 0;
        std::memset(m_byReceive, 0, sizeof m_byReceive);
        return;
    }
    if (dwClean == 0)
        return;
    std::memcpy(m_byReceive + m_dwReceiveCount, byClean, dwClean);
    m_dwReceiveCount += dwClean;

    uint32_t dwStart = 0;
    for (uint32_t p = 0; p < m_dwReceiveCount; ++p) {
        if (m_byReceive[p] != '\r')
            continue;
        const uint32_t dwLength = p + 1 - dwStart;
        const char* pFrame = m_byReceive + dwStart;
        const bool bAccept = dwLength <= 2 || (dwLength <= CXSerialCommReadBufferInfo::kMaxLength &&
                                               IsAscii(pFrame[0]) && IsAscii(pFrame[1]));
        if (bAccept) {
            AcceptFrame(pFrame, dwLength);
        } else {
            m_bNoAnswer = 1;
            m_byError = ERROR_FRAME;
        }
        dwStart = p + 1;
    }
    if (dwStart == 0)
        return;
    const uint32_t dwRest = m_dwReceiveCount - dwStart;
    std::memmove(m_byReceive, m_byReceive + dwStart, dwRest);
    std::memset(m_byReceive + dwRest, 0, m_dwReceiveCount - dwRest);
    m_dwReceiveCount = dwRest;
}

void CXBoardSerialComm::HandleSwitches(int nValue)
{
    uint8_t byOld[kSwitchCount];
    for (int i = 0; i < kSwitchCount; ++i)
        byOld[i] = m_bySwitch[i].load();
    const auto byBits = static_cast<uint8_t>(nValue);
    if (byBits == 0) {
        for (auto& state : m_bySwitch)
            state = 0;
    } else {
        for (int k = 1; k <= 8; ++k)
            m_bySwitch[k] = (byBits >> (k - 1)) & 1;
        m_bySwitch[9] = 0;
    }
    for (int i = 0; i < kSwitchCount; ++i) {
        const uint8_t byNow = m_bySwitch[i].load();
        if (!byOld[i] && byNow)
            m_bySwitchLatch[i] = 1;
        else if (!byNow)
            m_bySwitchLatch[i] = 0;
    }
}

bool CXBoardSerialComm::HandleFrame(const CXSerialCommReadBufferInfo& frame)
{
    const char* p = frame.m_szBuffer;
    const char c = p[0];
    const auto Echo = [&] { WritePort(p, int(frame.m_dwLength)); };
    if (c >= '0' && c <= '9') {
        Echo();
        const int32_t iValue = NumberAt(p) * 100;
        const uint32_t dwNow = Now();
        uint32_t dwStamp = m_dwLastBillMs;
        if (int32_t(dwNow - dwStamp) < 0)
            dwStamp = dwNow;
        if (iValue == m_iLastBillValue && dwNow - dwStamp <= kBillRepeatMs)
            return true;
        m_dwLastBillMs = dwNow;
        m_iLastBillValue = iValue;
        m_iCreditInput += iValue;
        return true;
    }
    switch (c) {
    case 'a':
        Echo();
        m_iCreditInput += NumberAt(p + 1) * 100;
        return true;
    case 'd':
        Echo();
        m_byError = ERROR_NONE;
        m_bNoAnswer = 0;
        ++m_iGiftsDispensed;
        return true;
    case 'e':
        if (p[1] == '0') {
            m_byError = ERROR_NONE;
            m_bNoAnswer = 0;
        } else if (p[1] == 'r') {
            Echo();
            uint8_t byError = static_cast<uint8_t>(NumberAt(p + 2));
            if (byError == 0 && p[2] != '0')
                byError = ERROR_BOARD;
            m_byError = byError;
            m_bNoAnswer = 0;
        } else {
            m_byError = ERROR_NONE;
        }
        return true;
    case 's':
        Echo();
        HandleSwitches(NumberAt(p + 1));
        return true;
    case 'L':
        if (frame.m_dwLength == 4 && std::memcmp(p, "LOK\r", 4) == 0)
            Echo();
        return true;
    default:
        return false;
    }
}

// Each frame is acted on once. Digit, 'a' and 's' frames then leave the queue; 'd', 'e' and 'L'
// frames stay while an answer is awaited (bFinal 0) so that OnResponse can match them.
void CXBoardSerialComm::OnProcess(int bFinal)
{
    CXAutoLock answer(m_AnswerLock);
    CXAutoLock lock(m_ReadQueue);
    auto& queue = m_ReadQueue.m_Data;
    for (auto* pElement = queue.m_pHead; pElement;) {
        auto* pNext = pElement->m_pNext;
        CXSerialCommReadBufferInfo* pInfo = pElement->m_pData;
        if (!pInfo) {
            pElement = pNext;
            continue;
        }
        if (pInfo->m_dwLength == 0) {
            queue.DelList(pElement);
            pElement = pNext;
            continue;
        }
        const char c = pInfo->m_szBuffer[0];
        const bool bAnswerKind = c == 'd' || c == 'e' || c == 'L';
        bool bKnown = bAnswerKind || c == 'a' || c == 's' || (c >= '0' && c <= '9');
        if (!pInfo->m_bHandled) {
            bKnown = HandleFrame(*pInfo);
            pInfo->m_bHandled = true;
        }
        if (bKnown && (!bAnswerKind || bFinal))
            queue.DelList(pElement);
        pElement = pNext;
    }
    // Every frame has been acted on; frames that no answer wait took are dropped oldest first.
    while (queue.GetCount() > kMaxReadQueue)
        queue.DelList(queue.m_pHead);
}

bool CXBoardSerialComm::OnResponse(const char* pszCommand, int nLength)
{
    if (!pszCommand || nLength <= 0)
        return true;
    CXSerialCommReadBufferInfo* pInfo;
    {
        CXAutoLock answer(m_AnswerLock);
        CXAutoLock lock(m_ReadQueue);
        auto& queue = m_ReadQueue.m_Data;
        if (!queue.m_pHead)
            return false;
        pInfo = queue.m_pHead->m_pData;
        queue.m_pHead->m_bOwn = 0;
        queue.DelList(queue.m_pHead);
    }
    if (!pInfo)
        return false;
    bool bResult = false;
    const char cFrame = pInfo->m_szBuffer[0];
    if (pInfo->m_dwLength == 0) {
        bResult = false;
    } else if (pInfo->m_dwLength <= uint32_t(nLength) &&
               std::memcmp(pInfo->m_szBuffer, pszCommand, pInfo->m_dwLength) == 0) {
        if (cFrame == 'g') {
            int32_t iCount = m_iGiftSendCount.load();
            while (iCount > 0 && !m_iGiftSendCount.compare_exchange_weak(iCount, iCount - 1)) {
            }
            m_bGiftSendCountChanged = true;
        }
        bResult = true;
    } else {
        const char cCommand = pszCommand[0];
        bResult = (cFrame == 'L' && cCommand == 'L') || (cFrame == 'd' && cCommand == 'g') ||
                  (cFrame == 'e' && cCommand == 'e');
    }
    delete pInfo;
    return bResult;
}

bool CXBoardSerialComm::TakeSwitchLatch(unsigned char byIndex)
{
    if (byIndex >= kSwitchCount)
        return false;
    uint8_t bySet = 1;
    return m_bySwitchLatch[byIndex].compare_exchange_strong(bySet, 0);
}
