#pragma once
// The 180-byte spin-data block of the answers to messages 14 and 18: 45 little-endian signed
// 32-bit values, read field by field.

#include <cstddef>
#include <cstdint>

struct CJixSpinData {
    static constexpr size_t kSize = 180;

    int32_t WinSum = 0;       // the spin's payout
    int32_t SpecialMode = 0;  // 5 and 0 choose the strip set of the closing sequence
    int32_t TotalWin = 0;     // uncapped; chooses the win sound and presentation
    int32_t BigWinFlag = 0;
    int32_t ScoreAfterWin = 0;  // "imsidatat"
    int32_t PreviewStage = 0;
    int32_t ReelStop[4] = {};  // 0..22 into each reel's strip
    int32_t ShownWin = 0;
    int32_t PendingWin = 0;
    int32_t SavedScore = 0;  // "imsisave"
    int32_t PresentationLength = 0;
    int32_t Mid[4] = {};
    int32_t Win[4] = {};     // top, middle, bottom row
    int32_t Series[7] = {};  // 0 level, 3 presentation code, 4 preview clock
    int32_t Fever[6] = {};   // 0..2 row fever wins, 3 count shown, 5 fever state
    int32_t Hint[8] = {};    // 0 mode, 1 spin count, 2 kind, 3 (+20) event spin, 6 strip set
    int32_t EventKind = 0;
    int32_t ActionJix = 0;  // character action 0..4

    // Reads the block from exactly kSize bytes; false (and nothing read) for a null or short
    // buffer. Bytes past kSize are ignored.
    bool Read(const uint8_t* pData, size_t nSize);
    // Writes the block as the server sends it (kSize bytes).
    void Write(uint8_t* pOut) const;
    // Puts a reel stop outside 0..22 and a strip set outside 0..7 to 0; true when one was.
    bool RangeCheck();
};
