#pragma once
// The Pelagorn game's answer records as the game reads them, field by field, little-endian, at
// their fixed (often unaligned) offsets. Each reader takes the bytes the answer carried: a field
// that lies beyond them keeps its default, and the record says whether it was read whole.

#include <cstddef>
#include <cstdint>

#include "CXProbDataInfo.h"

// The 67-byte result state carried inside answers 38 and 39.
struct CPelagornResultState {
    static constexpr size_t kSize = 67;

    void Read(const uint8_t* p);

    uint8_t abyHead[4] = {};         // 0: not read by the game
    uint8_t byResultType = 0;        // 4
    int32_t aiReelStop[4] = {};      // 5: stop line of reels 1..4
    int32_t aiLineWin[3] = {};       // 21
    int32_t iTotalWin = 0;           // 33: 0 shows no prize effect
    int32_t iPrizeEffect = 0;        // 37
    uint8_t abyReelMark[3][4] = {};  // 41: per line, non-zero for a reel in the line's win
    uint8_t byReach = 0;             // 53
    int32_t iReachReel = 0;          // 54: 0-based
    int32_t iReachStop = 0;          // 58
    int32_t iMiddleWin = 0;          // 62
    uint16_t wUnused64 = 0;          // 64
    uint8_t byReelPrizeMode = 0;     // 66: 1 counts a reel prize
};

// Answer 34 (117 bytes).
struct CPelagornEnterRecord {
    static constexpr size_t kSize = 117;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    int32_t iCredit = 0;                 // 0
    int32_t iGift = 0;                   // 4
    int32_t iSpin = 0;                   // 8
    int32_t iCoinThreshold = 100;        // 12
    int32_t iGiftMaximum = 20000;        // 16
    int32_t iGiftUnit = 5000;            // 20
    int32_t iGiftOutLimit = 4;           // 24
    int32_t aiUnused28[3] = {3, 10, 3};  // 28, 32, 36
    int32_t iOilMaximum = 0;             // 40
    int32_t iLOil = 0;                   // 44
    int32_t iROil = 0;                   // 48
    int32_t iCommGift = 0;               // 52
    int32_t iGiftSendCount = 0;          // 56
    int32_t iShakeAmplitude = 0;         // 60
    int32_t iUnused64 = 0;               // 64
    int32_t aiCabinetRule[3] = {};   // 68, 72, 76 (76: high-prize skip); stored, not used online
    int32_t iHighPrizeRepeat = 0;    // 80
    int32_t iCabinetRule84 = 0;      // 84
    uint8_t byType4Effect = 0;       // 88
    int32_t iHighEffectMode = 0;     // 89
    int32_t iHighPrizeKind = 0;      // 93
    int32_t iHighPrizeMode = 0;      // 97
    int32_t aiReelStopLine[4] = {};  // 101, 105, 109, 113
};

// Answer 36 (16-byte block).
struct CPelagornCoinDropRecord {
    static constexpr size_t kSize = 16;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    int32_t iCredit = 0;        // 0
    int32_t iGift = 0;          // 4
    uint32_t dwFromCredit = 0;  // 8: non-zero, the coin is paid from CREDIT, else from GIFT
};

// Answer 37 (42 bytes).
struct CPelagornItemRecord {
    static constexpr size_t kSize = 42;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    int32_t iKind = -1;       // 0: 1, 2 or 3
    int32_t iCredit = 0;      // 12
    int32_t iGift = 0;        // 16
    uint8_t byGiftReset = 0;  // 20
    int32_t iSpin = 0;        // 21
    int32_t iROil = 0;        // 25
    int32_t iLOil = 0;        // 29
    int32_t iValue = 0;       // 33: kind 2
    uint8_t byItemIndex = 0;  // 37: kind 2, non-zero shows the effect at the first place
    int32_t iGiftAmount = 0;  // 38: kind 3
};

// Answer 38 (227 bytes); the whole record is kept as the last spin data.
struct CPelagornSpinRecord {
    static constexpr size_t kSize = 227;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    uint8_t abyRaw[kSize] = {};
    int32_t iCredit = 0;         // 4
    int32_t iGift = 0;           // 8
    int32_t iSpin = 0;           // 12
    int32_t iHighPrizeKind = 0;  // 16
    int32_t iHighPrizeMode = 0;  // 20
    int32_t iStored24 = 0;       // 24
    CPelagornResultState state;  // 32
    CXProbDataInfo lastEvent;    // 99
    CXProbDataInfo event;        // 163: the event to apply
};

// Answer 39 (200 bytes).
struct CPelagornResultRecord {
    static constexpr size_t kSize = 200;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    uint8_t byStatus = 1;        // 0: 0 = a result follows
    CPelagornResultState state;  // 5
    CXProbDataInfo lastEvent;    // 72
    CXProbDataInfo event;        // 136
};

// Answer 41 (28 bytes).
struct CPelagornTicketOutRecord {
    static constexpr size_t kSize = 28;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    int32_t iCommGift = 0;       // 0
    int32_t iGiftSendCount = 0;  // 4
    int32_t iCredit = 0;         // 8
    int32_t iGift = 0;           // 12
    int32_t iSpin = 0;           // 16
    int32_t iROil = 0;           // 20
    int32_t iLOil = 0;           // 24
};

// Answer 43 (12-byte block).
struct CPelagornGameFinRecord {
    static constexpr size_t kSize = 12;

    void Read(const uint8_t* p, size_t n);

    bool bComplete = false;
    int32_t iCredit = 0;  // 0
    int32_t iGift = 0;    // 4
    int32_t iSpin = 0;    // 8
};
