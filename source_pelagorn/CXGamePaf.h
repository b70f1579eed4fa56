#pragma once
// "game.paf" in the game's data folder: the cabinet's own high-prize rule. HIGH_PRIZE_SKIP is an
// integer; HIGH_PRIZE_REPEAT is split at ',' into the repeat count and the values it repeats at,
// which go into an index of numbers. Read when the game scene starts; the enter answer overwrites
// the skip and the count, and no online path reads them.

#include <cstddef>
#include <cstdint>
#include <string>

class CXStringIndex;

struct CXHighPrizeRule {
    int32_t iSkip = 0;
    int32_t iRepeat = 0;
    int32_t nRepeatValues = 0;  // repeat values read into the index (a repeated value is one entry)
};

class CXGamePaf {
public:
    // A file larger than this is not ours and is not read.
    static constexpr uint64_t kMaxFileSize = 16 * 1024;
    // Values of HIGH_PRIZE_REPEAT beyond its count field that are entered at most.
    static constexpr int32_t kMaxRepeatValues = 64;

    // The rule in the file's bytes; absent keys leave their values. False for no bytes or too
    // many (nothing changes then).
    static bool Read(const void* pData, size_t nSize, CXHighPrizeRule* pRule,
                     CXStringIndex* pRepeatIndex);
    // The same from the file at the path; false for a missing, unreadable or oversized file.
    static bool Load(const std::string& strPath, CXHighPrizeRule* pRule,
                     CXStringIndex* pRepeatIndex);
};
