// The reels' drawing: the belts through the window, the marked symbols at their prize scale with
// the line effects, particle and prize number, and the auto-hold effects.
#include <algorithm>
#include <cmath>

#include "CXDrawREEL.h"
#include "CXDrawScene.h"

// Calls draw(symbol, x of the reel, y of the row) for every row shown of every reel, top down.
template <class F>
void CXDrawREEL::WalkWindow(F&& draw)
{
    for (uint32_t i = 0; i < m_Belts.GetSize(); ++i) {
        const CXDrawReelBeltInfo* belt = GetBelt(i);
        if (!belt || belt->GetCount() == 0)
            continue;
        const float fi = static_cast<float>(i);
        const float x = fi * m_fXSpace + fi * m_fWidth + m_fXPos;
        const int64_t first =
            belt->Wrap(static_cast<int64_t>(belt->m_nPosition) - m_dwDisplayLineDummy);
        float y = belt->m_fOffset + m_fYPos;
        const uint32_t rows = std::min(m_dwDisplayLine, belt->GetCount());
        for (uint32_t row = 0; row < rows; ++row, y += m_fHeight)
            if (CXDrawReelBeltObject* symbol = belt->SymbolAt(first + row);
                symbol && symbol->m_pInfo)
                draw(*symbol, x, y);
    }
}

void CXDrawREEL::Draw()
{
    m_Background.Render(0.0f, m_fYPos);
    WalkWindow([&](CXDrawReelBeltObject& symbol, float x, float y) {
        if (symbol.m_bMarked)
            return;
        CX2DAnimation& normal = symbol.m_pInfo->m_Normal;
        normal.Render(std::trunc((m_fWidth - normal.GetWidth()) * 0.5f + x),
                      std::trunc((m_fHeight - normal.GetHeight()) + y + m_fYPosAdjust));
    });
}

void CXDrawREEL::DrawSymbols()
{
    // The scale rises from 1 to 1.2 S at mid-prize and falls back.
    const float tick = m_fPrizeTick, top = 1.2f * m_fPrizeScale, half = tick * 0.5f;
    float scale =
        half > 0.0f ? top - std::fabs(half - (tick - m_fPrizeTime)) * (top - 1.0f) / half : 1.0f;
    scale = std::max(std::min(FoldScale(scale), m_fPrizeScale), 1.0f);
    WalkWindow([&](CXDrawReelBeltObject& symbol, float x, float y) {
        if (!symbol.m_bMarked)
            return;
        CX2DAnimation& prize = symbol.m_pInfo->m_Prize;
        prize.RenderEx(
            std::trunc(x + (m_fWidth - prize.GetWidth() * scale) * 0.5f),
            std::trunc((m_fHeight - prize.GetHeight() * scale) * 0.5f + y + m_fYPosAdjust), 0.0f,
            scale, scale);
    });
    if (m_PrizeNumber.m_dwTarget != 0) {
        for (uint32_t k = 0; k < kWindowRows; ++k)
            if (m_pScene && m_pScene->GetResultLineWin(k) != 0)
                m_LineEffects[k].Render(m_fLineX[k], m_fLineY[k]);
        if (m_pEffectParticle) {
            m_pEffectParticle->MoveTo(m_fEffectX, m_fEffectY, false);
            m_pEffectParticle->Render();
        }
    }
    if (m_PrizeNumber.m_dwTarget != 0 || !m_PrizeNumber.Reached())
        m_PrizeNumber.Draw();
}

void CXDrawREEL::DrawEffects()
{
    for (int i = 0; i < 4; ++i)
        if (m_AutoHoldEffects[i].IsPlaying())
            m_AutoHoldEffects[i].Render(static_cast<float>(m_nAutoHoldX[i]),
                                        static_cast<float>(m_nAutoHoldY[i]));
    for (CX2DAnimation& aircraft : m_Aircraft)
        if (aircraft.IsPlaying())
            aircraft.Render(0.0f, 0.0f);
}
