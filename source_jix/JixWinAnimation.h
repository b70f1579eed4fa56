#pragma once
// The reel win animations: which cells of one column of the reel window are animated, and with
// which image run. A column holds four symbols, s[0] the bottom cell (reel 0) to s[3] the top
// (reel 3).

#include <cstdint>

// One frame counter per animation; the three bar basics share one.
enum JixAnim : int8_t {
    JixAnimJokerFull,
    JixAnimBar3Full,
    JixAnimBar2Full,
    JixAnimBar1Full,
    JixAnimSevenFull,
    JixAnimStarFull,
    JixAnimTargetFull,
    JixAnimBellFull,
    JixAnimWatermelonFull,
    JixAnimPeach,
    JixAnimCherry,
    JixAnimJokerBasic,
    JixAnimJokerChange,
    JixAnimBarBasic,
    JixAnimSevenBasic,
    JixAnimStarBasic,
    JixAnimTargetBasic,
    JixAnimBellBasic,
    JixAnimWatermelonBasic,
    JixAnimColumnFrame,
    kJixAnimCount
};

struct JixAnimRun {
    int16_t nFirstSlot;  // the bar basic: the run of bar1 (bar2 and bar3 in JixAnimSlot)
    int16_t nFrames;
    int16_t nPeriod;  // calls per frame
};

extern const JixAnimRun kJixAnimRuns[kJixAnimCount];

// The image slot of an animation's frame; nSymbol picks the run of the bar basic.
int JixAnimSlot(JixAnim eAnim, int nSymbol, int nFrame);

// One image over one cell (nReel 0..3) or, for the column frame, over the column (nReel -1).
struct JixCellDraw {
    int8_t nReel;
    JixAnim eAnim;
    int8_t nSymbol;  // the symbol whose run is drawn
};

// The draws of a column in drawing order: jokers, bars, sevens, stars, targets, jongs,
// watermelons, peaches, cherries, then the column frame.
struct JixColumnWin {
    int nCount = 0;
    JixCellDraw aDraw[4];
    // Cells that show an animation, by reel.
    bool IsAnimated(int nReel) const;
};

JixColumnWin JixEvaluateColumn(const int32_t s[4], bool bJokerChangeDone);
