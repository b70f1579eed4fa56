#include "CXDrawEFFECT.h"

CXDrawEffectList::~CXDrawEffectList()
{
    while (Element* element = m_pSpare) {
        m_pSpare = element->m_pNext;
        FreeData(element);
        delete element;
    }
}

void CXDrawEffectList::Retire(Element* element)
{
    if (!element || !m_pHead)
        return;
    Unlink(element);
    element->m_pNext = m_pSpare;
    m_pSpare = element;
}

CXDrawEffectAniInfo* CXDrawEffectList::ReuseAtTail()
{
    Element* element = m_pSpare;
    if (!element || !element->m_pData)
        return nullptr;
    m_pSpare = element->m_pNext;
    *element->m_pData = CXDrawEffectAniInfo();
    LinkTail(element);
    return element->m_pData;
}

void CXDrawEFFECT::Init()
{
    m_Particles.Create(0.0f);
}

void CXDrawEFFECT::AddAnimation(float x, float y, CX2DAnimation* animation, int32_t waitSound)
{
    if (!animation || !animation->GetCore())
        return;
    CXDrawEffectAniInfo* entry = m_Entries.ReuseAtTail();
    if (!entry) {
        entry = new CXDrawEffectAniInfo;
        if (!entry || !m_Entries.AddTail(entry)) {
            delete entry;
            return;
        }
    }
    if (!animation->IsPlaying())
        animation->Play(false);
    animation->GetSound().Play();
    entry->m_fX = x;
    entry->m_fY = y;
    entry->m_nLastSeen = animation->GetFrame();
    entry->m_bWaitSound = waitSound;
    entry->m_pAnimation = animation;
}

void CXDrawEFFECT::RemoveAnimation(const CX2DAnimation* animation)
{
    for (auto* element = m_Entries.m_pHead; element; element = element->m_pNext)
        if (element->m_pData && element->m_pData->m_pAnimation == animation) {
            m_Entries.DelList(element);
            return;
        }
}

void CXDrawEFFECT::Update(float dt)
{
    for (auto* element = m_Entries.m_pHead; element;) {
        auto* next = element->m_pNext;
        if (element->m_pData && element->m_pData->m_pAnimation && element->m_pData->m_bDone)
            m_Entries.Retire(element);
        element = next;
    }
    m_Particles.Update(dt);
}

void CXDrawEFFECT::Draw()
{
    for (auto* element = m_Entries.m_pHead; element; element = element->m_pNext)
        if (element->m_pData && element->m_pData->m_pAnimation && !element->m_pData->m_bDone)
            DrawEntry(*element->m_pData);
    m_Particles.Render();
}

void CXDrawEFFECT::DrawEntry(CXDrawEffectAniInfo& entry)
{
    CX2DAnimation& animation = *entry.m_pAnimation;
    const bool soundPlaying = animation.GetSound().IsPlaying();
    // An animation that has stopped by itself (a loop count run out) never shows the frames the
    // entry still counts: the entry ends, unless it waits for a sound that still plays.
    if (!animation.IsPlaying() && !(entry.m_bWaitSound && soundPlaying)) {
        entry.m_bDone = 1;
        return;
    }
    const int shown = animation.GetFrame();
    animation.SetFrame(entry.m_nFrame);
    animation.Render(entry.m_fX, entry.m_fY);
    animation.SetFrame(shown);
    if (shown != entry.m_nLastSeen) {
        entry.m_nLastSeen = shown;
        if (++entry.m_nFrame >= animation.GetFrameCount()) {
            if (entry.m_bWaitSound) {
                entry.m_nFrame = 0;
                entry.m_bWrapped = 1;
                entry.m_bDone = !soundPlaying;
            } else {
                entry.m_bDone = 1;
            }
        }
    }
    if (entry.m_bWrapped && entry.m_bWaitSound && !soundPlaying)
        entry.m_bDone = 1;
}
