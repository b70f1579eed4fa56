#include "CXFileSystem.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "CXLog.h"

namespace {

constexpr auto kSourcePath = CXMakeSourcePath(__FILE__);
constexpr const char* kSource = kSourcePath.sz;
constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kEntryFixedSize = 22;  // five 32-bit fields and the 16-bit name length

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

}  // namespace

CXString CXFileSystem::NormalizeName(const char* pszName)
{
    CXString name(pszName ? pszName : "");
    name.TrimUpper();
    name.ReplaceChar('/', '\\');
    name.CollapseChar('\\');
    return name;
}

void CXFileSystem::Descramble(uint8_t* pData, uint32_t dwLength, uint8_t byKey)
{
    if (byKey == 0)
        return;
    for (uint32_t i = 0; i < dwLength; ++i)
        pData[i] ^= byKey;
}

bool CXFileSystem::Open(const char* pszPackPath)
{
    Close();
    if (!m_File.Open(pszPackPath, CXFile::GENERIC_READ, CXFile::FILE_SHARE_READ,
                     CXFile::OPEN_EXISTING, CXFile::FILE_ATTRIBUTE_NORMAL))
        return false;
    if (!ReadIndex()) {
        Close();
        return false;
    }
    return true;
}

void CXFileSystem::Close()
{
    m_Entries.RemoveAll(1);
    m_File.Close();
    m_byKey = 0;
}

bool CXFileSystem::ReadIndex()
{
    const int64_t nFileSize = m_File.GetSize();
    uint8_t header[kHeaderSize];
    if (nFileSize < kHeaderSize || m_File.Read(header, kHeaderSize) != kHeaderSize ||
        std::memcmp(header, "CXFS", 4) != 0)
        return false;
    m_byKey = header[4];
    const uint32_t dwCount = ReadU32(header + 8);
    if (dwCount > (nFileSize - kHeaderSize) / kEntryFixedSize)
        return false;

    for (uint32_t i = 0; i < dwCount; ++i) {
        uint8_t fixed[kEntryFixedSize];
        if (m_File.Read(fixed, kEntryFixedSize) != kEntryFixedSize)
            return false;
        const uint16_t wNameLength = ReadU16(fixed + 20);
        std::vector<char> name(wNameLength + 1u, '\0');
        if (wNameLength && m_File.Read(name.data(), wNameLength) != wNameLength)
            return false;

        auto pEntry = std::unique_ptr<CXFileSystemObject>(new CXFileSystemObject);
        if (!pEntry)
            return false;
        pEntry->m_dwLocation1 = ReadU32(fixed);
        pEntry->m_dwLocation2 = ReadU32(fixed + 4);
        pEntry->m_dwSize = ReadU32(fixed + 8);
        pEntry->m_dwOffset = ReadU32(fixed + 12);
        pEntry->m_dwExtra = ReadU32(fixed + 16);
        pEntry->m_strName = NormalizeName(name.data());
        if (static_cast<int64_t>(pEntry->m_dwOffset) + pEntry->m_dwSize > nFileSize)
            return false;
        if (!m_Entries.AddTail(pEntry.get(), 1))
            return false;  // a repeated name, or no memory
        pEntry.release();
    }
    return true;
}

bool CXFileSystem::GetEntryInfo(const char* pszName, CXFileSystemEntryInfo* pInfo) const
{
    if (!pszName || !pInfo)
        return false;
    const CXFileSystemObject* pEntry = m_Entries.FindByName(NormalizeName(pszName));
    if (!pEntry)
        return false;
    pInfo->dwLocation1 = pEntry->m_dwLocation1;
    pInfo->dwLocation2 = pEntry->m_dwLocation2;
    pInfo->dwSize = pEntry->m_dwSize;
    pInfo->dwOffset = pEntry->m_dwOffset;
    pInfo->dwExtra = pEntry->m_dwExtra;
    pInfo->strName.Copy(pEntry->m_strName);
    return true;
}

int CXFileSystem::ExtractFSData(const char* pszName, void* pTarget, uint32_t dwSize, int nToFile)
{
    if (!m_File.IsOpen() || !pszName)
        return 0;
    if (!pTarget) {
        if (!nToFile)
            CXLog::ErrorLog().Write(kSource, "CXFileSystem::ExtractFSData", __LINE__,
                                    "Bad Pointer: [lpDataTarget=%p, dwSize=%u]", pTarget, dwSize);
        return 0;
    }
    const CXFileSystemObject* pEntry = m_Entries.FindByName(NormalizeName(pszName));
    if (!pEntry)
        return 0;
    if (m_File.Seek(pEntry->m_dwOffset, CXFile::FILE_BEGIN) !=
        static_cast<int64_t>(pEntry->m_dwOffset))
        return 0;

    if (!nToFile) {
        const uint32_t dwWanted = dwSize < pEntry->m_dwSize ? dwSize : pEntry->m_dwSize;
        if (dwWanted == 0)
            return 1;
        uint8_t* pBuffer = static_cast<uint8_t*>(pTarget);
        if (m_File.Read(pBuffer, dwWanted) != dwWanted)
            return 0;
        Descramble(pBuffer, dwWanted, m_byKey);
        return 1;
    }

    CXFile target;
    if (!target.OpenWrite(static_cast<const char*>(pTarget)))
        return 0;
    std::vector<uint8_t> block(kBlockSize);
    for (uint32_t dwLeft = pEntry->m_dwSize; dwLeft > 0;) {
        const uint32_t dwChunk = dwLeft < kBlockSize ? dwLeft : kBlockSize;
        if (m_File.Read(block.data(), dwChunk) != dwChunk)
            return 0;
        Descramble(block.data(), dwChunk, m_byKey);
        if (target.Write(block.data(), dwChunk) != dwChunk)
            return 0;
        dwLeft -= dwChunk;
    }
    return target.Close();
}
