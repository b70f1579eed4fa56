#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>

#include "CXLockFast.h"
#include "CXSourcePath.h"

// One process-wide log: each record is one line in the log's file and, at the same time, in the
// debugger output. A record is formatted and written in one call under the log's own lock, so
// records of different threads never mix and an exception cannot leave the log locked.
//
// Line forms: "[time]-[log name]-[function] : message\r\n", or without the function field when the
// function text is empty. A log whose file cannot be opened or written keeps working with the
// debugger output only; it never fails its caller.
class CXLog : public CXLockFast {
public:
    static constexpr int kMaxText = 4096;

    explicit CXLog(const char* pszName);
    ~CXLog() override;

    // The two logs of the process, "LOG/SYSTEM" (general information) and "LOG/ERROR" (every
    // failure report). Built on first use and never destroyed, so they work during static
    // initialisation and until the process ends.
    static CXLog& SystemLog();
    static CXLog& ErrorLog();

    // Closes any open file and opens "<log name>_<tag>_<YYYY-MM-DD>_<tick count>.LOG" for
    // appending, creating the log's folder (e.g. "LOG") when missing. A null tag does nothing.
    // Returns whether a file is open afterwards.
    bool OpenLogFile(const char* pszTag);

    // Writes one record. The file text is kept only for the debugger output line
    // "file(line) : record"; a null format writes nothing.
    void Write(const char* pszFile, const char* pszFunction, int nLine, const char* pszFormat, ...)
        __attribute__((format(printf, 5, 6)));
    void WriteV(const char* pszFile, const char* pszFunction, int nLine, const char* pszFormat,
                va_list args);

    // The same record as a pair of calls: SetLocation takes the log's lock and keeps it with the
    // location; WriteLine, on the same thread, writes one record at that location and releases
    // the lock, also for a null format (which writes nothing). Another thread's pair waits in
    // SetLocation meanwhile. A WriteLine without a SetLocation writes its record without a
    // location.
    void SetLocation(const char* pszFile, const char* pszFunction, int nLine);
    void WriteLine(const char* pszFormat, ...) __attribute__((format(printf, 2, 3)));

    const char* GetLogName() const { return m_szLogName; }
    // Name of the open log file, empty when none is open.
    std::string GetFileName();
    bool IsFileOpen();

private:
    void Initialize();
    void CloseFile();
    // Records the location; the caller holds the lock.
    void Locate(const char* pszFile, const char* pszFunction, int nLine);
    // Formats and writes one record at the recorded location; the caller holds the lock.
    void WriteRecord(const char* pszFormat, va_list args);

    char m_szLogName[kMaxText + 1];
    char m_szFunction[kMaxText + 1];
    int32_t m_nLine;
    const char* m_pszFile;  // as the caller passed it (a literal), not copied
    int m_nFileDescriptor;  // -1 when no file is open
    int32_t m_nLocated;     // SetLocation calls still waiting for their WriteLine (under the lock)
    std::string m_strFileName;
};

// Record a line with this source file and line: CX_LOG_ERROR("CXFoo::Bar", "Bar fail. [n=%d]", n).
// The file is named in the records' one form (CXSourcePath.h).
#define CX_LOG_WRITE(log, function, ...)                                                           \
    (log).Write(CX_SOURCE_FILE, (function), __LINE__, __VA_ARGS__)
#define CX_LOG_ERROR(function, ...) CX_LOG_WRITE(CXLog::ErrorLog(), function, __VA_ARGS__)
#define CX_LOG_SYSTEM(function, ...) CX_LOG_WRITE(CXLog::SystemLog(), function, __VA_ARGS__)
