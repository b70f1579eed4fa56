// The reel win animations over the 4 x 3 reel window, column by column.
#include "CDemo.h"
#include "CDemoSurface.h"
#include "CXSpriteBatch.h"
#include "JixWinAnimation.h"

namespace {

// Cells by column (left, middle, right) and reel (0 bottom .. 3 top).
constexpr int kCellX[3] = {781, 905, 1029};
constexpr int kCellY[4] = {517, 383, 249, 114};
constexpr int kColumnFrameX[3] = {749, 872, 999};
constexpr int kColumnFrameY = 89;
// Columns are evaluated left, right, middle.
constexpr int kColumnOrder[3] = {0, 2, 1};

}  // namespace

void CDemo::ResetWinAnimation()
{
    m_nRenderStep = 0;
    for (int a = 0; a < kJixAnimCount; ++a)
        if (a != JixAnimJokerChange && a != JixAnimColumnFrame)
            m_anAnimFrame[a] = 0;
    m_bJokerChangeDone = 0;
}

void CDemo::Render()
{
    static_assert(sizeof(m_anAnimFrame) / sizeof(m_anAnimFrame[0]) == kJixAnimCount);
    ++m_nRenderStep;
    for (int a = 0; a < kJixAnimCount; ++a) {
        const JixAnimRun& run = kJixAnimRuns[a];
        if (m_nRenderStep % run.nPeriod != 0)
            continue;
        if (++m_anAnimFrame[a] >= run.nFrames || m_anAnimFrame[a] < 0) {
            m_anAnimFrame[a] = 0;
            if (a == JixAnimJokerChange)
                m_bJokerChangeDone = 1;
        }
    }

    static const CXSpriteRect kWhole{0, 0, 1280, 768};
    for (const int c : kColumnOrder) {
        int32_t s[4];
        for (int r = 0; r < 4; ++r)
            s[r] = Symbol(r, m_anReelStop[r] - 1 + c);
        const JixColumnWin win = JixEvaluateColumn(s, m_bJokerChangeDone != 0);
        for (int i = 0; i < win.nCount; ++i) {
            const JixCellDraw& d = win.aDraw[i];
            const int nSlot = JixAnimSlot(d.eAnim, d.nSymbol, m_anAnimFrame[d.eAnim]);
            CX2DSprite* pSprite = m_pSurface ? m_pSurface->Get(nSlot) : nullptr;
            if (d.nReel < 0) {
                DrawSprite(&kWhole, kColumnFrameX[c], kColumnFrameY, pSprite);
                for (int r = 0; r < 4; ++r)
                    m_abHighlight[c][r] = 1;
            } else {
                DrawSprite(&kWhole, kCellX[c], kCellY[d.nReel], pSprite);
                m_abHighlight[c][d.nReel] = 1;
            }
        }
    }
}
