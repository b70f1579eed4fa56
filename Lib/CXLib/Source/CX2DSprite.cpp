#include "CX2DSprite.h"

#include <cmath>

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

uint8_t g_bUseSpriteBatch = 0;

namespace {
constexpr float kDegToRad = 3.1415927f / 180.0f;

bool NearOne(float v)
{
    return v > 0.9999999f && v < 1.0000001f;
}
}  // namespace

CX2DSprite::~CX2DSprite()
{
    Release();
}

void CX2DSprite::RenderChildren(float, float, const char*) {}

CXSpriteCore* CX2DSprite::AdoptCore(CXSpriteCore* core)
{
    delete m_pCore;
    m_pCore = core;
    return core;
}

CXSpriteCore* CX2DSprite::CreateFromTexture(HTEXTURE texture, float x, float y, float w, float h)
{
    auto* core = new CXSpriteCore;
    if (texture) {
        if (w == 0.0f)
            w = static_cast<float>(GpuDevice::TextureWidth(texture));
        if (h == 0.0f)
            h = static_cast<float>(GpuDevice::TextureHeight(texture));
    }
    core->Create(texture, x, y, w, h);
    return AdoptCore(core);
}

bool CX2DSprite::CanDraw() const
{
    return g_pGfxDevice && g_pGfxDevice->IsReady() && g_pGfxDevice->m_bLastPass;
}

void CX2DSprite::DrawCore(float x, float y, float rotation, float hscale, float vscale, bool plain)
{
    if (g_bUseSpriteBatch) {
        if (CXSpriteBatch* batch = EngineGetSpriteBatch())
            batch->Draw(m_pCore->m_Quad.tex, x, y, 0.0f, 0.0f, m_pCore->m_fWidth,
                        m_pCore->m_fHeight, hscale, vscale == 0.0f ? hscale : vscale, rotation,
                        0.0f, 0.0f, 0xFFFFFFFF);
    } else if (plain) {
        m_pCore->Render(x, y);
    } else {
        m_pCore->RenderEx(x, y, rotation, hscale, vscale);
    }
}

void CX2DSprite::Render(float x, float y)
{
    if (!CanDraw())
        return;
    m_fLastX = m_fOffsetX + x + (m_pParentOffset ? m_pParentOffset[0] : 0.0f);
    m_fLastY = m_fOffsetY + y + (m_pParentOffset ? m_pParentOffset[1] : 0.0f);
    if (m_pCore) {
        const bool plain =
            NearOne(m_fHScale) && NearOne(m_fVScale) && std::fabs(m_fRotation) < 1.1920929e-7f;
        DrawCore(m_fLastX, m_fLastY, m_fRotation * kDegToRad, m_fHScale, m_fVScale, plain);
    }
    RenderChildren(m_fLastX, m_fLastY, nullptr);
}

void CX2DSprite::RenderEx(float x, float y, float rotation, float hscale, float vscale)
{
    if (!CanDraw())
        return;
    m_fLastX = m_fOffsetX + x + (m_pParentOffset ? m_pParentOffset[0] : 0.0f);
    m_fLastY = m_fOffsetY + y + (m_pParentOffset ? m_pParentOffset[1] : 0.0f);
    if (m_pCore)
        DrawCore(m_fLastX, m_fLastY, m_fRotation * kDegToRad + rotation, m_fHScale + hscale - 1.0f,
                 m_fVScale + vscale - 1.0f, false);
    RenderChildren(m_fLastX, m_fLastY, nullptr);
}

void CX2DSprite::SetAlpha(int alpha, int vertex)
{
    if (!m_pCore)
        return;
    const uint32_t a = static_cast<uint32_t>(alpha) & 0xFF;
    if (vertex >= 0 && vertex < 4 && (m_pCore->m_Quad.v[vertex].color >> 24) == a)
        return;
    m_bColorSet = 1;
    m_nAlpha = static_cast<uint8_t>(a);
    m_dwColor = a << 24 | 0xFFFFFF;
    m_pCore->SetColor(m_dwColor, vertex);
}

int CX2DSprite::GetAlpha(int vertex) const
{
    if (!m_pCore)
        return 255;
    if (vertex < 0 || vertex > 3)
        return 0;
    return static_cast<int>(m_pCore->m_Quad.v[vertex].color >> 24);
}

void CX2DSprite::SetColor(uint32_t argb, int vertex)
{
    m_bColorSet = 1;
    m_dwColor = argb;
    if (m_pCore)
        m_pCore->SetColor(argb, vertex);
}

void CX2DSprite::SetBlendMode(uint32_t bits)
{
    m_bBlendSet = 1;
    m_dwBlend = bits;
    if (m_pCore)
        m_pCore->m_Quad.blend = bits;
}

void CX2DSprite::SetFlip(bool x, bool y)
{
    if (m_pCore)
        m_pCore->SetFlip(x, y);
}

void CX2DSprite::SetHotSpot(float x, float y)
{
    if (!m_pCore)
        return;
    m_pCore->m_fHotX = x;
    m_pCore->m_fHotY = y;
}

void CX2DSprite::GetHotSpot(float* x, float* y) const
{
    if (x)
        *x = m_pCore ? m_pCore->m_fHotX : 0.0f;
    if (y)
        *y = m_pCore ? m_pCore->m_fHotY : 0.0f;
}

void CX2DSprite::SetTexture(HTEXTURE texture)
{
    if (!m_pCore)
        return;
    m_pCore->SetTexture(texture);
    if (m_bColorSet)
        m_pCore->SetColor(m_dwColor, -1);
    if (m_bBlendSet)
        m_pCore->m_Quad.blend = m_dwBlend;
}

void CX2DSprite::SetTextureRect(float x, float y, float w, float h)
{
    if (m_pCore)
        m_pCore->SetTextureRect(x, y, w, h);
}

void CX2DSprite::UpdateFade(float dt)
{
    if (m_fFadeSpeed == 0.0f)
        return;
    m_fFadeAlpha += m_fFadeAccel * m_fFadeSpeed * dt + 0.5f * dt * dt;
    const int current = static_cast<int>(m_fFadeAlpha);
    const int target = static_cast<int>(m_fFadeTarget);
    if (current == target || (m_fFadeSpeed > 0 && current >= target) ||
        (m_fFadeSpeed < 0 && current <= target)) {
        m_fFadeSpeed = 0.0f;
        m_fFadeAlpha = m_fFadeTarget;
    }
    SetAlpha(static_cast<int>(static_cast<int64_t>(m_fFadeAlpha) & 0xFF), -1);
}
