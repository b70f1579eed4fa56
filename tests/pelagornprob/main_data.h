#pragma once
// Main data and play chunk files written field by field, as the tests' fixtures.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CXProbDataInfo.h"

inline void Put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += char(uint8_t(v >> (8 * i)));
}

inline std::string RecordBytes(const CXProbDataInfo& r)
{
    uint8_t bytes[64];
    r.Write(bytes);
    return std::string(reinterpret_cast<const char*>(bytes), 64);
}

// count events and one record after them; events 1, 101, 201, ... start blocks, and so do the
// events listed in extraStarts. Event i has stops (i, i+1, i+2, i+3) mod 13 and wins i on the
// middle row.
struct MainData {
    MainData(uint32_t count, uint32_t makeNo, std::vector<uint32_t> extraStarts)
        : dwCount(count), dwMakeNo(makeNo)
    {
        for (uint32_t i = 1; i <= count + 1; ++i) {
            CXProbDataInfo r;
            r.m_dwMakeNo = makeNo;
            r.m_dwEventNo = i;
            r.m_byType = CXProbDataInfo::TYPE_RANDOM;
            for (int k = 0; k < 4; ++k)
                r.m_byStop[k] = uint8_t((i + k) % 13);
            r.m_wLineWin[1] = uint16_t(i);
            r.m_wTotalWin = uint16_t(i);
            r.m_byBlockStart = (i - 1) % 100 == 0;
            for (uint32_t s : extraStarts)
                if (s == i)
                    r.m_byBlockStart = 1;
            records.push_back(r);
        }
    }
    std::string Bytes() const
    {
        std::string s;
        Put32(s, dwMagic);
        Put32(s, dwCount);
        Put32(s, dwMakeNo);
        uint32_t rate;
        std::memcpy(&rate, &fRate, 4);
        Put32(s, rate);
        s += char(byCheck);
        s += char(byMode);
        for (const CXProbDataInfo& r : records)
            s += RecordBytes(r);
        return s;
    }

    uint32_t dwMagic = 0x06042502;
    uint32_t dwCount;
    uint32_t dwMakeNo;
    float fRate = 0.0f;
    uint8_t byCheck = 0;
    uint8_t byMode = 0;
    std::vector<CXProbDataInfo> records;
};

// A play chunk of the records of events first..last.
inline std::string PlayChunk(const MainData& data, uint32_t first, uint32_t last)
{
    std::string s;
    Put32(s, 0x06042502);
    Put32(s, first);
    Put32(s, last);
    Put32(s, data.dwMakeNo);
    for (uint32_t i = first; i <= last; ++i)
        s += RecordBytes(data.records[i - 1]);
    return s;
}
