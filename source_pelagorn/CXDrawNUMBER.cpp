#include "CXDrawNUMBER.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "CXDrawConfig.h"

namespace {

// Counting never starts slower than this, whatever the holder configured.
constexpr float kMinCountSpeed = 30.0f;

}  // namespace

bool CXDrawNUMBER::SetFormat(const char* format)
{
    if (!CXIsIntegerFormat(format)) {
        m_strFormat = "%d";
        return false;
    }
    m_strFormat = format;
    return true;
}

void CXDrawNUMBER::SetNumber(uint32_t value, bool jump)
{
    const bool reached = Reached();
    if (jump || reached)
        m_dShown = m_dwTarget;
    m_dwTarget = value;
    if (m_fSpeed < kMinCountSpeed)
        m_fSpeed = kMinCountSpeed;
    m_fDirection = m_dShown > value ? -1.0f : 1.0f;
    const auto distance = static_cast<float>(std::fabs(value - m_dShown));
    const float speed = std::max(m_fSpeed, distance / 100.0f * m_fSpeed);
    if (jump || reached)
        m_fCountSpeed = speed;
    m_fCountSpeed = std::max(m_fCountSpeed, speed);
    UpdateCount(0.0f, -1);
}

void CXDrawNUMBER::UpdateCount(float dt, int32_t /*unused*/)
{
    // The shown value is a double, which holds every 32-bit target exactly, so the count ends on
    // the target itself and a step of under one unit still moves it at any size.
    const double target = m_dwTarget;
    if (m_nMode == 1) {
        // A step never carries the shown value past the target: the number stops on it.
        if (m_fDirection > 0.0f) {
            if (m_dShown < target)
                m_dShown = std::min(target, m_dShown + CXAdvance(m_fDirection, m_fCountSpeed, dt));
            else
                m_dShown = target;
        } else if (m_fDirection < 0.0f) {
            if (m_dShown > target)
                m_dShown = std::max(target, m_dShown + CXAdvance(m_fDirection, m_fCountSpeed, dt));
            else
                m_dShown = target;
        }
    } else if (m_dShown != target) {
        m_dShown = target;
    }
    if (m_bPulse) {
        m_fPulsePhase += CXAdvance(1.0f, m_fPulseRate, dt);
        m_fPulsePhase = std::fmod(m_fPulsePhase, 360.0f);
        const float wave =
            (std::sin(m_fPulsePhase * std::numbers::pi_v<float> / 180.0f) + 1.0f) / 2.0f;
        m_fScale = 1.0f + wave * m_fPulseAmplitude / 100.0f;
    }
}

void CXDrawNUMBER::Draw()
{
    char text[1024];
    const char* format =
        CXIsIntegerFormat(m_strFormat.GetString()) ? m_strFormat.GetString() : "%d";
    std::snprintf(text, sizeof text, format, CXToUInt32(m_dShown));
    const int length = static_cast<int>(std::strlen(text));
    const float width = m_Digits.GetWidth() * m_fScale;
    const float height = m_Digits.GetHeight() * m_fScale;
    float x = m_fX, y = m_fY;
    if (m_nAlignH == 1)
        x -= width * static_cast<float>(length) / 2.0f;
    else if (m_nAlignH == 2)
        x -= width * static_cast<float>(length);
    if (m_nAlignV == 1)
        y -= height / 2.0f;
    else if (m_nAlignV == 2)
        y -= height;
    for (int i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            continue;
        m_Digits.SetFrame(text[i] - '0');
        m_Digits.RenderEx(x, y, m_fRotation, m_fScale, m_fScale);
        x += m_Digits.GetWidth() * m_fScale;
    }
}
