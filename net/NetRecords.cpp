#include "NetRecords.h"

void CPelagornEnterData::Init()
{
    std::memset(m_abyData, 0, sizeof m_abyData);
    const uint32_t adwDefaults[] = {0, 0, 0, 100, 20000, 5000, 4, 3, 10, 3};
    for (int i = 0; i < 10; ++i)
        SetBlockU32(m_abyData, 4 * i, adwDefaults[i]);
}

void CPelagornData37::Init()
{
    std::memset(m_abyData, 0, sizeof m_abyData);
    SetBlockU32(m_abyData, 0, 0xFFFFFFFFu);
}

void CPelagornData39::Init()
{
    std::memset(m_abyData, 0, sizeof m_abyData);
    m_abyData[0] = 1;
}
