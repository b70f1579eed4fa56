#pragma once
// The reel-window evaluation as a pure function: from the twelve visible cells, the row wins, the
// win amount and the presentation's step, what the win presentation shows (length, win code,
// caption mark), which sounds start and which cells are highlighted. CMorvaneMain applies the
// result (fields, sounds, highlight drawing) on every step of its presentation.

#include <cstdint>
#include <vector>

#include "MorvaneReelStrips.h"

// Sound-list rows the evaluation starts.
enum MorvaneEvalSound : int32_t {
    MSND_FOUR_A = 5,
    MSND_BAND_1000 = 12,
    MSND_BAND_2500 = 14,
    MSND_BAND_5000 = 16,
    MSND_EFFECT_5000 = 19,
    MSND_ALLOCATION_NORMAL = 20,
    MSND_FEVER_CARPET = 31,
    MSND_ADDED_1 = 32,
};

// How a hit's cells are drawn over the reels.
enum class MorvaneHighlight : int32_t {
    WinStrip,   // the symbol's win strip (kinds 1 to 3)
    FourStrip,  // the big picture, the four-of-a-kind strip, the wild strip on the A cell
    AStrip,     // the A strip (four A, and A pairs or triples without a code)
    MixedBar,   // each bar cell with the plain image of its own bar
};

struct MorvaneHit {
    int32_t nRow = 0;     // 0 top, 1 middle, 2 bottom
    int32_t nSymbol = 0;  // symbol id; 11 for mixed bars
    int32_t nKind = 0;    // 0..5 (the units digit of the code)
    MorvaneHighlight eHighlight = MorvaneHighlight::WinStrip;
    uint8_t byCells = 0;      // bit r: reel r is drawn
    uint8_t byWildCells = 0;  // bit r: reel r shows the A standing in (FourStrip)
};

struct MorvaneEvalInput {
    MorvaneWindow window{};
    int32_t aWin[kMorvaneRows] = {};  // row wins: top, middle, bottom
    int32_t nWinAmount = 0;
    int32_t nCaptionCue = 0;
    // Presentation steps counted from the reference step (0 on its first step).
    int32_t nStepsFromBase = 0;
    int32_t nAnimTick = 0;
    // State carried from the previous call.
    int32_t nWinCode = 0;
    int32_t nCaptionMark = 0;
    uint8_t byBandSoundFlag = 0;
    int32_t nFeverImage = 0;  // 0..9
};

struct MorvaneEvalResult {
    int32_t nLength = 0;  // presentation length in steps
    int32_t nWinCode = 0;
    int32_t nCaptionMark = 0;
    uint8_t byBandSoundFlag = 0;
    int32_t nFeverImage = 0;
    bool bDrawFever = false;
    std::vector<int32_t> sounds;   // sound-list rows to start, in order, without looping
    std::vector<MorvaneHit> hits;  // in evaluation order; each row drawn on its own
};

MorvaneEvalResult EvaluateMorvaneWindow(const MorvaneEvalInput& in);
// The same into a result whose lists are reused (no allocation once they have grown).
void EvaluateMorvaneWindow(const MorvaneEvalInput& in, MorvaneEvalResult& out);
