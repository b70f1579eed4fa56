#include "CUITexture.h"

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

CUITexture::CUITexture(HTEXTURE texture) : m_pTexture(texture)
{
    if (texture && g_pGfxDevice) {
        m_nWidth = g_pGfxDevice->Texture_GetWidth(texture);
        m_nHeight = g_pGfxDevice->Texture_GetHeight(texture);
    }
}

void CUITexture::Draw(float x, float y, float scale, uint32_t colour) const
{
    DrawRegion(x, y, 0.0f, 0.0f, static_cast<float>(m_nWidth), static_cast<float>(m_nHeight), scale,
               scale, colour);
}

void CUITexture::DrawRegion(float x, float y, float srcX, float srcY, float srcW, float srcH,
                            float scaleX, float scaleY, uint32_t colour) const
{
    CXSpriteBatch* batch = EngineGetSpriteBatch();
    if (!m_pTexture || !batch)
        return;
    batch->Draw(m_pTexture, x, y, srcX, srcY, srcW, srcH, scaleX, scaleY, 0.0f, 0.0f, 0.0f, colour);
}
