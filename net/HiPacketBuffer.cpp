#include "HiPacketBuffer.h"

#include <cstring>

bool HiPacketBuffer::SetBody(const void* pBody, int32_t nCount)
{
    if (nCount < 1 || nCount > kMaxBody)
        return false;
    std::memcpy(GetBody(), pBody, size_t(nCount));
    m_abyFrame[0] = uint8_t(nCount);
    m_abyFrame[1] = uint8_t(nCount >> 8);
    m_nBodyLength = nCount;
    return true;
}

bool HiPacketBuffer::ValidateHeader()
{
    m_nBodyLength = m_abyFrame[0] | m_abyFrame[1] << 8;
    if (m_nBodyLength >= 1 && m_nBodyLength <= kMaxBody)
        return true;
    m_nBodyLength = 0;
    return false;
}
