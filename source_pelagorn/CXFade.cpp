#include "CXFade.h"

#include "CXDrawConfig.h"
#include "CXGfxDevice.h"

namespace {

constexpr float kWidth = 768.0f;
constexpr float kHeight = 1280.0f;

}  // namespace

void CXFade::Init()
{
    m_fSpeed = 300.0f;
    m_fAlpha = 255.0f;
    m_fTargetAlpha = 0.0f;
    m_nDirection = -1;
    m_fRect[0] = 0.0f;
    m_fRect[1] = 0.0f;
    m_fRect[2] = kWidth - 1.0f;
    m_fRect[3] = kHeight - 1.0f;
    const float corners[4][2] = {{0.0f, 0.0f}, {kWidth, 0.0f}, {kWidth, kHeight}, {0.0f, kHeight}};
    for (int i = 0; i < 4; ++i)
        m_Quad.v[i] = CXVertex{corners[i][0], corners[i][1], 1.0f, 0, 0.0f, 0.0f};
    m_Quad.tex = nullptr;
    m_Quad.blend = BLEND_ALPHABLEND;
    SetColour();
}

void CXFade::SetColour()
{
    const uint32_t alpha = CXToUInt32(m_fAlpha);
    const uint32_t colour = (alpha > 255 ? 255 : alpha) << 24;
    for (CXVertex& vertex : m_Quad.v)
        vertex.color = colour;
}

void CXFade::Update(float dt)
{
    if (m_nDirection == 0)
        return;
    m_fAlpha += CXAdvance(static_cast<float>(m_nDirection), m_fSpeed, dt);
    if (m_fAlpha >= 255.0f) {
        m_fAlpha = 255.0f;
        m_nDirection = 0;
    } else if (m_fAlpha <= 0.0f) {
        m_fAlpha = 0.0f;
        m_nDirection = 0;
    } else {
        const uint8_t alpha = static_cast<uint8_t>(CXToUInt32(m_fAlpha));
        const uint8_t target = static_cast<uint8_t>(CXToUInt32(m_fTargetAlpha));
        if ((m_nDirection > 0 && alpha > target) || (m_nDirection < 0 && alpha < target)) {
            m_fAlpha = m_fTargetAlpha;
            m_nDirection = 0;
        }
    }
    SetColour();
}

void CXFade::Draw()
{
    const uint32_t alpha = CXToUInt32(m_fAlpha);
    const bool resting = m_nDirection == 0;
    const bool covers = alpha >= 255 || (alpha != 0 && m_fAlpha == m_fTargetAlpha);
    if (resting && !covers)
        return;
    if (!g_pGfxDevice)
        return;
    SetColour();
    g_pGfxDevice->Gfx_RenderQuad(m_Quad);
}
