#include "HiByteBuffer.h"

#include <algorithm>
#include <cstring>

namespace {

// The most UTF-16 units a 16-bit byte count can announce.
constexpr int32_t kMaxWideUnits = 0x7FFF;

}  // namespace

HiByteBuffer::HiByteBuffer(const uint8_t* pData, int32_t nSize)
    : m_pData(pData), m_nSize(nSize > 0 ? nSize : 0), m_nCapacity(m_nSize)
{}

HiByteBuffer HiByteBuffer::Writer(uint8_t* pStore, int32_t nCapacity)
{
    HiByteBuffer buffer;
    buffer.m_pWrite = pStore;
    buffer.m_pData = pStore;
    buffer.m_nCapacity = nCapacity;
    return buffer;
}

void HiByteBuffer::SetPosition(int32_t nPosition)
{
    m_nPosition = std::clamp(nPosition, 0, m_nSize);
}

bool HiByteBuffer::Read(void* pDest, int32_t nCount)
{
    if (nCount < 0 || nCount > GetRemaining())
        return false;
    if (nCount > 0)
        std::memcpy(pDest, m_pData + m_nPosition, size_t(nCount));
    m_nPosition += nCount;
    return true;
}

bool HiByteBuffer::ReadU8(uint8_t& value)
{
    return Read(&value, 1);
}

bool HiByteBuffer::ReadU16(uint16_t& value)
{
    uint8_t b[2];
    if (!Read(b, 2))
        return false;
    value = uint16_t(b[0] | b[1] << 8);
    return true;
}

bool HiByteBuffer::ReadU32(uint32_t& value)
{
    uint8_t b[4];
    if (!Read(b, 4))
        return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
}

bool HiByteBuffer::ReadI32(int32_t& value)
{
    uint32_t raw;
    if (!ReadU32(raw))
        return false;
    value = int32_t(raw);
    return true;
}

bool HiByteBuffer::ReadF32(float& value)
{
    uint32_t raw;
    if (!ReadU32(raw))
        return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

void HiByteBuffer::Skip(int32_t nCount)
{
    m_nPosition += std::clamp(nCount, 0, GetRemaining());
}

bool HiByteBuffer::ReadWString(char16_t* pDest, int32_t nMaxBytes)
{
    uint16_t wCount;
    if (!ReadU16(wCount))
        return false;
    const int32_t n = wCount;
    if (n == 0)
        return true;
    if (n > nMaxBytes || n > GetRemaining() || n % 2 != 0) {
        // A text that cannot be taken is stepped over, so the next field is not read from it.
        Skip(n);
        return false;
    }
    const uint8_t* p = m_pData + m_nPosition;
    for (int32_t i = 0; i < n / 2; ++i)
        pDest[i] = char16_t(p[2 * i] | p[2 * i + 1] << 8);
    m_nPosition += n;
    return true;
}

bool HiByteBuffer::ReadCountedText(char16_t* pDest, int32_t nLimitBytes)
{
    const int32_t nStart = m_nPosition;
    return ReadWString(pDest, nLimitBytes) && m_nPosition > nStart + 2;
}

bool HiByteBuffer::Write(const void* pSource, int32_t nCount)
{
    if (!m_pWrite || nCount < 0 || nCount > m_nCapacity - m_nSize)
        return false;
    if (nCount > 0)
        std::memcpy(m_pWrite + m_nSize, pSource, size_t(nCount));
    m_nSize += nCount;
    return true;
}

bool HiByteBuffer::WriteU8(uint8_t value)
{
    return Write(&value, 1);
}

bool HiByteBuffer::WriteU16(uint16_t value)
{
    const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    return Write(b, 2);
}

bool HiByteBuffer::WriteU32(uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                          uint8_t(value >> 24)};
    return Write(b, 4);
}

bool HiByteBuffer::WriteF32(float value)
{
    uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    return WriteU32(raw);
}

bool HiByteBuffer::WriteWString(const char16_t* pszText)
{
    return WriteWString(pszText, kMaxWideUnits);
}

bool HiByteBuffer::WriteWString(const char16_t* pszText, int32_t nMaxUnits)
{
    const int32_t nUnits = std::min({WideLength(pszText), nMaxUnits, kMaxWideUnits});
    if (2 + 2 * nUnits > m_nCapacity - m_nSize)
        return false;
    WriteU16(uint16_t(2 * nUnits));
    for (int32_t i = 0; i < nUnits; ++i)
        WriteU16(uint16_t(pszText[i]));
    return true;
}

bool HiByteBuffer::WriteFixedText(const char* pszText, int32_t nFieldBytes)
{
    if (!m_pWrite || nFieldBytes < 0 || nFieldBytes > m_nCapacity - m_nSize)
        return false;
    uint8_t* pField = m_pWrite + m_nSize;
    std::memset(pField, 0, size_t(nFieldBytes));
    int32_t nUsed = 0;
    const auto* p = reinterpret_cast<const uint8_t*>(pszText ? pszText : "");
    while (p[nUsed] != 0) {
        // CP949: a byte of 0x81..0xFE leads a two-byte character.
        const int32_t nChar = (p[nUsed] >= 0x81 && p[nUsed] <= 0xFE && p[nUsed + 1] != 0) ? 2 : 1;
        if (nUsed + nChar > nFieldBytes)
            break;
        nUsed += nChar;
    }
    std::memcpy(pField, p, size_t(nUsed));
    m_nSize += nFieldBytes;
    return true;
}

HiLocalByteBuffer::HiLocalByteBuffer()
{
    m_pData = m_abyStore;
}

bool HiLocalByteBuffer::Assign(const void* pBytes, int32_t nCount)
{
    if (nCount < 0 || nCount > kCapacity)
        return false;
    if (nCount > 0)
        std::memcpy(m_abyStore, pBytes, size_t(nCount));
    m_nSize = nCount;
    m_nCapacity = nCount;
    m_nPosition = 0;
    return true;
}

int32_t WideLength(const char16_t* pszText)
{
    int32_t n = 0;
    if (pszText)
        while (pszText[n] != 0)
            ++n;
    return n;
}
