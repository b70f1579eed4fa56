#pragma once
// RIFF WAVE reader over a block of memory: the format chunk and the sample data.
//
// Every size a header claims is bounded by the chunk that holds it and by the block, so a damaged
// or hostile file can make the reader fail or see less data, never read outside the block.

#include <cstdint>
#include <vector>

#include "platform/sound.h"

class CXWaveFile {
public:
    // COM-style results.
    static constexpr int32_t S_OK = 0;
    static constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);
    static constexpr int32_t E_INVALIDARG = static_cast<int32_t>(0x80070057);
    static constexpr int32_t CO_E_NOTINITIALIZED = static_cast<int32_t>(0x800401F0);

    CXWaveFile() = default;
    virtual ~CXWaveFile() = default;
    CXWaveFile(const CXWaveFile&) = delete;
    CXWaveFile& operator=(const CXWaveFile&) = delete;

    // Reads the "RIFF"/"WAVE" header, the "fmt " chunk and finds the "data" chunk. The block is
    // borrowed until Close and must stay alive. E_FAIL for anything that is not a readable WAVE.
    int32_t OpenFromMemory(const uint8_t* pData, uint32_t dwSize);
    // Copies up to dwBytes of sample data from the current read position; *pdwRead gets the count.
    int32_t Read(uint8_t* pDest, uint32_t dwBytes, uint32_t* pdwRead);
    void Close();

    // The first 16 bytes of the format (the PCM part); for an extensible format also the tag of
    // its sub-format when that is a standard one.
    const platform::SoundFormat& GetFormat() const { return m_Format; }
    // The extra-size word and the extra format bytes; 0 and none for PCM.
    uint16_t GetExtraSize() const { return m_wExtraSize; }
    const std::vector<uint8_t>& GetExtra() const { return m_Extra; }
    // Bytes of sample data (the "data" chunk, bounded by the block).
    uint32_t GetSize() const { return m_dwSize; }

private:
    struct Chunk {
        uint32_t dwId = 0;
        uint32_t dwOffset = 0;  // of the chunk's data
        uint32_t dwSize = 0;    // bounded by the enclosing chunk
    };
    // Finds the first sub-chunk with the id between dwFrom and dwEnd, stepping over the pad byte
    // of odd-sized chunks.
    bool FindChunk(uint32_t dwId, uint32_t dwFrom, uint32_t dwEnd, Chunk* pChunk) const;
    bool ReadFormat(const Chunk& fmt);

    const uint8_t* m_pData = nullptr;
    Chunk m_DataChunk;
    platform::SoundFormat m_Format;
    uint16_t m_wExtraSize = 0;
    std::vector<uint8_t> m_Extra;
    uint32_t m_dwSize = 0;
    uint32_t m_dwLeft = 0;
    bool m_bReading = false;
};
