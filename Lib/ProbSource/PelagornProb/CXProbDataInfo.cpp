#include "CXProbDataInfo.h"

#include <cstring>

namespace {

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

void CXProbDataInfo::Read(const uint8_t* p)
{
    m_dwMakeNo = Get32(p);
    m_dwEventNo = Get32(p + 4);
    for (int i = 0; i < 3; ++i)
        m_wLineWin[i] = Get16(p + 8 + 2 * i);
    m_wTotalWin = Get16(p + 14);
    m_byBlockStart = p[16];
    m_byType = p[17];
    std::memcpy(m_byStop, p + 18, 4);
    for (int i = 0; i < 3; ++i)
        std::memcpy(m_byHit[i], p + 22 + 4 * i, 4);
    m_byReach = p[34];
    m_byHighKind = p[35];
    m_byHighTable = p[36];
    std::memcpy(m_bySymbol, p + 37, 3);
    std::memcpy(m_byCount, p + 40, 3);
    std::memcpy(m_byEdge, p + 43, 3);
    m_bySign = p[46];
    m_byRai = p[47];
    m_byThu = p[48];
    m_byMO1 = p[49];
    m_byMO2 = p[50];
    m_byMN1 = p[51];
    m_byMN2 = p[52];
    m_byFOb = p[53];
    m_byUnused54 = p[54];
    m_byBGN = p[55];
    std::memcpy(m_byReserved, p + 56, 8);
}

void CXProbDataInfo::Write(uint8_t* p) const
{
    Put32(p, m_dwMakeNo);
    Put32(p + 4, m_dwEventNo);
    for (int i = 0; i < 3; ++i)
        Put16(p + 8 + 2 * i, m_wLineWin[i]);
    Put16(p + 14, m_wTotalWin);
    p[16] = m_byBlockStart;
    p[17] = m_byType;
    std::memcpy(p + 18, m_byStop, 4);
    for (int i = 0; i < 3; ++i)
        std::memcpy(p + 22 + 4 * i, m_byHit[i], 4);
    p[34] = m_byReach;
    p[35] = m_byHighKind;
    p[36] = m_byHighTable;
    std::memcpy(p + 37, m_bySymbol, 3);
    std::memcpy(p + 40, m_byCount, 3);
    std::memcpy(p + 43, m_byEdge, 3);
    p[46] = m_bySign;
    p[47] = m_byRai;
    p[48] = m_byThu;
    p[49] = m_byMO1;
    p[50] = m_byMO2;
    p[51] = m_byMN1;
    p[52] = m_byMN2;
    p[53] = m_byFOb;
    p[54] = m_byUnused54;
    p[55] = m_byBGN;
    std::memcpy(p + 56, m_byReserved, 8);
}

void CXProbDataInfo::CopyResult(const CXProbDataInfo& source)
{
    for (int i = 0; i < 3; ++i)
        m_wLineWin[i] = source.m_wLineWin[i];
    m_wTotalWin = source.m_wTotalWin;
    std::memcpy(m_byStop, source.m_byStop, sizeof m_byStop);
    std::memcpy(m_byHit, source.m_byHit, sizeof m_byHit);
    m_byReach = source.m_byReach;
    std::memcpy(m_bySymbol, source.m_bySymbol, sizeof m_bySymbol);
    std::memcpy(m_byCount, source.m_byCount, sizeof m_byCount);
    std::memcpy(m_byEdge, source.m_byEdge, sizeof m_byEdge);
}
