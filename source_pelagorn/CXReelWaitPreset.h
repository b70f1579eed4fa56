#pragma once
// The process-wide table of reel-wait presets: screen-shake programmes that the reels fill from
// REEL_WAIT_%d / REEL_SHAKE_%d (indices 0..19) and the background from THUNDER_SHAKE_%d
// (indices 20..39, thunder m at 20 + m). The game scene copies one by index and runs the copy.
// UI thread only.

#include <cstdint>

struct CXReelWaitEntry {
    int32_t nDuration = 0;  // ms of game time
    uint8_t byShake = 0;
};

struct CXReelWaitPreset {
    static constexpr int32_t kMaxEntries = 10;

    float fWait = 0.0f;    // REEL_WAIT_%d field 1
    int32_t nStart = 0;    // cleared in the table when the scene takes the preset
    int32_t nIndex = 0;    // the record's own index; the scene runs a copy only while non-zero
    uint8_t byRepeat = 0;  // without it the preset ends after its last entry
    int32_t nShakeWidth = 0;
    int32_t nShakeHeight = 0;
    int64_t nShakeInterval = 0;  // ms of game time
    int32_t nCount = 0;          // entries read, at most kMaxEntries
    CXReelWaitEntry entries[kMaxEntries];
};

class CXReelWaitPresetTable {
public:
    static constexpr uint32_t kThunderBase = 20;
    static constexpr uint32_t kSize = 40;

    // The preset at the index, or null outside the table.
    CXReelWaitPreset* Get(uint32_t index);
    // Fills the preset from a shake value: repeat flag, width, height, interval, then pairs of
    // (duration, shake flag) until the fields run out or ten pairs are stored; a duration without
    // its flag is not an entry. The wait value stays. False outside the table.
    bool FillShake(uint32_t index, const char* value);
    bool SetWait(uint32_t index, float wait);
    // Copies the preset out and clears its start flag in the table. False outside the table.
    bool Take(uint32_t index, CXReelWaitPreset& copy);
    // Every preset back to zero (a new game scene starts from an empty table).
    void Clear();

private:
    CXReelWaitPreset m_Presets[kSize];
};

CXReelWaitPresetTable& ReelWaitPresets();
