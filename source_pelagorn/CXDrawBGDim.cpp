#include "CXDrawBGDim.h"

#include <algorithm>

#include "CX2DAnimation.h"

void CXDrawBGDim::Start(uint8_t from, uint8_t to)
{
    if (fTarget == static_cast<float>(to))
        return;
    fTarget = to;
    fLevel = from;
    fDirection = to > from ? 1.0f : to < from ? -1.0f : 0.0f;
}

bool CXDrawBGDim::Step(float speed, float dt)
{
    if (fDirection == 0.0f)
        return false;
    fLevel = std::clamp(fLevel + speed * dt * fDirection, 0.0f, 255.0f);
    if ((fDirection > 0.0f && fTarget <= fLevel) || (fDirection < 0.0f && fTarget >= fLevel)) {
        fLevel = fTarget;
        fDirection = 0.0f;
    }
    return true;
}

uint32_t CXDrawBGDim::Grey() const
{
    const uint32_t level = static_cast<uint32_t>(std::clamp(fLevel, 0.0f, 255.0f));
    const uint32_t value = 255u - level;
    return 0xFF000000u | value << 16 | value << 8 | value;
}

void CXDrawBGTint(CX2DAnimation& animation, uint32_t grey)
{
    const int base = animation.m_nAnimAlpha;
    const uint32_t alpha = static_cast<uint32_t>(animation.GetAlpha(0)) & 0xFF;
    animation.SetAnimationColor(alpha << 24 | (grey & 0xFFFFFF));
    animation.m_nAnimAlpha = base;
}
