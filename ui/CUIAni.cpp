#include "CUIAni.h"

#include <cmath>

#include "CUIFrames.h"

void CUIAni::Set(CUIFrames* frames, float duration, float x, float y, float scaleX, float scaleY,
                 uint32_t colour)
{
    m_pFrames = frames;
    m_fDuration = duration;
    m_fTime = 0.0f;
    m_nFrame = 0;
    m_fX = x;
    m_fY = y;
    m_fScaleX = scaleX;
    m_fScaleY = scaleY;
    m_dwColour = colour;
}

void CUIAni::Update(float seconds)
{
    // A NaN duration fails this test too.
    if (!(m_fDuration > 0.0f) || !m_pFrames || m_pFrames->GetCount() == 0)
        return;
    m_fTime += seconds;
    if (m_fTime >= m_fDuration)
        m_fTime -= std::floor(m_fTime / m_fDuration) * m_fDuration;
    if (!(m_fTime >= 0.0f))
        m_fTime = 0.0f;
    m_nFrame =
        static_cast<int32_t>(std::lround((m_pFrames->GetCount() - 1) * m_fTime / m_fDuration));
}

void CUIAni::Draw() const
{
    if (!m_pFrames)
        return;
    if (CUITexture* frame = m_pFrames->Get(m_nFrame))
        frame->DrawRegion(m_fX, m_fY, 0.0f, 0.0f, static_cast<float>(frame->GetWidth()),
                          static_cast<float>(frame->GetHeight()), m_fScaleX, m_fScaleY, m_dwColour);
}
