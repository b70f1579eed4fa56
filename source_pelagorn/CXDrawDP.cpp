#include "CXDrawDP.h"

#include <string>

#include "CX2DEngine.h"
#include "CXDrawConfig.h"

namespace {

constexpr const char* kFolder = "/image/dropper";
constexpr const char* kFile = "/image/dropper/dropper.cfg";
constexpr float kFieldWidth = 768.0f;

}  // namespace

void CXDrawDP::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    m_Dropper.Load(CXJoinPath(kFolder, config.Text("DROPPER").c_str()).c_str());
    int64_t alpha = 0;
    if (config.IntegerIf("ALPHA", alpha))
        m_byAlpha = static_cast<uint8_t>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
    config.FloatIf("SPEED", m_fSpeed);
    m_fLeft = static_cast<float>(CXToInt32(static_cast<double>(config.Integer("X_MARGIN"))));
    m_fY = static_cast<float>(CXToInt32(static_cast<double>(config.Integer("Y_POS"))));
    m_Dropper.SetAlpha(m_byAlpha, -1);
    m_fRight = kFieldWidth - m_fLeft - m_Dropper.GetWidth();
    m_fX = static_cast<float>(RandomRange(CXToInt32(m_fLeft), CXToInt32(m_fRight)));
    m_fDirection = RandomRange(int32_t{1}, int32_t{100}) < 50 ? -1.0f : 1.0f;
    m_Dropper.Play(true);
}

void CXDrawDP::Update(float dt)
{
    m_Dropper.Update(dt);
    m_fX += CXAdvance(m_fDirection, m_fSpeed, dt);
    if (m_fX > m_fRight) {
        m_fX = m_fRight;
        m_fDirection = -m_fDirection;
    } else if (m_fX < m_fLeft) {
        m_fX = m_fLeft;
        m_fDirection = -m_fDirection;
    }
}

void CXDrawDP::Draw()
{
    m_Dropper.Render(m_fX, m_fY);
}

float CXDrawDP::GetDropX() const
{
    return m_fX + m_Dropper.GetWidth() / 2.0f;
}
