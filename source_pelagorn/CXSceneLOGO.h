#pragma once
// The Pelagorn title: the title animation fading and turning in, a particle fired on both sides,
// for three seconds of game time; then the game scene takes over.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "CX2DSceneObject.h"
#include "CXMemoryPoolTmpl.h"

class CPelagorn;

class CXSceneLOGO : public CX2DSceneObject {
public:
    CX_DECLARE_MEMORY_POOL(CXSceneLOGO)

    explicit CXSceneLOGO(CPelagorn* pOwner) : m_pOwner(pOwner) {}
    ~CXSceneLOGO() override = default;

    // The first call loads the title and the particle; every call restarts the title's time.
    int Init(void* owner) override;
    int Process(HTARGET target) override;
    void Draw();
    // The demo title: the time starts again and the particle is fired anew.
    void StartDemoLogo();

    CX2DAnimation m_Title;
    CX2DParticle m_Particle;
    int32_t m_iRotation = 0;
    int32_t m_iFadeTime = 0;
    int32_t m_iDisplayTime = 3;  // seconds of game time
    int32_t m_iParticleX = 384;
    int32_t m_iParticleY = 300;
    CPelagorn* m_pOwner;
};
