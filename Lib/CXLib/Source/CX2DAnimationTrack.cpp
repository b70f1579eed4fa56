#include "CX2DAnimationTrack.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "CX2DAnimationFile.h"

namespace {

// Below this a distance or a velocity component counts as zero.
constexpr float kEpsilon = 1.1920929e-7f;  // 2^-23

float Field(const std::vector<std::string>& fields, size_t i)
{
    return i < fields.size() ? static_cast<float>(std::atof(fields[i].c_str())) : 0.0f;
}

}  // namespace

void CX2DAnimationTrack::Clear()
{
    m_Keys.clear();
    m_Delays.clear();
    m_Speeds.clear();
    Stop();
}

void CX2DAnimationTrack::ParseKeys(const char* pszKeys, int nValues, float fScale)
{
    m_Keys.clear();
    m_Delays.clear();
    m_Speeds.clear();
    for (const std::string& key : CX2DSplit(pszKeys ? pszKeys : "", ',')) {
        const std::vector<std::string> fields = CX2DSplit(key, ':');
        CX2D_POINT_tag point;
        point.x = Field(fields, 0) * fScale;
        point.y = nValues > 1 ? Field(fields, 1) * fScale : 0.0f;
        m_Keys.push_back(point);
        m_Delays.push_back(Field(fields, static_cast<size_t>(nValues)) / 1000.0f);
        m_Speeds.push_back(Field(fields, static_cast<size_t>(nValues) + 1) * fScale);
    }
}

float CX2DAnimationTrack::SpeedOf(int key) const
{
    const float speed = m_Speeds[static_cast<size_t>(key)];
    return speed == 0.0f ? m_fDefaultSpeed : speed;
}

void CX2DAnimationTrack::AimAt(int from, int to)
{
    const CX2D_POINT_tag& a = m_Keys[static_cast<size_t>(from)];
    const CX2D_POINT_tag& b = m_Keys[static_cast<size_t>(to)];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float d = std::sqrt(dx * dx + dy * dy);
    // Equal keys have no direction: the track jumps.
    if (d < kEpsilon) {
        m_Velocity = {};
        return;
    }
    m_Velocity.x = dx / d * m_fSpeed;
    m_Velocity.y = dy / d * m_fSpeed;
    if (std::fabs(m_Velocity.x) < kEpsilon)
        m_Velocity.x = 0.0f;
    if (std::fabs(m_Velocity.y) < kEpsilon)
        m_Velocity.y = 0.0f;
}

void CX2DAnimationTrack::Start()
{
    if (m_Keys.empty())
        return;
    const int count = static_cast<int>(m_Keys.size());
    m_bActive = true;
    m_nPasses = 0;
    m_fDelayLeft = m_Delays[0];
    m_fSpeed = SpeedOf(0);
    m_Value = m_Keys[0];
    m_nKey = 1 % count;
    AimAt(0, m_nKey);
}

void CX2DAnimationTrack::Stop()
{
    m_bActive = false;
    m_Velocity = {};
}

void CX2DAnimationTrack::Update(float dt)
{
    if (!m_bActive || m_Keys.empty())
        return;
    m_fDelayLeft -= dt;
    if (m_fDelayLeft > 0.0f)
        return;

    const CX2D_POINT_tag target = m_Keys[static_cast<size_t>(m_nKey)];
    const float half = 0.5f * dt * dt;
    bool reached = true;
    if (m_Velocity.x != 0.0f) {
        m_Value.x += m_Velocity.x * dt + half;
        reached = m_Velocity.x > 0.0f ? m_Value.x >= target.x : m_Value.x <= target.x;
    }
    if (m_Velocity.y != 0.0f) {
        m_Value.y += m_Velocity.y * dt + half;
        reached = reached && (m_Velocity.y > 0.0f ? m_Value.y >= target.y : m_Value.y <= target.y);
    }
    if (!reached)
        return;

    m_Value = target;
    const int count = static_cast<int>(m_Keys.size());
    const int reachedKey = m_nKey;
    if (++m_nKey >= count) {
        m_nKey = 0;
        ++m_nPasses;
        if (m_dwLoopMode == 0 && m_nPasses >= m_nLoopCount) {
            Stop();
            return;
        }
    }
    m_fDelayLeft = m_Delays[static_cast<size_t>(m_nKey)];
    m_fSpeed = SpeedOf(m_nKey);
    AimAt(reachedKey, m_nKey);
}
