#pragma once
// What must hold for any spin-data block read from the server, shared by the fuzz target and the
// corpus replay test: the reader reads exactly 180 bytes or nothing, a write gives the same bytes
// back, and after the range check every reel cell of every stop is a symbol 0..10.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "CJixSpinData.h"
#include "JixReelStrips.h"

// Empty when everything holds, else what failed.
inline std::string CheckJixSpinBlock(const uint8_t* data, size_t size)
{
    CJixSpinData block;
    if (!block.Read(data, size))
        return size < CJixSpinData::kSize ? std::string() : "a full block was refused";
    if (size < CJixSpinData::kSize)
        return "a short block was read";
    uint8_t again[CJixSpinData::kSize];
    block.Write(again);
    if (std::memcmp(again, data, CJixSpinData::kSize) != 0)
        return "write does not give the bytes back";
    block.RangeCheck();
    if (block.RangeCheck())
        return "a checked block is corrected again";
    for (int reel = 0; reel < kJixReels; ++reel)
        for (int k = -4; k <= 6; ++k) {
            const int symbol = JixStripSymbol(block.Hint[6], reel, block.ReelStop[reel] + k);
            if (symbol < 0 || symbol >= kJixSymbols)
                return "a cell shows no symbol";
        }
    return {};
}
