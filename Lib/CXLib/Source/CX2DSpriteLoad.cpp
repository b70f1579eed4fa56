// Sprite creation from image files, blank textures and sprite files.
#include <cstdlib>
#include <string>

#include "CX2DAnimationFile.h"
#include "CX2DFileConfig.h"
#include "CX2DSprite.h"
#include "CX2DTexture.h"

void CX2DSprite::Release()
{
    delete m_pCore;
    m_pCore = nullptr;
    delete m_pTexture;  // releases the handle
    m_pTexture = nullptr;
}

CXSpriteCore* CX2DSprite::LoadTexture(const char* file, float x, float y, float w, float h)
{
    auto* texture = new CX2DTexture;
    if (!texture || !texture->Load(file)) {
        delete texture;
        return AdoptCore(nullptr);
    }
    return AdoptTexture(texture, x, y, w, h);
}

CXSpriteCore* CX2DSprite::AdoptTexture(CX2DTexture* texture, float x, float y, float w, float h)
{
    if (texture != m_pTexture) {
        delete m_pTexture;
        m_pTexture = texture;
    }
    auto* core = texture ? new CXSpriteCore : nullptr;
    if (core)
        core->Create(texture->GetTexture(), x, y,
                     w != 0.0f ? w : static_cast<float>(texture->GetWidth()),
                     h != 0.0f ? h : static_cast<float>(texture->GetHeight()));
    return AdoptCore(core);
}

CXSpriteCore* CX2DSprite::CreateEmpty(int w, int h)
{
    auto* texture = new CX2DTexture;
    if (!texture->Create(w, h)) {
        delete texture;
        return AdoptCore(nullptr);
    }
    delete m_pTexture;
    m_pTexture = texture;
    auto* core = new CXSpriteCore;
    core->Create(texture->GetTexture(), 0.0f, 0.0f, static_cast<float>(texture->GetWidth()),
                 static_cast<float>(texture->GetHeight()));
    return AdoptCore(core);
}

bool CX2DSprite::Load(const char* file)
{
    CX2DFileConfig config;
    if (!file || !config.Load(file))
        return false;

    const std::string texPath =
        CX2DRelativePath(config.GetPath().GetString(), CX2DConfigText(config, "TEX"));

    auto number = [&config](const char* key) {
        return std::atoi(config.GetValue(key).GetString());
    };
    if (!LoadTexture(texPath.c_str(), static_cast<float>(number("X")),
                     static_cast<float>(number("Y")), static_cast<float>(number("W")),
                     static_cast<float>(number("H"))))
        return false;

    const int alpha = config.HasKey("ALPHA") ? number("ALPHA") : 255;
    m_bColorSet = 1;
    m_nAlpha = static_cast<uint8_t>(alpha);
    m_dwColor = static_cast<uint32_t>(alpha & 0xFF) << 24 | 0xFFFFFF;
    m_pCore->SetColor(m_dwColor, -1);

    m_pCore->m_fHotX =
        config.HasKey("HOT_SPOT_X")
            ? static_cast<float>(std::atof(config.GetValue("HOT_SPOT_X").GetString()))
            : m_pCore->m_fWidth / 2;
    m_pCore->m_fHotY =
        config.HasKey("HOT_SPOT_Y")
            ? static_cast<float>(std::atof(config.GetValue("HOT_SPOT_Y").GetString()))
            : m_pCore->m_fHeight / 2;
    m_fX = m_fLastX = static_cast<float>(std::atof(config.GetValue("RENDER_X").GetString()));
    m_fY = m_fLastY = static_cast<float>(std::atof(config.GetValue("RENDER_Y").GetString()));
    return true;
}
