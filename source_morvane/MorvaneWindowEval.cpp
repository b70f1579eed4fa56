#include "MorvaneWindowEval.h"

#include <algorithm>

namespace {

constexpr int kRowsMiddleFirst[] = {1, 0, 2};
constexpr int kRowsBarOrder[] = {0, 2, 1};
constexpr int32_t kMixedBarSymbol = 11;

using Row = const int32_t (&)[kMorvaneReels];

bool InWindow(int32_t steps, int32_t from, int32_t to)
{
    return steps >= from && steps < to;
}

uint8_t CellsOf(Row row, int32_t symbol)
{
    uint8_t cells = 0;
    for (int reel = 0; reel < kMorvaneReels; ++reel)
        if (row[reel] == symbol)
            cells |= uint8_t(1u << reel);
    return cells;
}

int Count(uint8_t cells)
{
    return __builtin_popcount(cells);
}

// Three on reels 0-1-2 or 1-2-3.
bool AdjacentThree(uint8_t cells)
{
    return (cells & 0x7) == 0x7 || (cells & 0xE) == 0xE;
}

struct Evaluator {
    const MorvaneEvalInput& in;
    MorvaneEvalResult& out;

    int32_t Code(int32_t symbol, int row, int32_t kind) const
    {
        return 100 * symbol + 10 * (row + 1) + kind;
    }

    void Hit(int row, int32_t symbol, int32_t kind, MorvaneHighlight highlight, uint8_t cells,
             uint8_t wild = 0)
    {
        out.hits.push_back({row, symbol, kind, highlight, cells, wild});
    }

    void PlayOnce(int32_t sound)
    {
        if (out.byBandSoundFlag != 0)
            return;
        out.sounds.push_back(sound);
        out.byBandSoundFlag = 1;
    }

    bool BarLine() const
    {
        for (const auto& row : in.window.aCell) {
            const int32_t bar = row[1];
            if (IsMorvaneBar(bar) && row[2] == bar && (row[0] == bar || row[3] == bar))
                return true;
        }
        return false;
    }

    void LengthAndBandSound()
    {
        for (const auto& row : in.window.aCell)
            if (CellsOf(row, MSYM_A) == 0xF) {
                out.nLength = 500;
                return;
            }
        const int32_t w = in.nWinAmount;
        if (w >= 32000) {
            out.nLength = 500;
            PlayOnce(w >= 500000   ? MSND_BAND_5000
                     : w >= 256000 ? MSND_ADDED_1
                     : w >= 128000 ? MSND_ADDED_1 + 1
                     : w >= 64000  ? MSND_ADDED_1 + 2
                                   : MSND_ADDED_1 + 3);
        } else if (w >= 20000) {
            out.nLength = 500;
            out.sounds.push_back(MSND_BAND_2500);
        } else if (w >= 10000) {
            out.nLength = 450;
            out.sounds.push_back(MSND_BAND_1000);
        } else if (w >= 5000) {
            if (BarLine()) {
                out.nLength = 450;
                out.sounds.push_back(MSND_BAND_1000);
            } else {
                out.nLength = 780;
                PlayOnce(MSND_EFFECT_5000);
            }
        } else if (w >= 2000) {
            if (BarLine()) {
                out.nLength = 450;
                out.sounds.push_back(MSND_BAND_1000);
            } else if (in.nCaptionCue > 0) {
                out.nLength = 500;
            } else {
                out.nLength = 450;
                PlayOnce(MSND_ALLOCATION_NORMAL);
            }
        } else {
            out.nLength = 150;
        }
    }

    // Four, three plus one A, or (when `adjacentOnly`) three on adjacent reels with the fourth
    // cell neither the symbol nor A. True when the row hit.
    bool OfAKind(int row, int32_t symbol, bool adjacentOnly)
    {
        Row cells = in.window.aCell[row];
        const uint8_t mine = CellsOf(cells, symbol);
        const uint8_t wild = CellsOf(cells, MSYM_A);
        if (mine == 0xF) {
            out.nWinCode = Code(symbol, row, 4);
            Hit(row, symbol, 4, MorvaneHighlight::FourStrip, mine);
            return true;
        }
        if (Count(mine) == 3 && wild != 0) {
            out.nWinCode = Code(symbol, row, 5);
            Hit(row, symbol, 5, MorvaneHighlight::FourStrip, mine, wild);
            return true;
        }
        if (Count(mine) == 3 && (!adjacentOnly || AdjacentThree(mine))) {
            out.nWinCode = Code(symbol, row, 3);
            Hit(row, symbol, 3, MorvaneHighlight::WinStrip, mine);
            return true;
        }
        return false;
    }

    void Cherries()
    {
        for (int row : kRowsMiddleFirst) {
            if (OfAKind(row, MSYM_C, false))
                continue;
            const uint8_t c = CellsOf(in.window.aCell[row], MSYM_C);
            if ((c & 0x9) == 0)
                continue;  // C only on the inner reels
            // The C cells that run unbroken from reel 0 and those that run unbroken to reel 3.
            uint8_t drawn = 0;
            for (int reel = 0; reel < kMorvaneReels && (c >> reel & 1); ++reel)
                drawn |= uint8_t(1u << reel);
            for (int reel = kMorvaneReels - 1; reel >= 0 && (c >> reel & 1); --reel)
                drawn |= uint8_t(1u << reel);
            const int32_t kind = (c == 0x9) ? 2 : 1;
            out.nWinCode = Code(MSYM_C, row, kind);
            Hit(row, MSYM_C, kind, MorvaneHighlight::WinStrip, drawn);
        }
    }

    void FourA()
    {
        for (int row : kRowsMiddleFirst) {
            const uint8_t a = CellsOf(in.window.aCell[row], MSYM_A);
            if (a == 0xF && (row == 1 || InWindow(in.nStepsFromBase, 5, 510))) {
                out.nWinCode = row == 0 ? 12 : row == 1 ? 20 : 28;
                out.sounds.push_back(MSND_FOUR_A);
            }
            uint8_t drawn = 0;
            if (Count(a) >= 3) {
                drawn = a;
            } else {
                for (int reel = 0; reel + 1 < kMorvaneReels; ++reel)
                    if ((a >> reel & 3) == 3)
                        drawn |= uint8_t(3u << reel);
            }
            if (drawn)
                Hit(row, MSYM_A, a == 0xF ? 4 : 0, MorvaneHighlight::AStrip, drawn);
        }
    }

    void HighSymbol(int32_t symbol)
    {
        for (int row : kRowsMiddleFirst) {
            Row cells = in.window.aCell[row];
            const uint8_t mine = CellsOf(cells, symbol);
            const uint8_t wild = CellsOf(cells, MSYM_A);
            const int32_t mark = 10 * symbol + row;
            if (mine == 0xF) {
                out.nWinCode = Code(symbol, row, 4);
                out.nCaptionMark = mark;
                Hit(row, symbol, 4, MorvaneHighlight::FourStrip, mine);
                continue;
            }
            if (Count(mine) == 3) {
                const bool wildCounts = wild != 0 && !(symbol == MSYM_7 && row == 1 &&
                                                       !InWindow(in.nStepsFromBase, 5, 510));
                if (wildCounts) {
                    out.nWinCode = Code(symbol, row, 5);
                    out.nCaptionMark = mark;
                    Hit(row, symbol, 5, MorvaneHighlight::FourStrip, mine, wild);
                } else {
                    out.nWinCode = Code(symbol, row, 3);
                    Hit(row, symbol, 3, MorvaneHighlight::WinStrip, mine);
                }
                continue;
            }
            // Pairs on reels 0-1, 2-3 or 0-3; a top-row T pair of neighbours only in its window.
            const bool neighbours =
                !(symbol == MSYM_T && row == 0) || InWindow(in.nStepsFromBase, 5, 315);
            uint8_t drawn = 0;
            if (neighbours && (mine & 0x3) == 0x3)
                drawn |= 0x3;
            if (neighbours && (mine & 0xC) == 0xC)
                drawn |= 0xC;
            if ((mine & 0x9) == 0x9)
                drawn |= 0x9;
            if (drawn) {
                out.nWinCode = Code(symbol, row, 2);
                Hit(row, symbol, 2, MorvaneHighlight::WinStrip, drawn);
            }
        }
    }

    void Bars()
    {
        for (int row : kRowsBarOrder) {
            Row cells = in.window.aCell[row];
            bool equal = false;
            for (int32_t bar = MSYM_1B; bar <= MSYM_3B && !equal; ++bar) {
                const uint8_t mine = CellsOf(cells, bar);
                const uint8_t wild = CellsOf(cells, MSYM_A);
                if (mine == 0xF) {
                    out.nWinCode = Code(bar, row, 4);
                    Hit(row, bar, 4, MorvaneHighlight::FourStrip, mine);
                    equal = true;
                } else if (Count(mine) == 3 && AdjacentThree(mine) && (wild & ~mine & 0xF) == 0) {
                    out.nWinCode = Code(bar, row, 3);
                    Hit(row, bar, 3, MorvaneHighlight::WinStrip, mine);
                    equal = true;
                }
            }
            if (equal || !InWindow(in.nStepsFromBase, 20, 500))
                continue;
            uint8_t bars = 0;
            for (int reel = 0; reel < kMorvaneReels; ++reel)
                if (IsMorvaneBar(cells[reel]))
                    bars |= uint8_t(1u << reel);
            int32_t kind = -1;
            if (bars == 0xF)
                kind = 0;
            else if (bars == 0x7 || bars == 0xE)
                kind = 3;
            if (kind < 0)
                continue;
            Hit(row, kMixedBarSymbol, kind, MorvaneHighlight::MixedBar, bars);
            if (in.aWin[row] >= 2000 && out.nWinCode < 800)
                out.nWinCode = Code(kMixedBarSymbol, row, kind);
        }
    }

    void BarsWithA(int32_t bar)
    {
        for (int row : kRowsMiddleFirst) {
            Row cells = in.window.aCell[row];
            const uint8_t mine = CellsOf(cells, bar);
            const uint8_t wild = CellsOf(cells, MSYM_A);
            if (Count(mine) == 3 && wild != 0) {
                out.nWinCode = Code(bar, row, 5);
                Hit(row, bar, 5, MorvaneHighlight::FourStrip, mine, wild);
            }
        }
    }

    void Fever()
    {
        if (in.nCaptionCue <= 0)
            return;
        if (in.nAnimTick % 10 == 0) {
            out.sounds.push_back(MSND_FEVER_CARPET);
            out.nFeverImage = std::min(out.nFeverImage + 1, 9);
        }
        out.bDrawFever = true;
    }

    void Run()
    {
        out.nWinCode = in.nWinCode;
        out.nCaptionMark = in.nCaptionMark;
        out.byBandSoundFlag = in.byBandSoundFlag;
        out.nFeverImage = std::clamp(in.nFeverImage, 0, 9);
        LengthAndBandSound();
        Cherries();
        for (int32_t symbol : {MSYM_O, MSYM_W, MSYM_B})
            for (int row : kRowsMiddleFirst)
                OfAKind(row, symbol, true);
        FourA();
        for (int32_t symbol : {MSYM_7, MSYM_S, MSYM_T})
            HighSymbol(symbol);
        Bars();
        for (int32_t bar : {MSYM_3B, MSYM_2B, MSYM_1B})
            BarsWithA(bar);
        Fever();
    }
};

}  // namespace

MorvaneEvalResult EvaluateMorvaneWindow(const MorvaneEvalInput& in)
{
    MorvaneEvalResult out;
    EvaluateMorvaneWindow(in, out);
    return out;
}

void EvaluateMorvaneWindow(const MorvaneEvalInput& in, MorvaneEvalResult& out)
{
    // A fresh result whose lists keep their storage from call to call.
    out.nLength = 0;
    out.nWinCode = 0;
    out.nCaptionMark = 0;
    out.byBandSoundFlag = 0;
    out.nFeverImage = 0;
    out.bDrawFever = false;
    out.sounds.clear();
    out.hits.clear();
    Evaluator evaluator{in, out};
    evaluator.Run();
}
