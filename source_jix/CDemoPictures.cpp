// The characters' presentation pictures and the pin field of the launcher.
#include "CDemo.h"
#include "CDemoSurface.h"
#include "CXSpriteBatch.h"

namespace {

// Where a run's frame stands: from counter nFirst on (until the next entry).
struct Place {
    int32_t nFirst;
    int x, y;
};

constexpr Place kMainPlaces[] = {
    {0, 470, 300},  {3, 480, 300},  {6, 500, 300},  {10, 510, 300}, {12, 550, 300}, {18, 370, 300},
    {19, 160, 150}, {20, 0, 222},   {22, 0, 0},     {24, 170, 390}, {26, 59, 276},  {33, 59, 114},
    {37, 150, 105}, {39, 160, 150}, {42, 280, 190}, {55, 190, 240}, {64, 200, 199}, {66, 200, 220},
    {71, 200, 0},   {74, 200, 220}, {77, 150, 186}, {78, 0, 221},   {80, 240, 180}, {83, 0, 0},
    {86, 260, 240}, {92, 270, 290}, {93, 250, 280}, {94, 230, 268}, {95, 200, 220}, {96, 110, 186},
    {97, 0, 0}};
constexpr Place kFirstCompanionPlaces[] = {{0, 352, 332},  {7, 113, 269}, {10, 0, 296},
                                           {15, 113, 269}, {16, 264, 0},  {37, 0, 0}};
constexpr Place kSecondCompanionPlaces[] = {{0, 382, 338},  {15, 279, 164},  {83, 160, 60},
                                            {87, 337, 210}, {113, 337, 384}, {126, 337, 518}};
constexpr Place kThirdCompanionPlaces[] = {{0, 438, 94}, {96, 438, 296}};

struct Presentation {
    int nFirstSlot;
    int32_t nFrames;
    const Place* pPlaces;
    int nPlaces;
};

template <size_t N>
constexpr Presentation Make(int nFirstSlot, int32_t nFrames, const Place (&places)[N])
{
    return {nFirstSlot, nFrames, places, int(N)};
}

// By character action 1..4.
constexpr Presentation kPresentations[4] = {
    Make(922, 99, kMainPlaces),               // "jix_ex/mcact%04d"
    Make(1021, 70, kFirstCompanionPlaces),    // "c1ex/c1%04d"
    Make(1097, 146, kSecondCompanionPlaces),  // "ally2_ex/c2_%04d"
    Make(1243, 125, kThirdCompanionPlaces),   // "c3/c3_%04d"
};

// The third companion's two flights of 48 frames over its picture.
struct Flight {
    int32_t nFromCounter, nToCounter;
    int nFirstSlot;
    int x, y;  // frames 0..24; frames 25..47 stand at (0, 0)
};
constexpr Flight kFlights[2] = {
    {85, 109, 1416, 570, 178},   // "c3/fly_act_1", frame = first hold counter
    {110, 124, 1368, 564, 186},  // "c3/fly_act_2", frame = second hold counter
};
constexpr int32_t kFlightFrames = 48;

struct Pin {
    int nSlot;
    int x, y;
};
// "item/pin" in three columns, "item/pin_0000" in the column at x = 250.
constexpr Pin kPins[19] = {{810, 160, 600}, {810, 160, 490}, {810, 160, 380}, {810, 160, 270},
                           {810, 160, 160}, {811, 250, 655}, {811, 250, 545}, {811, 250, 435},
                           {811, 250, 325}, {811, 250, 215}, {811, 250, 105}, {810, 340, 600},
                           {810, 340, 490}, {810, 340, 270}, {810, 340, 160}, {810, 430, 655},
                           {810, 430, 545}, {810, 430, 215}, {810, 430, 105}};

}  // namespace

void CDemo::DrawCharacterPicture()
{
    if (m_nActionJix < 1 || m_nActionJix > 4)
        return;
    const Presentation& p = kPresentations[m_nActionJix - 1];
    const int32_t n = m_nPreviewCounter;
    if (n < 0 || n >= p.nFrames)
        return;
    const Place* pPlace = &p.pPlaces[0];
    for (int i = 0; i < p.nPlaces; ++i)
        if (n >= p.pPlaces[i].nFirst)
            pPlace = &p.pPlaces[i];
    static const CXSpriteRect kWhole{0, 0, 1280, 768};
    DrawSprite(&kWhole, pPlace->x, pPlace->y,
               m_pSurface ? m_pSurface->Get(p.nFirstSlot + n) : nullptr);

    if (m_nActionJix != 4)
        return;
    for (int i = 0; i < 2; ++i) {
        const Flight& f = kFlights[i];
        const int32_t nFrame = m_anHoldCounter[i];
        if (n < f.nFromCounter || n > f.nToCounter || nFrame < 0 || nFrame >= kFlightFrames)
            continue;
        const bool bNear = nFrame <= 24;
        DrawSprite(&kWhole, bNear ? f.x : 0, bNear ? f.y : 0,
                   m_pSurface ? m_pSurface->Get(f.nFirstSlot + nFrame) : nullptr);
    }
}

void CDemo::DrawPinField()
{
    static const CXSpriteRect kWhole{0, 0, 1280, 768};
    for (const Pin& pin : kPins)
        DrawSprite(&kWhole, pin.x, pin.y, m_pSurface ? m_pSurface->Get(pin.nSlot) : nullptr);
}
