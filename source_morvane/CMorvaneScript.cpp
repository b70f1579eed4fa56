// The standalone game's results: a fixed 60-step script that shows every kind of presentation in
// turn (plain wins, series, the jackpot pattern, a fever, bar sets and an empty credit).
#include <algorithm>

#include "CMorvaneMain.h"

namespace {

enum : uint32_t {
    F_STOPS = 1u << 0,
    F_WIN = 1u << 1,
    F_FREE = 1u << 2,
    F_MOSUM = 1u << 3,
    F_SET = 1u << 4,
    F_SERIES = 1u << 5,
    F_SMOKE = 1u << 6,
    F_FEVERTIME = 1u << 7,
    F_IMSIFEVER = 1u << 8,
    F_IMSISERIES = 1u << 9,
    F_WIN0 = 1u << 10,
    F_EMPTY = 1u << 11,
};

struct ScriptRow {
    int32_t from, to;  // steps (counter modulo 60), inclusive
    uint32_t fields;
    int32_t stops[4];
    int32_t win[3];
    int32_t free[3];
    int32_t moSum, reelSet, series, smoke, feverTime, imsiFever, imsiSeries;
    int32_t stopSounds[3];  // -1: none
};

constexpr int32_t kNone[3] = {-1, -1, -1};
constexpr uint32_t kPlain = F_STOPS | F_WIN | F_FREE | F_MOSUM;

// clang-format off
constexpr ScriptRow kScript[] = {
    {1, 1, kPlain, {11, 11, 12, 15}, {0, 2000, 0}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {2, 2, kPlain | F_SERIES, {7, 5, 5, 7}, {0, 4000, 0}, {}, 0, 0, 1, 0, 0, 0, 0, {-1, -1, -1}},
    {3, 3, kPlain | F_SERIES, {2, 3, 11, 10}, {0, 6000, 0}, {}, 0, 0, 2, 0, 0, 0, 0, {-1, -1, -1}},
    {4, 4, kPlain | F_SERIES, {8, 4, 9, 12}, {0, 20000, 0}, {}, 0, 0, 3, 0, 0, 0, 0, {-1, -1, -1}},
    {5, 5, kPlain | F_SERIES, {18, 18, 17, 13}, {0, 48000, 0}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {6, 6, kPlain | F_SERIES, {15, 9, 4, 19}, {0, 48000, 0}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {7, 7, kPlain | F_SERIES, {5, 8, 6, 5}, {0, 48000, 0}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {8, 11, F_SET | F_SMOKE, {}, {}, {}, 0, 0, 0, 1, 0, 0, 0, {-1, -1, -1}},
    {12, 12, F_SET | F_STOPS | F_WIN | F_FREE | F_MOSUM, {0, 1, 0, 1}, {0, 125000, 0}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {13, 19, F_SET | F_SMOKE | F_WIN0, {}, {}, {}, 0, 0, 0, 2, 0, 0, 0, {-1, -1, -1}},
    {21, 24, F_SET | F_SMOKE | F_WIN0, {}, {}, {}, 0, 0, 0, 2, 0, 0, 0, {-1, -1, -1}},
    {25, 25, F_SET | F_STOPS | F_WIN | F_FREE, {18, 15, 20, 9}, {0, 0, 5000}, {}, 0, 0, 0, 0, 0, 0, 0, {24, 25, 26}},
    {26, 26, F_STOPS | F_WIN | F_FREE, {7, 4, 4, 18}, {}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {27, 27, F_STOPS | F_WIN | F_FREE, {7, 18, 16, 11}, {0, 0, 20000}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {28, 32, F_SMOKE, {}, {}, {}, 0, 0, 0, 3, 0, 0, 0, {-1, -1, -1}},
    {33, 33, F_STOPS | F_WIN | F_FREE | F_MOSUM | F_FEVERTIME, {1, 2, 1, 4}, {}, {0, 0, 32}, 32, 0, 0, 0, 1, 0, 0, {27, -1, -1}},
    {34, 34, F_SET | F_STOPS | F_WIN | F_FREE, {2, 2, 3, 2}, {2000, 64000, 2000}, {}, 0, 2, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {35, 35, F_SET | F_STOPS | F_WIN | F_FREE | F_IMSIFEVER | F_IMSISERIES, {0, 10, 10, 11}, {}, {}, 0, 0, 0, 0, 0, 10, 4, {-1, -1, -1}},
    {36, 46, F_IMSIFEVER, {}, {}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
    {47, 47, F_SET | F_EMPTY, {}, {}, {}, 0, 0, 0, 0, 0, 0, 0, {-1, -1, -1}},
};
// clang-format on

}  // namespace

void CMorvaneMain::ScriptSpin()
{
    // The counter wraps with the script rather than running into overflow.
    m_nScriptStep = (m_nScriptStep + 1) % 60;
    const int32_t step = m_nScriptStep;
    for (const ScriptRow& row : kScript) {
        if (step < row.from || step > row.to)
            continue;
        if (row.fields & F_STOPS)
            std::copy(std::begin(row.stops), std::end(row.stops), std::begin(m_Rec.Array));
        if (row.fields & F_WIN)
            std::copy(std::begin(row.win), std::end(row.win), std::begin(m_Rec.Win));
        if (row.fields & F_WIN0)
            m_Rec.Win[0] = 0;
        if (row.fields & F_FREE)
            std::copy(std::begin(row.free), std::end(row.free), std::begin(m_Rec.Free));
        if (row.fields & F_MOSUM)
            m_Rec.MoSumState = row.moSum;
        if (row.fields & F_SET)
            m_Rec.nReelSet = row.reelSet;
        if (row.fields & F_SERIES)
            m_Rec.Seriescount = row.series;
        if (row.fields & F_SMOKE)
            m_Rec.SmokeCount = row.smoke;
        if (row.fields & F_FEVERTIME)
            m_Rec.FeverTime = row.feverTime;
        if (row.fields & F_IMSIFEVER)
            m_Rec.ImsiFeverSpin = row.imsiFever;
        if (row.fields & F_IMSISERIES)
            ImsiSeries = row.imsiSeries;
        if (row.fields & F_EMPTY) {
            m_nCredit = 0;
            SetCredit(0, true);
            m_byResetRequest = 1;
        }
        for (int32_t sound : row.stopSounds)
            if (sound >= 0)
                StopSound(sound);
        return;
    }
}
