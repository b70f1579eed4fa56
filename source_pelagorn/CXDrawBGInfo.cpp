// A background layer: fades, group dimming, scroll speed, the per-frame update and the drawing of
// its strips and moving objects.
#include "CXDrawBGInfo.h"

#include <algorithm>

#include "CXDrawBG.h"
#include "CXDrawScene.h"

namespace {

template <class T, class F>
void ForEach(const CXArrayTmpl<T>& array, F&& f)
{
    for (uint32_t i = 0; i < array.GetSize(); ++i)
        if (T* item = array.GetAt(i))
            f(*item);
}

template <class F>
void ForEachImage(const CXDrawScrollObject& strip, F&& f)
{
    for (auto* element = strip.m_Images.m_pHead; element; element = element->m_pNext)
        f(*element->m_pData);
}

void FadeAnimation(CX2DAnimation& animation, float speed, int32_t mode)
{
    if (mode == CXDrawBGInfo::kFadeIn) {
        animation.SetAlpha(0);
        animation.FadeStart(static_cast<float>(animation.m_nAnimAlpha), speed, 1);
    } else {
        animation.FadeStart(0.0f, speed, -1);
    }
}

}  // namespace

bool CXDrawBGInfo::FirstGroupShown() const
{
    return m_pScene && m_pScene->IsFirstGroupShown();
}

uint32_t CXDrawBGInfo::Now() const
{
    return m_pScene ? m_pScene->GetTimeMs() : 0;
}

float CXDrawBGInfo::DimSpeed() const
{
    return m_pBackground ? m_pBackground->m_fDimSpeed : 0.0f;
}

void CXDrawBGInfo::Fade(float speed, int32_t mode)
{
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        ForEachImage(strip, [&](CX2DAnimation& image) { FadeAnimation(image, speed, mode); });
    });
    ForEach(m_Definitions,
            [&](CXDrawMOInfo& definition) { FadeAnimation(definition.m_Animation, speed, mode); });
}

void CXDrawBGInfo::RestartStrips()
{
    ForEach(m_Strips, [](CXDrawScrollObject& strip) {
        ForEachImage(strip, [](CX2DAnimation& image) { image.Play(false); });
    });
}

bool CXDrawBGInfo::IsStripFading() const
{
    bool fading = false;
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        ForEachImage(strip, [&](CX2DAnimation& image) { fading = fading || image.IsFading(); });
    });
    return fading;
}

void CXDrawBGInfo::FadeObjectGroup(int32_t group, uint8_t from, uint8_t to)
{
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        if (strip.m_nGroup == group)
            strip.m_Dim.Start(from, to);
    });
    ForEach(m_Definitions, [&](CXDrawMOInfo& definition) {
        if (definition.m_nGroup == group && definition.m_nPass == 0)
            definition.m_Dim.Start(from, to);
    });
}

void CXDrawBGInfo::SetScrollSpeed(float speed, float rate)
{
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        strip.m_fPrevTargetSpeed = strip.m_fTargetSpeed;
        float target = speed * rate + speed;
        if (target == 0.0f)
            target = strip.m_fPrevTargetSpeed < 0.0f ? -rate * 0.5f : rate * 0.5f;
        strip.m_fTargetSpeed = target;
    });
}

void CXDrawBGInfo::Update(float dt)
{
    const float dimSpeed = DimSpeed();
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        strip.m_fDimSpeed = dimSpeed;
        strip.Update(dt);
    });
    // Each definition's animation is shared by all of its objects and advances once a frame.
    ForEach(m_Definitions, [&](CXDrawMOInfo& definition) {
        const bool dimming = definition.m_Dim.Step(dimSpeed, dt);
        definition.m_Animation.Update(dt);
        if (dimming)
            CXDrawBGTint(definition.m_Animation, definition.m_Dim.Grey());
    });
    ForEach(m_Slots, [&](CXDrawBGMoveObjectInfo& slot) {
        if (slot.IsLive())
            Move(slot, dt);
        else
            Spawn(slot, -1, 0);
    });
    for (auto* element = m_Moving.m_pHead; element;) {
        auto* next = element->m_pNext;
        CXDrawBGMoveObjectInfo* object = element->m_pData;
        if (object && object->IsLive())
            Move(*object, dt);
        if (!object || !object->IsLive())
            m_Moving.DelList(element, 1);
        element = next;
    }
}

void CXDrawBGInfo::DrawStrips(bool front)
{
    ForEach(m_Strips, [&](CXDrawScrollObject& strip) {
        if ((strip.m_bFront != 0) != front)
            return;
        strip.Draw();
        if (front)
            strip.DrawTiled();
    });
}

void CXDrawBGInfo::DrawObject(CXDrawBGMoveObjectInfo& object)
{
    CX2DAnimation& animation = *object.m_pAnimation;
    const int frames = animation.GetFrameCount();
    const int frame = animation.GetFrame();
    if (frames > 0)
        animation.SetFrame(
            static_cast<int>((static_cast<int64_t>(frame) + object.m_nFrameOffset) % frames));
    animation.SetFlip(object.m_bFlipH != 0, object.m_bFlipV != 0);
    animation.RenderEx(object.m_fX, object.m_fY, object.m_fAngle, object.m_fScale, object.m_fScale);
    if (frames > 0)
        animation.SetFrame(frame);
}

void CXDrawBGInfo::DrawSorted(int32_t pass)
{
    ForEach(m_Slots, [&](CXDrawBGMoveObjectInfo& slot) {
        if (slot.IsLive() && slot.m_nPass == pass)
            DrawObject(slot);
    });
    // A binary insertion into the reused buffer keeps equal objects in list order without the
    // scratch memory a library stable sort takes on every call.
    const auto before = [](const CXDrawBGMoveObjectInfo* a, const CXDrawBGMoveObjectInfo* b) {
        if (a->m_nDepth != b->m_nDepth)
            return a->m_nDepth < b->m_nDepth;
        if (a->m_fScale != b->m_fScale)
            return a->m_fScale < b->m_fScale;
        return a->m_nStartTime < b->m_nStartTime;
    };
    m_Sorted.clear();
    for (auto* element = m_Moving.m_pHead; element; element = element->m_pNext) {
        CXDrawBGMoveObjectInfo* object = element->m_pData;
        if (object && object->IsLive() && object->m_nPass == pass)
            m_Sorted.insert(std::upper_bound(m_Sorted.begin(), m_Sorted.end(), object, before),
                            object);
    }
    for (CXDrawBGMoveObjectInfo* object : m_Sorted)
        DrawObject(*object);
}
