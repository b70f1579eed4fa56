// Render targets held by games and screens.

#include "CX2DTarget.h"

bool CX2DTarget::Create(int width, int height, bool zbuffer, uint32_t format)
{
    Release();
    if (!g_pGfxDevice)
        return false;
    m_hTarget = g_pGfxDevice->Target_Create(width, height, zbuffer, format);
    return m_hTarget != nullptr;
}

void CX2DTarget::Release()
{
    if (m_hTarget && g_pGfxDevice)
        g_pGfxDevice->Target_Free(m_hTarget);
    m_hTarget = nullptr;
}

HTEXTURE CX2DTarget::GetTexture() const
{
    if (!m_hTarget || !g_pGfxDevice)
        return nullptr;
    return g_pGfxDevice->Target_GetTexture(m_hTarget);
}

int CX2DTarget::GetWidth(bool recorded) const
{
    HTEXTURE texture = GetTexture();
    return texture ? g_pGfxDevice->Texture_GetWidth(texture, recorded) : 0;
}

int CX2DTarget::GetHeight(bool recorded) const
{
    HTEXTURE texture = GetTexture();
    return texture ? g_pGfxDevice->Texture_GetHeight(texture, recorded) : 0;
}
