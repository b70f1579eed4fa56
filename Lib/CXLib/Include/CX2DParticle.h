#pragma once
// A particle system read from a particle file: the particle image (this sprite), the system and
// one sound channel. UI thread only; drawn between the engine's begin and end of sprites.

#include <cstdint>

#include "CX2DChannel.h"
#include "CX2DParticleSystem.h"
#include "CX2DSprite.h"
#include "CXMemoryPoolTmpl.h"

class CX2DParticle : public CX2DSprite {
public:
    CX_DECLARE_MEMORY_POOL(CX2DParticle)

    CX2DParticle() = default;
    // A wrapper of a system that a manager owns: the system is left alone on destruction.
    explicit CX2DParticle(CXParticleSystem* managed) : m_bManaged(1), m_pSystem(managed) {}
    ~CX2DParticle() override;

    // Reads the particle file: TEX and PSI relative to its folder, the keys present override the
    // PSI record. False when the name is empty or the file or the texture cannot be read (after a
    // failed texture nothing draws until a later Load succeeds).
    bool Load(const char* file) override;

    // The operations below do nothing without a system.
    void Fire();
    void FireAt(float x, float y);
    void Stop(bool kill = false);
    void MoveTo(float x, float y, bool moveParticles = false);
    void Update(float dt);
    void Render();

    CXParticleSystem* GetSystem() const { return m_pSystem; }
    const CXParticleSystemInfo* GetInfo() const { return m_pSystem ? &m_pSystem->m_Info : nullptr; }
    CX2DSound& GetSound() { return m_Sound; }

private:
    // Frame n of a grid of image-sized cells filling the texture row by row; hot spot in the
    // middle.
    void ShowFrame(int frame);
    // A new owned system from the settings in place of the one held; false when it cannot be
    // made.
    bool ReplaceSystem(const CXParticleSystemInfo& info, int fps);

    uint8_t m_bManaged = 0;
    CXParticleSystem* m_pSystem = nullptr;  // owned unless managed
    CX2DSound m_Sound;
};
