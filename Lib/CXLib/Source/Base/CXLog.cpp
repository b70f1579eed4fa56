#include "CXLog.h"

#include <cstdio>
#include <cstring>

#include "CXAutoLock.h"
#include "CXString.h"
#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/thread_name.h"

namespace {

// Set while this thread writes a record. A record asked for meanwhile (the formatter reporting
// that memory ran out) is dropped instead of recursing.
thread_local bool t_bWriting = false;

void CopyCut(char* pszTarget, const char* pszSource)
{
    if (pszSource == nullptr) {
        pszTarget[0] = '\0';
        return;
    }
    size_t n = strnlen(pszSource, CXLog::kMaxText);
    std::memcpy(pszTarget, pszSource, n);
    pszTarget[n] = '\0';
}

}  // namespace

CXLog::CXLog(const char* pszName)
{
    Initialize();
    CopyCut(m_szLogName, pszName);
}

CXLog::~CXLog()
{
    CloseFile();
}

void CXLog::Initialize()
{
    m_szLogName[0] = '\0';
    m_szFunction[0] = '\0';
    m_nLine = 0;
    m_pszFile = nullptr;
    m_nFileDescriptor = -1;
    m_nLocated = 0;
}

CXLog& CXLog::SystemLog()
{
    // Never destroyed: threads and static destructors may still log while the process ends.
    static CXLog* const pLog = new CXLog("LOG/SYSTEM");
    return *pLog;
}

CXLog& CXLog::ErrorLog()
{
    static CXLog* const pLog = new CXLog("LOG/ERROR");
    return *pLog;
}

void CXLog::CloseFile()
{
    if (m_nFileDescriptor != -1) {
        platform::CloseDescriptor(m_nFileDescriptor);
        m_nFileDescriptor = -1;
    }
    m_strFileName.clear();
}

bool CXLog::OpenLogFile(const char* pszTag)
{
    CXAutoLock guard(this);
    if (pszTag == nullptr)
        return m_nFileDescriptor != -1;

    CloseFile();
    const std::string name = m_szLogName;
    const size_t slash = platform::ToSlashes(name).rfind('/');
    if (slash != std::string::npos && slash > 0)
        platform::CreateFolder(name.substr(0, slash));

    platform::LocalTime now = platform::LocalTimeNow();
    CXString path;
    if (!path.Format("%s_%s_%04d-%02d-%02d_%d.LOG", m_szLogName, pszTag, now.nYear, now.nMonth,
                     now.nDay, static_cast<int>(platform::TickCount())))
        return false;
    m_nFileDescriptor = platform::OpenAppend(path.GetString());
    if (m_nFileDescriptor != -1)
        m_strFileName = path.GetString();
    return m_nFileDescriptor != -1;
}

std::string CXLog::GetFileName()
{
    CXAutoLock guard(this);
    return m_strFileName;
}

bool CXLog::IsFileOpen()
{
    CXAutoLock guard(this);
    return m_nFileDescriptor != -1;
}

void CXLog::Write(const char* pszFile, const char* pszFunction, int nLine, const char* pszFormat,
                  ...)
{
    va_list args;
    va_start(args, pszFormat);
    WriteV(pszFile, pszFunction, nLine, pszFormat, args);
    va_end(args);
}

void CXLog::WriteV(const char* pszFile, const char* pszFunction, int nLine, const char* pszFormat,
                   va_list args)
{
    if (t_bWriting)
        return;
    CXAutoLock guard(this);
    Locate(pszFile, pszFunction, nLine);
    WriteRecord(pszFormat, args);
}

void CXLog::SetLocation(const char* pszFile, const char* pszFunction, int nLine)
{
    Lock();
    ++m_nLocated;
    if (!t_bWriting)
        Locate(pszFile, pszFunction, nLine);
}

void CXLog::WriteLine(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    // The owner alone reads the count of open SetLocation calls.
    if (GetOwnerThreadID() == platform::CurrentThreadId() && m_nLocated > 0) {
        --m_nLocated;
        // Releases the lock SetLocation took, whatever the record does.
        struct UnLockOnExit {
            CXLog& log;
            ~UnLockOnExit() { log.UnLock(); }
        } unlock{*this};
        if (!t_bWriting)
            WriteRecord(pszFormat, args);
    } else {
        WriteV(nullptr, nullptr, 0, pszFormat, args);
    }
    va_end(args);
}

void CXLog::Locate(const char* pszFile, const char* pszFunction, int nLine)
{
    CopyCut(m_szFunction, pszFunction);
    m_nLine = nLine;
    m_pszFile = pszFile;
}

void CXLog::WriteRecord(const char* pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        return;
    t_bWriting = true;
    struct ClearOnExit {
        ~ClearOnExit() { t_bWriting = false; }
    } clear;

    CXString message;
    if (!message.FormatV(pszFormat, args))
        message.SetString("(message could not be formatted)");

    platform::LocalTime now = platform::LocalTimeNow();
    char szTime[32];
    std::snprintf(szTime, sizeof(szTime), "%02d:%02d:%02d", now.nHour, now.nMinute, now.nSecond);

    CXString line;
    if (m_szFunction[0] != '\0')
        line.Format("[%s]-[%s]-[%s] : %s\r\n", szTime, m_szLogName, m_szFunction,
                    message.GetString());
    else
        line.Format("[%s]-[%s] : %s\r\n", szTime, m_szLogName, message.GetString());

    // A failed write is ignored: losing a log line must never fail the caller.
    if (m_nFileDescriptor != -1)
        platform::WriteDescriptor(m_nFileDescriptor, line.GetString(), line.GetLength());

    CXString debug;
    debug.Format("%s(%d) : %s", m_pszFile ? m_pszFile : "", m_nLine, line.GetString());
    platform::DebugOutput(debug.GetString());
}
