#include "CX2DParticleManager.h"

#include <new>

CX2DParticleManager::~CX2DParticleManager()
{
    Clear();
}

void CX2DParticleManager::Clear()
{
    // Wrappers first: they point into the core's systems but never delete them.
    m_List.RemoveAll(1);
    delete m_pCore;
    m_pCore = nullptr;
}

bool CX2DParticleManager::Create(float fps)
{
    Clear();
    m_pCore = new (std::nothrow) CXParticleManagerCore(fps);
    return m_pCore != nullptr;
}

void CX2DParticleManager::SetOffset(float x, float y)
{
    if (m_pCore)
        m_pCore->m_fTx = x, m_pCore->m_fTy = y;
}

CX2DParticle* CX2DParticleManager::SpawnPS(CX2DParticle* templ, float x, float y)
{
    if (!m_pCore || !templ || !templ->GetSystem())
        return nullptr;
    CXParticleSystem* system = m_pCore->SpawnPS(templ->GetSystem()->m_Info, x, y);
    if (!system)
        return nullptr;
    auto* wrapper = new CX2DParticle(system);
    if (!wrapper || !m_List.AddTail(wrapper, 1)) {
        delete wrapper;
        // Without a wrapper the system would be unreachable for the caller; drop it again.
        delete system;
        --m_pCore->m_nPS;
        return nullptr;
    }
    return wrapper;
}

void CX2DParticleManager::Update(float dt)
{
    if (!m_pCore)
        return;
    CXParticleManagerCore& core = *m_pCore;
    for (int i = 0; i < core.m_nPS;) {
        CXParticleSystem* system = core.m_pSystems[i];
        system->Update(dt);
        if (!system->IsStopped() || system->GetParticlesAlive() > 0) {
            ++i;
            continue;
        }
        for (auto* e = m_List.m_pHead; e; e = e->m_pNext)
            if (e->m_pData && e->m_pData->GetSystem() == system) {
                m_List.DelList(e);
                break;
            }
        delete system;
        core.m_pSystems[i] = core.m_pSystems[--core.m_nPS];
        core.m_pSystems[core.m_nPS] = nullptr;
    }
}

void CX2DParticleManager::Render()
{
    if (!m_pCore)
        return;
    for (int i = 0; i < m_pCore->m_nPS; ++i)
        m_pCore->m_pSystems[i]->Render();
}
