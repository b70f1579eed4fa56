// The background cycle: the far picture scrolls forward and back, darkens through the colour
// modes, and on the way back a 19-frame change sequence turns one background into the next.
#include <cstdlib>

#include "CDemo.h"
#include "CDemoSurface.h"
#include "CXSpriteBatch.h"

namespace {

// Far ("top") and frame ("under") pictures by colour mode (plain, trans, dark moon) and variant.
constexpr int kFarSlot[3][3] = {{2, 5, 7}, {9, 10, 11}, {12, 13, 14}};
constexpr int kFrameSlot[3][3] = {{3, 6, 8}, {15, 16, 17}, {18, 19, 20}};
// The change runs bg01->bg02, bg02->bg03, bg03->bg01, 19 frames each.
constexpr int kChangeSlot = 1677;
constexpr int kChangeFrames = 19;

constexpr int32_t kTurnForward = 279;  // passed moving forward: turn back
constexpr int32_t kDarkFrom = -269;    // passed moving back in mode 1: mode 2
constexpr int32_t kChangeFrom = -480;  // reached moving back: the change sequence
constexpr int32_t kTurnBack = -499;    // passed moving back: turn forward
constexpr int kPassesPerCycle = 4;

int Mode(int32_t n)
{
    return n < 0 || n > 2 ? 0 : n;
}

}  // namespace

void CDemo::AnimateCharacters()
{
    if (!m_bCycleStarted) {
        m_nSide = std::rand() % 2;
        m_bCycleStarted = 1;
    }
    if (m_nTickCount % 15 == 1) {
        if (m_nSwayDir == 0 && ++m_nSway >= 76)
            m_nSwayDir = 1;
        else if (m_nSwayDir != 0 && --m_nSway <= 0)
            m_nSwayDir = 0;

        // Colour mode 0 moves on every 5th step only.
        const bool bMove = m_nColourMode != 0 || ++m_nSlowSteps % 5 == 0;
        if (bMove && m_nScrollDir == 0) {
            if (++m_nScrollPos > kTurnForward) {
                if (m_nColourMode == 0)
                    m_nColourMode = 1;
                m_nScrollDir = 1;
                if (++m_nForwardPasses >= kPassesPerCycle) {
                    m_nColourMode = 0;
                    m_nScrollPos = 0;
                    m_nScrollDir = 0;
                    m_nSway = 0;
                    m_nSwayDir = 0;
                    m_nForwardPasses = 0;
                    m_nSide = std::rand() % 2;
                }
            }
        } else if (bMove) {
            --m_nScrollPos;
            if (m_nColourMode == 1 && m_nScrollPos < kDarkFrom)
                m_nColourMode = 2;
            if (m_nScrollPos == kChangeFrom) {
                m_bChanging = 1;
                m_nChangeFrame = -1;
                if (m_nBgVariant == 1)
                    m_nSide = std::rand() % 2;
            } else if (m_nScrollPos < kChangeFrom && m_bChanging) {
                if (++m_nChangeFrame >= kChangeFrames) {
                    const int32_t nVariant = m_nBgVariant < 0 ? 0 : m_nBgVariant;
                    m_nBgVariant = (nVariant + (m_nSide == 0 ? 1 : 2)) % 3;
                    m_bChanging = 0;
                    m_nChangeFrame = -1;
                }
            }
            if (m_nScrollPos < kTurnBack)
                m_nScrollDir = 0;
        }
    }
    const CXSpriteRect rect{0, 0, m_nScrollPos + 1400, 922};
    DrawSprite(&rect, 0, 0,
               m_pSurface ? m_pSurface->Get(kFarSlot[Mode(m_nColourMode)][Mode(m_nBgVariant)])
                          : nullptr);
}

void CDemo::AnimateScroll()
{
    int nSlot = kFrameSlot[Mode(m_nColourMode)][Mode(m_nBgVariant)];
    if (m_bChanging && m_nChangeFrame >= 0 && m_nScrollPos < kChangeFrom) {
        // Side 0 plays the run into the next background forward, side 1 the run from the
        // previous one backward.
        const int nVariant = Mode(m_nBgVariant);
        nSlot = m_nSide == 0 ? kChangeSlot + kChangeFrames * nVariant + m_nChangeFrame
                             : kChangeSlot + kChangeFrames * ((nVariant + 2) % 3) +
                                   (kChangeFrames - 1 - m_nChangeFrame);
    }
    CX2DSprite* pSprite = m_pSurface ? m_pSurface->Get(nSlot) : nullptr;
    const CXSpriteRect left{0, 0, 792, 768};
    DrawSprite(&left, 0, 0, pSprite);
    const CXSpriteRect right{1168, 0, 1280, 768};
    DrawSprite(&right, 1168, 0, pSprite);
}
