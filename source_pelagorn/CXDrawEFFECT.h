#pragma once
// The effect queue: one-shot animations played at given places, each entry counting the frames
// of a shared animation it has drawn, and a particle manager for the scene's particle bursts.
// No file.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CX2DParticleManager.h"
#include "CXDrawObject.h"
#include "CXListTmpl.h"

// One queued animation; the animation belongs to its holder (the prize store, the background).
class CXDrawEffectAniInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawEffectAniInfo)

    CXDrawEffectAniInfo() = default;
    virtual ~CXDrawEffectAniInfo() = default;

    int32_t m_bDone = 0;
    int32_t m_bWrapped = 0;  // one full pass has been drawn
    float m_fX = 0.0f;
    float m_fY = 0.0f;
    int32_t m_nFrame = 0;      // the frame this entry draws
    int32_t m_nLastSeen = 0;   // the animation's frame when last looked at
    int32_t m_bWaitSound = 0;  // stays until the animation's sound has ended
    CX2DAnimation* m_pAnimation = nullptr;
};

// The queue's list. Finished entries keep their list elements in a spare chain and are taken
// again by the next effect, so a busy queue neither makes nor frees anything per effect.
class CXDrawEffectList : public CXListTmpl<CXDrawEffectAniInfo> {
public:
    CXDrawEffectList() = default;
    ~CXDrawEffectList() override;

    // Unlinks the element and keeps it, with its entry, for reuse.
    void Retire(Element* element);
    // A spare entry, reset and appended at the tail; null when there is none.
    CXDrawEffectAniInfo* ReuseAtTail();

private:
    Element* m_pSpare = nullptr;  // chained through m_pNext
};

class CXDrawEFFECT : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawEFFECT)

    CXDrawEFFECT() = default;
    ~CXDrawEFFECT() override = default;

    // Makes the particle manager afresh.
    void Init() override;
    // Drops the entries that are done, then runs the particles.
    void Update(float dt) override;
    void Draw() override;

    // Queues the animation at (x, y), playing it (its sound too) when it is not playing. Nothing
    // for a null animation, one without an image, or when no entry can be made.
    void AddAnimation(float x, float y, CX2DAnimation* animation, int32_t waitSound);
    // Drops the first entry that holds the animation.
    void RemoveAnimation(const CX2DAnimation* animation);

    CX2DParticleManager& GetParticleManager() { return m_Particles; }

    CXDrawEffectList m_Entries;
    CX2DParticleManager m_Particles;

private:
    void DrawEntry(CXDrawEffectAniInfo& entry);
};
