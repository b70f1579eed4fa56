#include "CXSceneLOGO.h"

#include <algorithm>
#include <numbers>

#include "CPelagorn.h"
#include "CXSceneGAME.h"

int CXSceneLOGO::Init(void* owner)
{
    if (owner)
        m_pOwner = static_cast<CPelagorn*>(owner);
    if (!m_bInitialized) {
        m_Title.Load("image/logo/title.anf");
        m_Particle.Load("effect/logo/logo.ptf");
        m_Particle.MoveTo(384.0f, 576.0f);
        m_iRotation = 0;
        m_iFadeTime = 0;
        m_iDisplayTime = 3;
        m_iParticleX = 384;
        m_iParticleY = 300;
        m_Particle.Fire();
    }
    m_bInitialized = true;
    m_dElapsed = 0.0;
    return 1;
}

void CXSceneLOGO::Draw()
{
    const double elapsed = m_dElapsed;
    const double scale = m_iFadeTime == 0 ? 1.0 : std::min(1.0, elapsed / m_iFadeTime);
    double rotation = 0.0;
    if (m_iFadeTime != 0) {
        const double turned = m_iRotation * elapsed / m_iFadeTime;
        rotation = m_iRotation < turned ? 0.0 : turned * std::numbers::pi;
    }
    m_Title.RenderEx(384.0f, 640.0f, static_cast<float>(rotation), static_cast<float>(scale));
    m_Particle.MoveTo(static_cast<float>(m_iParticleX - 100),
                      static_cast<float>(m_iParticleY - 64));
    m_Particle.Render();
    m_Particle.MoveTo(static_cast<float>(m_iParticleX + 100),
                      static_cast<float>(m_iParticleY - 64));
    m_Particle.Render();
}

int CXSceneLOGO::Process(HTARGET)
{
    const float dt = m_fFrameTime;
    if (m_iFadeTime > 0) {
        const double alpha = std::min(255.0, m_dElapsed * 255.0 / m_iFadeTime);
        m_Title.SetAlpha(static_cast<int>(alpha), -1);
    }
    m_Particle.Update(dt);
    Draw();
    m_dElapsed += dt;
    if (m_dElapsed > m_iDisplayTime && m_pOwner)
        m_pOwner->OnTitleDone();
    return 1;
}

void CXSceneLOGO::StartDemoLogo()
{
    m_dElapsed = 0.0;
    m_Particle.Stop(false);
    m_Particle.Fire();
}
