// The highlights over the stopped reels: animated strips on the cells of each recognised pattern,
// the big picture of four-of-a-kind and wild wins, and the mixed-bar blink. A frame counter
// advances at most once per call, on a call whose animation tick modulo the strip's period is 1,
// however many hits of that call draw it.
#include "CMorvaneMain.h"

namespace {

using S = MorvaneImageSet;

// Strips in the highlighted-symbol set.
enum StripImage : int32_t {
    I_1B = 0,
    I_1B_H = 1,
    I_2B = 2,
    I_2B_H = 3,
    I_3B = 4,
    I_3B_H = 5,
    I_7 = 6,
    I_7_H = 7,
    I_S = 8,
    I_S_H = 9,
    I_A = 10,
    I_A_1B = 11,
    I_A_2B = 12,
    I_A_3B = 13,
    I_A_C = 14,
    I_A_O = 15,
    I_A_W = 16,
    I_A_B = 17,
    I_A_T = 18,
    I_A_S = 19,
    I_A_7 = 20,
    I_B = 21,
    I_C = 22,
    I_O = 23,
    I_T = 24,
    I_W = 25,
};

// Frame counters.
enum Counter : int32_t {
    C_A = 0,
    C_C = 1 /* +row */,
    C_O = 4,
    C_W = 5,
    C_B = 6,
    C_T = 7,
    C_S = 8,
    C_7 = 9,
    C_BAR = 10 /* +bar */,
    C_A_C = 13,
    C_A_O = 14,
    C_A_W = 15,
    C_A_B = 16,
    C_A_T = 17,
    C_A_S = 18,
    C_A_7 = 19,
    C_A_BAR = 20 /* +bar */,
};

using Strip = MorvaneHitStrip;

enum class Place { Plain, A, High, Bar };

constexpr float kPlainX[4] = {35, 226, 419, 612};
constexpr float kAX[4] = {35, 227, 421, 612};
constexpr float kHighMiddleX[4] = {37, 226, 419, 608};
constexpr float kBarX[4] = {31, 224, 417, 610};
constexpr float kRowY[3] = {110, 237, 370};
constexpr float kBarY[3] = {108, 238, 366};

float CellX(Place place, int reel, int row)
{
    switch (place) {
    case Place::A:
        return kAX[reel];
    case Place::High:
        return row == 1 ? kHighMiddleX[reel] : kPlainX[reel];
    case Place::Bar:
        return kBarX[reel];
    default:
        return kPlainX[reel];
    }
}

// The win strip of a symbol (kinds 1 to 3).
Strip WinStrip(int32_t symbol, int row)
{
    switch (symbol) {
    case MSYM_C:
        return {I_C, 150, 150, 4, 5, C_C + row};
    case MSYM_O:
        return {I_O, 180, 150, 3, 3, C_O};
    case MSYM_W:
        return {I_W, 170, 150, 4, 7, C_W};
    case MSYM_B:
        return {I_B, 150, 150, 8, 7, C_B};
    case MSYM_T:
        return {I_T, 150, 150, 10, 3, C_T};
    case MSYM_S:
        return {I_S, 150, 150, 3, 5, C_S};
    case MSYM_7:
        return {I_7, 150, 150, 6, 6, C_7};
    case MSYM_1B:
        return {I_1B_H, 160, 160, 15, 5, C_BAR};
    case MSYM_2B:
        return {I_2B_H, 160, 160, 15, 5, C_BAR + 1};
    case MSYM_3B:
        return {I_3B_H, 160, 160, 15, 5, C_BAR + 2};
    default:
        return {I_A, 150, 150, 4, 4, C_A};
    }
}

// The four-of-a-kind strip; `wild` marks the wild display's faster rates.
Strip FourStrip(int32_t symbol, int row, bool wild)
{
    switch (symbol) {
    case MSYM_W:
        return {I_W, 170, 150, 4, wild ? 3 : 7, C_W};
    case MSYM_S:
        return {I_S_H, 150, 150, 3, wild ? 3 : 5, C_S};
    case MSYM_7:
        return {I_7_H, 150, 150, 23, 3, C_7};
    default:
        return WinStrip(symbol, row);
    }
}

// The A standing in for a symbol ("image/A_" + letter).
Strip WildStrip(int32_t symbol, int row)
{
    switch (symbol) {
    case MSYM_C:
        return {I_A_C, 150, 150, 8, 10, C_A_C};
    case MSYM_O:
        return {I_A_O, 150, 150, 7, row == 1 ? 10 : 8, C_A_O};
    case MSYM_W:
        return {I_A_W, 150, 150, 7, 10, C_A_W};
    case MSYM_B:
        return {I_A_B, 150, 150, 12, 7, C_A_B};
    case MSYM_T:
        return {I_A_T, 150, 150, 14, row == 2 ? 4 : 8, C_A_T};
    case MSYM_S:
        return {I_A_S, 150, 150, 7, 4, C_A_S};
    case MSYM_7:
        return {I_A_7, 150, 150, 27, 5, C_A_7};
    case MSYM_1B:
        return {I_A_1B, 160, 160, 19, 5, C_A_BAR};
    case MSYM_2B:
        return {I_A_2B, 160, 160, 19, 5, C_A_BAR + 1};
    case MSYM_3B:
        return {I_A_3B, 160, 160, 19, 5, C_A_BAR + 2};
    default:
        return {I_A, 150, 150, 4, 4, C_A};
    }
}

Place PlaceOf(int32_t symbol, bool wildStrip)
{
    if (IsMorvaneBar(symbol))
        return Place::Bar;
    if (wildStrip)
        return Place::Plain;
    if (symbol == MSYM_A)
        return Place::A;
    if (symbol == MSYM_T || symbol == MSYM_S || symbol == MSYM_7)
        return Place::High;
    return Place::Plain;
}

}  // namespace

int32_t CMorvaneMain::AdvanceStrip(int32_t counter, int32_t period, int32_t frames,
                                   uint32_t& stepped)
{
    int32_t& frame = m_anStripFrame[counter];
    const uint32_t bit = 1u << counter;
    if (m_nAnimTick % period == 1 && !(stepped & bit)) {
        ++frame;
        stepped |= bit;
    }
    // A counter shared with a longer display may stand past this one's last frame.
    if (frame >= frames)
        frame = 0;
    return frame;
}

void CMorvaneMain::DrawStripCells(const MorvaneHitStrip& strip, int32_t row, uint8_t cells,
                                  int32_t symbol, bool wild, uint32_t& stepped)
{
    const int32_t frame = AdvanceStrip(strip.counter, strip.period, strip.frames, stepped);
    const MorvaneRect source = {frame * strip.w, 0, (frame + 1) * strip.w, strip.h};
    const bool bar = IsMorvaneBar(symbol);
    for (int reel = 0; reel < kMorvaneReels; ++reel)
        if (cells >> reel & 1)
            DrawSprite(CellX(PlaceOf(symbol, wild), reel, row), bar ? kBarY[row] : kRowY[row],
                       S::HighlightedSymbols, strip.image, source);
}

void CMorvaneMain::DrawHighlights()
{
    uint32_t stepped = 0;  // bit c: counter c has advanced in this call
    for (const MorvaneHit& hit : m_Hits) {
        switch (hit.eHighlight) {
        case MorvaneHighlight::WinStrip:
            DrawStripCells(WinStrip(hit.nSymbol, hit.nRow), hit.nRow, hit.byCells, hit.nSymbol,
                           false, stepped);
            break;
        case MorvaneHighlight::AStrip:
            DrawStripCells(WinStrip(MSYM_A, hit.nRow), hit.nRow, hit.byCells, MSYM_A, false,
                           stepped);
            break;
        case MorvaneHighlight::FourStrip:
            DrawFourOfAKind(hit, stepped);
            break;
        case MorvaneHighlight::MixedBar:
            DrawMixedBars(hit);
            break;
        }
    }
}

// Four of a kind: the big symbol, the row's strip and, over wild cells, the A standing in.
void CMorvaneMain::DrawFourOfAKind(const MorvaneHit& hit, uint32_t& stepped)
{
    static constexpr MorvaneRect kBigSmall = {0, 0, 368, 358};
    static constexpr MorvaneRect kBigMid = {0, 0, 382, 368};
    static constexpr MorvaneRect kBigBar = {0, 0, 435, 352};
    const int row = hit.nRow;
    const int32_t symbol = hit.nSymbol;
    if (symbol >= MSYM_C && symbol <= MSYM_3B) {
        const int32_t big = symbol - 1;
        if (symbol <= MSYM_W)
            DrawSprite(218, 138, S::BigSymbols, big, kBigSmall);
        else if (symbol <= MSYM_7)
            DrawSprite(209, 133, S::BigSymbols, big, kBigMid);
        else
            DrawSprite(182, 141, S::BigSymbols, big, kBigBar);
    }
    const bool wild = hit.byWildCells != 0;
    DrawStripCells(FourStrip(symbol, row, wild), row, hit.byCells, symbol, false, stepped);
    if (wild)
        DrawStripCells(WildStrip(symbol, row), row, hit.byWildCells, symbol, true, stepped);
}

// A row of mixed bars: each bar cell of the hit highlighted, the top row's on the tick's frame,
// the others blinking on counters of their own.
void CMorvaneMain::DrawMixedBars(const MorvaneHit& hit)
{
    static constexpr float kOuterX[4] = {38, 230, 423, 616};
    const MorvaneWindow window = MorvaneWindowOf(m_Rec.nReelSet, m_Rec.Array);
    const int row = hit.nRow;
    for (int reel = 0; reel < kMorvaneReels; ++reel) {
        if (!(hit.byCells >> reel & 1))
            continue;
        const int32_t cell = window.aCell[row][reel];
        if (!IsMorvaneBar(cell))
            continue;
        const int32_t bar = cell - MSYM_1B;
        const int32_t image = I_1B + 2 * bar;
        if (row == 0) {
            const float left = m_nAnimTick % 9 == 1 ? 147.0f : 0.0f;
            DrawSprite(kOuterX[reel], 107, S::HighlightedSymbols, image,
                       {left, 0, left + 147, 149});
            continue;
        }
        // Each middle and bottom cell blinks on its own counter, one frame every 9 ticks.
        int32_t& frame = m_anBarFrame[row - 1][reel][bar];
        if (m_nAnimTick % 9 == 1)
            frame = (frame + 1) % 2;
        const float w = bar == 0 ? 147.0f : 150.0f;
        const float h = bar == 0 ? 149.0f : 150.0f;
        DrawSprite(row == 1 ? kPlainX[reel] : kOuterX[reel], row == 1 ? 237.0f : 366.0f,
                   S::HighlightedSymbols, image, {frame * w, 0, frame * w + w, h});
    }
}
