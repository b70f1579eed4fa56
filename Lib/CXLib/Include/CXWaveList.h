#pragma once
// Decoded WAVE sounds by name. The graphics device owns one list; loading builds a transient
// record with Decode and drops it once a sound buffer holds the samples.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CXPtrMapTempl.h"
#include "platform/sound.h"

class CXWaveList {
public:
    struct sWAV {
        std::string strName;
        std::vector<uint8_t> Data;  // sample data
        uint32_t dwSize = 0;        // bytes of sample data
        platform::SoundFormat Format;
        uint16_t wExtraSize = 0;
    };

    // Decodes a WAVE file held in memory; null when the block is not a readable WAVE.
    static std::unique_ptr<sWAV> Decode(const char* pszName, const uint8_t* pData, uint32_t dwSize);

    void Clear() { m_Map.RemoveAll(true); }
    size_t GetCount() const { return m_Map.GetCount(); }

private:
    CXPtrMapTempl<std::string, sWAV> m_Map;
};
