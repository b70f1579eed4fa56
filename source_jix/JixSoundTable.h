#pragma once
// The Jix sound table: 43 rows of the "Sound" folder, entry i of CDemoSound holding row i, and
// the score-count sound in entry 43. The loader and the placeholder generator read this table.

#include <cstdint>

constexpr int kJixSoundRows = 43;
constexpr int kJixSoundEntries = 44;
constexpr int kJixScoreCountEntry = 43;

struct JixSoundRow {
    const char* pszFile;
    int32_t nVolume;  // 0..100
};

// Rows 0..42 in entry order.
extern const JixSoundRow kJixSoundTable[kJixSoundRows];
// The looping score-count sound of entry 43.
extern const char* const kJixScoreCountFile;

// Entries the game code plays by name.
enum JixSound : int {
    JixSndReelStop = 0,
    JixSndScore1000Less = 1,
    JixSndHitIcon = 2,
    JixSndScore5000Less = 3,
    JixSndScore10000Less = 4,
    JixSndScore20000Less = 5,
    JixSndScore50000Less = 6,
    JixSndScore50000More = 15,
    JixSndScore100000More = 21,
    JixSndInnerJackpot = 23,
    JixSndShotScore = 26,
    JixSndDevilCome = 27,
    JixSndDevilLaugh = 28,
    JixSndFever = 30,
    JixSndBarSound = 31,
    JixSndTicketOut = 32,
    JixSndAllBar = 39,
    JixSndDevilStand = 40,
    JixSndScore300000 = 42,
    JixSndScoreCount = kJixScoreCountEntry,
};
