#pragma once
// The 200-byte Morvane spin record carried by the server's answers to 23 (enter) and 25 (spin
// data): 50 little-endian signed 32-bit values, of which the client reads the first 49.

#include <cstddef>
#include <cstdint>

struct CMorvaneSpinData {
    static constexpr size_t kSize = 200;

    int32_t Array[4] = {};  // reel stops 0..22
    int32_t Win[3] = {};    // row wins: top, middle, bottom
    int32_t Free[3] = {};   // free-game marks of the rows
    int32_t SmokeCount = 0;
    int32_t nWinAmount = 0;
    int32_t WinMark = 0;
    int32_t PerformanceCue = 0;
    int32_t RateScore = 0;
    int32_t CountedWin = 0;
    int32_t Allbarrand = 0;
    int32_t FeverSpin = 0;
    int32_t ImsiFeverSpin = 0;
    int32_t FeverSpinStart = 0;
    int32_t FeverTime = 0;
    int32_t FeverCue = 0;
    int32_t FeverStop = 0;
    int32_t FeverReel[4] = {};
    int32_t nRand = 0;
    int32_t FeverStopCue = 0;
    int32_t SpinCue = 0;
    int32_t Reserved120 = 0;
    int32_t FeverDrawMode = 0;
    int32_t CaptionCue = 0;
    int32_t jackValue = 0;
    int32_t MoFever = 0;
    int32_t MoSumState = 0;
    int32_t FeverCue2 = 0;
    int32_t PerformanceBlock = 0;
    int32_t nReelSet = 0;  // 0..2
    int32_t Seriescount = 0;
    int32_t Reserved160 = 0;
    int32_t WinHave = 0;
    int32_t WinHaveFlag = 0;
    int32_t jackpottrue = 0;
    int32_t CaptionMode = 0;
    int32_t FireStage = 0;
    int32_t FireCase = 0;
    int32_t FireCount = 0;
    int32_t FireValue = 0;
};

// Reads a record field by field from `size` bytes (a short block reads its missing fields as 0).
// False, and `out` untouched, when a reel stop lies outside 0..22 or the reel set outside 0..2:
// those values index the strip table.
bool ReadMorvaneSpinData(const uint8_t* data, size_t size, CMorvaneSpinData& out);

// The record as the server sends it (field by field, little-endian); the dev server and the
// tests build their records with it.
void WriteMorvaneSpinData(const CMorvaneSpinData& record, uint8_t (&out)[CMorvaneSpinData::kSize]);
