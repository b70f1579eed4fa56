// Moving objects of a background layer: spawn geometry, the move step and starts on request.
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "CXDrawBGInfo.h"
#include "CXDrawBGRandom.h"

namespace {

constexpr float kWidth = 768.0f;
constexpr float kHeight = 1280.0f;
constexpr float kBaseSpeed = 120.0f;  // pixels per second at 100 percent

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

bool Odd()
{
    return (CXDrawBGRandomRange(0, 99999) & 1) != 0;
}

// start minimum + a draw in 0..|maximum - minimum|, without overflow.
float StartPosition(int32_t minimum, int32_t maximum)
{
    const int64_t span = std::llabs(int64_t{maximum} - minimum);
    const int32_t range = span > INT32_MAX ? INT32_MAX : static_cast<int32_t>(span);
    return static_cast<float>(int64_t{minimum} + CXDrawBGRandomRange(0, range));
}

// A horizontal mover: enters at the left or right edge and heads along its angle.
void AimAcross(CXDrawBGMoveObjectInfo& object, const CXDrawMOInfo& definition, bool side, float f,
               float width)
{
    const float speed = object.m_fSpeed;
    object.m_bFlipV = 0;
    if ((definition.m_bySideMode == 0 && Odd()) || (definition.m_bySideMode == 1 && !side) ||
        (definition.m_bySideMode == 2 && side))
        f = -f;
    if (f < 0.0f)
        f += 360.0f;
    object.m_fAngle = Radians(f);
    if (!definition.m_bSingle) {
        object.m_fX = side ? -0.5f * width : kWidth + 0.5f * width;
        object.m_fY = StartPosition(definition.m_nStartMin, definition.m_nStartMax);
    }
    if (side) {
        object.m_fVX = std::cos(Radians(f)) * speed;
        object.m_fVY = std::sin(Radians(f)) * speed;
    } else {
        float g = 180.0f - f;
        if (g < 0.0f)
            g += 360.0f;
        object.m_fVX = std::cos(Radians(g)) * speed;
        object.m_fVY = -std::sin(Radians(g)) * speed;
    }
}

// A vertical mover: enters at the top or bottom edge, possibly flipped, and heads along its angle.
void AimUpDown(CXDrawBGMoveObjectInfo& object, const CXDrawMOInfo& definition, bool side, float f,
               float height)
{
    const float speed = object.m_fSpeed;
    object.m_bFlipV = Odd() ? 1 : 0;
    if ((definition.m_bySideMode == 0 && Odd()) || (definition.m_bySideMode == 1 && side) ||
        (definition.m_bySideMode == 2 && !side))
        f = -f;
    if (f < 0.0f)
        f += 360.0f;
    object.m_fAngle = Radians(f + 90.0f);
    if (!definition.m_bSingle) {
        object.m_fY = side ? -height : kHeight;
        object.m_fX = StartPosition(definition.m_nStartMin, definition.m_nStartMax);
    }
    if (side) {
        object.m_fVX = -std::sin(Radians(f)) * speed;
        object.m_fVY = std::cos(Radians(f)) * speed;
    } else {
        float g = 180.0f - f;
        if (g < 0.0f)
            g += 360.0f;
        object.m_fVX = std::sin(Radians(g)) * speed;
        object.m_fVY = std::cos(Radians(g)) * speed;
    }
}

}  // namespace

bool CXDrawBGInfo::IsUsedBySlot(const CX2DAnimation* animation,
                                const CXDrawBGMoveObjectInfo* except) const
{
    for (uint32_t i = 0; i < m_Slots.GetSize(); ++i) {
        const CXDrawBGMoveObjectInfo* slot = m_Slots.GetAt(i);
        if (slot && slot != except && slot->m_pAnimation == animation)
            return true;
    }
    return false;
}

bool CXDrawBGInfo::Spawn(CXDrawBGMoveObjectInfo& object, int32_t index, int32_t startGroup)
{
    const uint32_t count = m_Definitions.GetSize();
    if (count == 0)
        return false;
    if (index < 0)
        index = CXDrawBGRandomRange(0, static_cast<int32_t>(count - 1));
    CXDrawMOInfo* definition = GetDefinition(static_cast<uint32_t>(index));
    if (!definition || !definition->HasImage() || definition->m_nStartGroup != startGroup)
        return false;
    if (definition->m_bSingle && IsUsedBySlot(&definition->m_Animation, &object))
        return false;
    if (FirstGroupShown() && definition->m_nStartGroup == 0)
        return false;

    CX2DAnimation& animation = definition->m_Animation;
    object.m_nDefinition = index;
    object.m_nDepth = definition->m_nDepth;
    object.m_bSingle = definition->m_bSingle;
    object.m_nPass = definition->m_nPass;
    object.m_pAnimation = &animation;
    const int frames = animation.GetFrameCount();
    object.m_nFrameOffset = frames > 0 ? CXDrawBGRandomRange(0, frames - 1) : 0;
    if (!animation.IsPlaying() || definition->m_bSingle)
        animation.Play(false);
    if (!animation.GetSound().IsPlaying())
        animation.GetSound().Play();

    object.m_fScale =
        static_cast<float>(CXDrawBGRandomRange(definition->m_nScaleMin, definition->m_nScaleMax)) /
        100.0f;
    object.m_fSpeed =
        static_cast<float>(CXDrawBGRandomRange(definition->m_nSpeedMin, definition->m_nSpeedMax)) /
        100.0f * kBaseSpeed;
    bool side;
    if (definition->m_bySideSign == 1)
        side = true;
    else if (definition->m_bySideSign == 2)
        side = false;
    else
        side = Odd();
    object.m_bFlipH = side ? 1 : 0;
    float f =
        static_cast<float>(CXDrawBGRandomRange(definition->m_nAngleMin, definition->m_nAngleMax));
    const float width = animation.GetWidth() * object.m_fScale;
    const float height = animation.GetHeight() * object.m_fScale;
    object.m_fX = 0.0f;
    object.m_fY = 0.0f;

    if (!definition->m_bVertical)
        AimAcross(object, *definition, side, f, width);
    else
        AimUpDown(object, *definition, side, f, height);
    return true;
}

void CXDrawBGInfo::Move(CXDrawBGMoveObjectInfo& object, float dt) const
{
    CX2DAnimation* animation = object.m_pAnimation;
    if (object.m_bSingle) {
        if (!animation->IsPlaying())
            object.m_pAnimation = nullptr;
        return;
    }
    object.m_fX += object.m_fVX * dt + 0.5f * dt * dt;
    object.m_fY += object.m_fVY * dt + 0.5f * dt * dt;
    const float width = 2.0f * animation->GetWidth() * object.m_fScale;
    const float height = 2.0f * animation->GetHeight() * object.m_fScale;
    const bool outX = object.m_fVX > 0.0f ? object.m_fX > kWidth + width : object.m_fX < -width;
    const bool outY = object.m_fVY > 0.0f ? object.m_fY > kHeight + height : object.m_fY < -height;
    if (outX || outY)
        object.m_pAnimation = nullptr;
}

void CXDrawBGInfo::StartMoveObject(uint32_t index, uint32_t count)
{
    CXDrawMOInfo* definition = GetDefinition(index);
    if (!definition || !definition->HasImage() || definition->m_nStartGroup == 0)
        return;
    if (definition->m_bSingle) {
        for (auto* element = m_Moving.m_pHead; element; element = element->m_pNext)
            if (element->m_pData && element->m_pData->m_pAnimation == &definition->m_Animation) {
                definition->m_Animation.Stop();
                definition->m_Animation.Play(false);
                return;
            }
        count = 1;
    }
    count = count > kMaxStartCount ? kMaxStartCount : count;
    for (uint32_t i = 0; i < count; ++i) {
        auto* object = new CXDrawBGMoveObjectInfo;
        if (!object)
            return;
        if (!Spawn(*object, static_cast<int32_t>(index), definition->m_nStartGroup)) {
            delete object;
            return;
        }
        object->m_nStartTime = Now();
        if (!m_Moving.AddTail(object))
            delete object;
    }
}
