#pragma once
// A winning spin at rest, shared by the drawing test and the presentation benchmark: the stops put
// four 7 on the middle row for a win of 20000, the credit holds it, and the reels have rested for a
// while.

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "CMorvaneMain.h"

inline void SetWinningSpinAtRest(CMorvaneMain& main)
{
    const int32_t stops[4] = {5, 13, 6, 5};
    std::copy(std::begin(stops), std::end(stops), main.m_Rec.Array);
    main.m_Rec.Win[1] = 20000;
    main.SetWinAmount(20000);
    main.m_nCredit = 20000;
    main.m_bySpinInProgress = 1;
    main.ReelSettle[3] = 40;
}
