#pragma once
// Owner of one open file, with 64-bit size and seek. Failures answer 0 (or -1 for a failed seek)
// and report nothing: callers decide.

#include <cstdint>

#include "CXString.h"

class CXFile {
public:
    // Open arguments, with their Win32 values.
    static constexpr uint32_t GENERIC_READ = 0x80000000u;
    static constexpr uint32_t GENERIC_WRITE = 0x40000000u;
    static constexpr uint32_t FILE_SHARE_READ = 0x1u;  // sharing is not enforced here
    static constexpr uint32_t FILE_SHARE_WRITE = 0x2u;
    static constexpr uint32_t CREATE_NEW = 1;
    static constexpr uint32_t CREATE_ALWAYS = 2;
    static constexpr uint32_t OPEN_EXISTING = 3;
    static constexpr uint32_t OPEN_ALWAYS = 4;
    static constexpr uint32_t TRUNCATE_EXISTING = 5;
    static constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x80u;
    // Seek origins.
    static constexpr int FILE_BEGIN = 0;
    static constexpr int FILE_CURRENT = 1;
    static constexpr int FILE_END = 2;

    CXFile() = default;
    CXFile(const CXFile&) = delete;
    CXFile& operator=(const CXFile&) = delete;
    virtual ~CXFile();

    // Closes any open file, then opens the path. dwShare and dwFlags are accepted as the callers
    // pass them; files are never locked against other openers. 1 on success, else 0.
    int Open(const char* pszPath, uint32_t dwAccess, uint32_t dwShare, uint32_t dwDisposition,
             uint32_t dwFlags);
    // Read/write, created anew (an existing file is truncated).
    int OpenWrite(const char* pszPath);
    // 0 when nothing is open, else the result of closing (1 = closed cleanly).
    int Close();

    bool IsOpen() const { return m_hFile >= 0; }
    const CXString& GetPath() const { return m_strPath; }

    // 0 when closed.
    int64_t GetSize() const;
    // The new position; -1 on failure; 0 when closed.
    int64_t Seek(int64_t nDistance, int nMethod);
    // Bytes transferred; 0 for a null buffer, a zero count, a closed file or a failed call.
    uint32_t Read(void* pBuffer, uint32_t dwCount);
    uint32_t Write(const void* pBuffer, uint32_t dwCount);

    CXString m_strPath;  // trimmed; empty when closed
    int m_hFile = -1;
};
