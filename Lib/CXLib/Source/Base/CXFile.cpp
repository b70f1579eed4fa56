#include "CXFile.h"

#include "platform/file_handle.h"

CXFile::~CXFile()
{
    Close();
}

int CXFile::Open(const char* pszPath, uint32_t dwAccess, uint32_t /*dwShare*/,
                 uint32_t dwDisposition, uint32_t /*dwFlags*/)
{
    Close();
    if (!pszPath)
        return 0;
    const int hFile = platform::OpenFileHandle(pszPath, dwAccess, dwDisposition);
    if (hFile < 0)
        return 0;
    m_hFile = hFile;
    m_strPath.SetString(pszPath);
    m_strPath.Trim();
    return 1;
}

int CXFile::OpenWrite(const char* pszPath)
{
    return Open(pszPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
}

int CXFile::Close()
{
    if (m_hFile < 0)
        return 0;
    const bool bClosed = platform::CloseFileHandle(m_hFile);
    m_hFile = -1;
    m_strPath.SetString("");
    return bClosed ? 1 : 0;
}

int64_t CXFile::GetSize() const
{
    if (m_hFile < 0)
        return 0;
    const int64_t nSize = platform::FileHandleSize(m_hFile);
    return nSize < 0 ? 0 : nSize;
}

int64_t CXFile::Seek(int64_t nDistance, int nMethod)
{
    if (m_hFile < 0)
        return 0;
    return platform::SeekFileHandle(m_hFile, nDistance, nMethod);
}

uint32_t CXFile::Read(void* pBuffer, uint32_t dwCount)
{
    if (m_hFile < 0 || !pBuffer || dwCount == 0)
        return 0;
    const int64_t n = platform::ReadFileHandle(m_hFile, pBuffer, dwCount);
    return n < 0 ? 0 : static_cast<uint32_t>(n);
}

uint32_t CXFile::Write(const void* pBuffer, uint32_t dwCount)
{
    if (m_hFile < 0 || !pBuffer || dwCount == 0)
        return 0;
    const int64_t n = platform::WriteFileHandle(m_hFile, pBuffer, dwCount);
    return n < 0 ? 0 : static_cast<uint32_t>(n);
}
