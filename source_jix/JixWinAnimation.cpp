#include "JixWinAnimation.h"

#include <initializer_list>

namespace {

constexpr int kJoker = 0;
constexpr int kCherry = 1;
constexpr int kPeach = 2;
constexpr int kWatermelon = 3;
constexpr int kJong = 4;
constexpr int kTarget = 5;
constexpr int kStar = 6;
constexpr int kSeven = 7;
constexpr int kBar1 = 8;
constexpr int kBar3 = 10;

constexpr int16_t kBarBasicSlot[3] = {117, 149, 240};

bool IsAnyThree(int s)
{
    return s >= kTarget && s <= kSeven;
}
bool IsBar(int s)
{
    return s >= kBar1 && s <= kBar3;
}

JixAnim FullOf(int s)
{
    static constexpr JixAnim kFull[11] = {
        JixAnimJokerFull, JixAnimCherry,     JixAnimPeach,    JixAnimWatermelonFull,
        JixAnimBellFull,  JixAnimTargetFull, JixAnimStarFull, JixAnimSevenFull,
        JixAnimBar1Full,  JixAnimBar2Full,   JixAnimBar3Full};
    return kFull[s];
}

JixAnim BasicOf(int s)
{
    static constexpr JixAnim kBasic[11] = {
        JixAnimJokerBasic, JixAnimCherry,      JixAnimPeach,     JixAnimWatermelonBasic,
        JixAnimBellBasic,  JixAnimTargetBasic, JixAnimStarBasic, JixAnimSevenBasic,
        JixAnimBarBasic,   JixAnimBarBasic,    JixAnimBarBasic};
    return kBasic[s];
}

// Drawing rank of a symbol's images within a column.
int RankOf(int s)
{
    static constexpr int kRank[11] = {0, 8, 7, 6, 5, 4, 3, 2, 1, 1, 1};
    return kRank[s];
}

// Three of the symbol anywhere in the column, else every vertically adjacent pair of it.
void MarkThreeOrPairs(const int32_t s[4], int nSymbol, JixAnim eAnim, int8_t aAnim[4])
{
    int nCount = 0;
    for (int r = 0; r < 4; ++r)
        nCount += s[r] == nSymbol;
    for (int r = 0; r < 4; ++r) {
        if (s[r] != nSymbol)
            continue;
        const bool bPair = (r > 0 && s[r - 1] == nSymbol) || (r < 3 && s[r + 1] == nSymbol);
        if (nCount == 3 || bPair)
            aAnim[r] = eAnim;
    }
}

bool SameRun(const int32_t s[4], int nFirst, int nSymbol)
{
    return s[nFirst] == nSymbol && s[nFirst + 1] == nSymbol && s[nFirst + 2] == nSymbol;
}

bool BarRun(const int32_t s[4], int nFirst)
{
    return IsBar(s[nFirst]) && IsBar(s[nFirst + 1]) && IsBar(s[nFirst + 2]);
}

// A column that is neither one symbol nor three and a joker: pairs and threes, cherries from
// either end, runs of three fruits or bells, and runs of three bars (the same bar first).
void MarkPartialWins(const int32_t s[4], int8_t aAnim[4])
{
    MarkThreeOrPairs(s, kJoker, JixAnimJokerBasic, aAnim);
    for (int x = kTarget; x <= kSeven; ++x)
        MarkThreeOrPairs(s, x, BasicOf(x), aAnim);
    for (int r = 3; r >= 0 && s[r] == kCherry; --r)
        aAnim[r] = JixAnimCherry;
    for (int r = 0; r < 4 && s[r] == kCherry; ++r)
        aAnim[r] = JixAnimCherry;
    for (int x = kPeach; x <= kJong; ++x)
        for (int nFirst : {1, 0})  // reels 3, 2, 1 or reels 2, 1, 0
            if (SameRun(s, nFirst, x))
                for (int r = nFirst; r < nFirst + 3; ++r)
                    aAnim[r] = BasicOf(x);
    bool bSameBars = false;
    for (int nFirst : {1, 0})
        if (!bSameBars && IsBar(s[nFirst + 1]) && SameRun(s, nFirst, s[nFirst + 1])) {
            for (int r = nFirst; r < nFirst + 3; ++r)
                aAnim[r] = FullOf(s[r]);
            bSameBars = true;
        }
    if (!bSameBars)
        for (int nFirst : {1, 0})
            if (BarRun(s, nFirst))
                for (int r = nFirst; r < nFirst + 3; ++r)
                    aAnim[r] = JixAnimBarBasic;
}

}  // namespace

const JixAnimRun kJixAnimRuns[kJixAnimCount] = {
    {405, 49, 7},   // joker
    {158, 82, 7},   // bar3
    {126, 23, 7},   // bar2
    {95, 22, 7},    // bar1
    {276, 22, 6},   // seven
    {298, 24, 6},   // star
    {322, 21, 6},   // target
    {454, 13, 5},   // jong
    {352, 12, 6},   // watermelon
    {364, 9, 4},    // peach
    {373, 9, 4},    // cherry
    {382, 9, 4},    // joker basic
    {391, 14, 15},  // joker change
    {117, 9, 4},    // bar basics
    {249, 9, 4},    // seven basic
    {258, 9, 4},    // star basic
    {267, 9, 4},    // target basic
    {343, 9, 4},    // jong basic
    {467, 10, 4},   // watermelon basic
    {1734, 23, 4},  // column frame
};

int JixAnimSlot(JixAnim eAnim, int nSymbol, int nFrame)
{
    const int nFirst = (eAnim == JixAnimBarBasic && IsBar(nSymbol))
                           ? kBarBasicSlot[nSymbol - kBar1]
                           : kJixAnimRuns[eAnim].nFirstSlot;
    return nFirst + nFrame;
}

bool JixColumnWin::IsAnimated(int nReel) const
{
    for (int i = 0; i < nCount; ++i)
        if (aDraw[i].nReel == nReel || aDraw[i].nReel < 0)
            return true;
    return false;
}

JixColumnWin JixEvaluateColumn(const int32_t s[4], bool bJokerChangeDone)
{
    JixColumnWin win;
    for (int r = 0; r < 4; ++r)
        if (s[r] < 0 || s[r] > kBar3)
            return win;

    // bar3, seven, star, target from the bottom up: the frame over the whole column.
    if (s[0] == kBar3 && s[1] == kSeven && s[2] == kStar && s[3] == kTarget) {
        win.aDraw[win.nCount++] = {-1, JixAnimColumnFrame, -1};
        return win;
    }

    int8_t aAnim[4] = {-1, -1, -1, -1};
    int8_t aSymbol[4] = {int8_t(s[0]), int8_t(s[1]), int8_t(s[2]), int8_t(s[3])};

    int nJokers = 0;
    int nJokerReel = -1;
    for (int r = 0; r < 4; ++r)
        if (s[r] == kJoker) {
            ++nJokers;
            nJokerReel = r;
        }
    int nOther = -1;
    bool bThreeAndJoker = false;
    if (nJokers == 1) {
        for (int r = 0; r < 4; ++r)
            if (r != nJokerReel) {
                if (nOther < 0)
                    nOther = s[r];
                bThreeAndJoker = s[r] == nOther;
                if (!bThreeAndJoker)
                    break;
            }
        bThreeAndJoker = bThreeAndJoker && (IsAnyThree(nOther) || IsBar(nOther));
    }

    if (s[0] == s[1] && s[1] == s[2] && s[2] == s[3]) {
        for (int r = 0; r < 4; ++r)
            aAnim[r] = FullOf(s[0]);
    } else if (bThreeAndJoker) {
        if (bJokerChangeDone) {
            for (int r = 0; r < 4; ++r) {
                aAnim[r] = FullOf(nOther);
                aSymbol[r] = int8_t(nOther);
            }
        } else {
            aAnim[nJokerReel] = JixAnimJokerChange;
        }
    } else {
        MarkPartialWins(s, aAnim);
    }

    for (int nRank = 0; nRank <= 8; ++nRank)
        for (int r = 0; r < 4; ++r)
            if (aAnim[r] >= 0 &&
                RankOf(aAnim[r] == JixAnimJokerChange ? kJoker : aSymbol[r]) == nRank)
                win.aDraw[win.nCount++] = {int8_t(r), JixAnim(aAnim[r]), aSymbol[r]};
    return win;
}
