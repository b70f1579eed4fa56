#pragma once
// Short-lived copies of loaded particle systems spawned at given places (up to 100 at once) and
// removed once they are stopped and empty.

#include "CX2DParticle.h"
#include "CXListTmpl.h"
#include "CXMemoryPoolTmpl.h"

class CX2DParticleManager {
public:
    CX_DECLARE_MEMORY_POOL(CX2DParticleManager)

    CX2DParticleManager() = default;
    ~CX2DParticleManager();
    CX2DParticleManager(const CX2DParticleManager&) = delete;
    CX2DParticleManager& operator=(const CX2DParticleManager&) = delete;

    // Drops every system and starts over with that update rate (0: the frame's dt).
    bool Create(float fps);
    // A copy of the template's system fired at (x, y); null without a core, a template or its
    // system, or at 100 live systems. The wrapper belongs to the manager and goes when its system
    // has died out: callers must not keep it past the next Update.
    CX2DParticle* SpawnPS(CX2DParticle* templ, float x, float y);
    void Update(float dt);
    void Render();
    // The drawing offset given to systems spawned from now on.
    void SetOffset(float x, float y);

    int GetSystemCount() const { return m_pCore ? m_pCore->m_nPS : 0; }
    uint32_t GetWrapperCount() const { return m_List.GetCount(); }

private:
    void Clear();

    CXParticleManagerCore* m_pCore = nullptr;  // owned
    CXListTmpl<CX2DParticle> m_List;           // owns the wrappers
};
