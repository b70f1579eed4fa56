#pragma once
// The Morvane game's 38 sound files, relative to its data folder; sound slot i holds row i.

#include <cstdint>

constexpr int kMorvaneSoundRows = 38;
constexpr int32_t kMorvaneReelStopSound = 1;

struct MorvaneSoundRow {
    const char* pszFile;
    bool bLoaded;  // row 4 is named but never loaded
};

extern const MorvaneSoundRow g_MorvaneSoundList[kMorvaneSoundRows];
