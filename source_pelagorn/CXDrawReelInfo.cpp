#include "CXDrawReelInfo.h"

#include <string>

#include "CXDrawConfig.h"

void CXDrawReelInfo::Load(CXDrawConfig& config, const char* folder)
{
    std::string name = config.Text("REEL_EFFECT_ANF");
    if (!name.empty())
        m_Effect.Load(CXJoinPath(folder, name.c_str()).c_str());
    name = config.Text("REEL_EFFECT_PTF");
    if (!name.empty())
        m_EffectParticle.Load(CXJoinPath(folder, name.c_str()).c_str());
    if (config.Fields("REEL") < 1)
        return;
    const std::string normal = config.FieldText(1), prize = config.FieldText(2);
    if (!normal.empty() && m_Normal.Load(CXJoinPath(folder, normal.c_str()).c_str()))
        m_Normal.Play(true);
    if (!prize.empty())
        m_Prize.Load(CXJoinPath(folder, prize.c_str()).c_str());
}

void CXDrawReelInfo::Update(float dt)
{
    m_Effect.Update(dt);
    m_EffectParticle.Update(dt);
    m_Normal.Update(dt);
    m_Prize.Update(dt);
}

int32_t CXDrawReelBeltInfo::Wrap(int64_t index) const
{
    const int64_t count = GetCount();
    if (count == 0)
        return 0;
    return static_cast<int32_t>((index % count + count) % count);
}

CXDrawReelBeltObject* CXDrawReelBeltInfo::SymbolAt(int64_t index) const
{
    return GetCount() ? m_Symbols.GetAt(static_cast<uint32_t>(Wrap(index))) : nullptr;
}

void CXDrawReelBeltInfo::ResetMotion()
{
    m_bStopping = 0;
    m_fOffset = 0.0f;
    m_nReserved = 0;
    m_fElapsed = 0.0f;
    m_fStopBegin = 0.0f;
    m_fLastDistance = 0.0f;
    m_nSpinStart = m_nPosition;
}
