#include "CXWaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t FourCC(const char (&s)[5])
{
    return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
           uint32_t(uint8_t(s[3])) << 24;
}

uint16_t Read16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t Read32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The sub-format GUID of an extensible format is {tag-0000-0010-8000-00AA00389B71} for the
// standard tags; these are its bytes after the 16-bit tag.
constexpr uint8_t kStandardGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                           0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// Valid bits (2), channel mask (4), sub-format GUID (16).
constexpr uint16_t kExtensibleExtra = 22;

}  // namespace

int32_t CXWaveFile::OpenFromMemory(const uint8_t* pData, uint32_t dwSize)
{
    Close();
    if (!pData || dwSize < 12)
        return E_FAIL;
    if (Read32(pData) != FourCC("RIFF") || Read32(pData + 8) != FourCC("WAVE"))
        return E_FAIL;
    m_pData = pData;
    // Sub-chunks lie between the form type and the end of the RIFF chunk or of the block.
    const uint32_t dwFirst = 12;
    const uint32_t dwEnd = 8 + std::min(Read32(pData + 4), dwSize - 8);
    Chunk fmt;
    if (!FindChunk(FourCC("fmt "), dwFirst, dwEnd, &fmt) || !ReadFormat(fmt) ||
        !FindChunk(FourCC("data"), dwFirst, dwEnd, &m_DataChunk)) {
        Close();
        return E_FAIL;
    }
    m_dwSize = m_DataChunk.dwSize;
    m_dwLeft = m_dwSize;
    m_bReading = true;
    return S_OK;
}

bool CXWaveFile::FindChunk(uint32_t dwId, uint32_t dwFrom, uint32_t dwEnd, Chunk* pChunk) const
{
    uint64_t pos = dwFrom;
    while (pos + 8 <= dwEnd) {
        const uint32_t dwClaimed = Read32(m_pData + pos + 4);
        const uint32_t dwOffset = static_cast<uint32_t>(pos + 8);
        if (Read32(m_pData + pos) == dwId) {
            pChunk->dwId = dwId;
            pChunk->dwOffset = dwOffset;
            pChunk->dwSize = std::min(dwClaimed, dwEnd - dwOffset);
            return true;
        }
        pos = uint64_t(dwOffset) + dwClaimed + (dwClaimed & 1);
    }
    return false;
}

bool CXWaveFile::ReadFormat(const Chunk& fmt)
{
    if (fmt.dwSize < 16)
        return false;
    const uint8_t* p = m_pData + fmt.dwOffset;
    m_Format.formatTag = Read16(p);
    m_Format.channels = Read16(p + 2);
    m_Format.samplesPerSec = Read32(p + 4);
    m_Format.avgBytesPerSec = Read32(p + 8);
    m_Format.blockAlign = Read16(p + 12);
    m_Format.bitsPerSample = Read16(p + 14);
    m_wExtraSize = 0;
    m_Extra.clear();
    m_Format.subFormat = 0;
    if (m_Format.formatTag == platform::kSoundFormatPCM)
        return true;
    // Other formats carry an extra-size word and that many bytes; a 16-byte chunk has none.
    if (fmt.dwSize < 18)
        return true;
    m_wExtraSize = Read16(p + 16);
    if (18u + m_wExtraSize > fmt.dwSize)
        return false;
    m_Extra.assign(p + 18, p + 18 + m_wExtraSize);
    if (m_Format.formatTag == platform::kSoundFormatExtensible &&
        m_wExtraSize >= kExtensibleExtra) {
        const uint8_t* guid = m_Extra.data() + 6;
        if (std::memcmp(guid + 2, kStandardGuidTail, sizeof kStandardGuidTail) == 0)
            m_Format.subFormat = Read16(guid);
    }
    return true;
}

int32_t CXWaveFile::Read(uint8_t* pDest, uint32_t dwBytes, uint32_t* pdwRead)
{
    if (!m_bReading)
        return CO_E_NOTINITIALIZED;
    if (!pDest || !pdwRead)
        return E_INVALIDARG;
    const uint32_t dwCount = std::min(dwBytes, m_dwLeft);
    std::memcpy(pDest, m_pData + m_DataChunk.dwOffset + (m_dwSize - m_dwLeft), dwCount);
    m_dwLeft -= dwCount;
    *pdwRead = dwCount;
    return S_OK;
}

void CXWaveFile::Close()
{
    m_pData = nullptr;
    m_DataChunk = {};
    m_dwSize = 0;
    m_dwLeft = 0;
    m_bReading = false;
}
