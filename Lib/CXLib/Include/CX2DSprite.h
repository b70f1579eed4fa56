#pragma once
// The engine's sprite: a texture handle and one textured quad (CXSpriteCore) with colour, blend,
// hot spot and flips, drawn at a position, optionally rotated and scaled, through the quad batch
// or, while g_bUseSpriteBatch is set, through the device's sprite batch.

#include <cstdint>

#include "CXGfxTypes.h"
#include "CXMemoryPoolTmpl.h"
#include "CXSpriteCore.h"

class CX2DTexture;

// While set, sprites draw through the sprite batch (the hot spot, source offset and colour are not
// used on that path). Only the Pelagorn game sets it, around its own drawing.
extern uint8_t g_bUseSpriteBatch;

// Allocated from its class pool; a derived class declares its own pool (CX_DECLARE_MEMORY_POOL),
// or `new` of it yields null.
class CX2DSprite {
public:
    CX_DECLARE_MEMORY_POOL(CX2DSprite)

    CX2DSprite() = default;
    virtual ~CX2DSprite();
    CX2DSprite(const CX2DSprite&) = delete;
    CX2DSprite& operator=(const CX2DSprite&) = delete;

    // A sprite file: TEX (relative to the file's folder), X, Y, W, H, ALPHA, HOT_SPOT_X/Y,
    // RENDER_X/Y. False (and no core) when the file or its texture cannot be read.
    virtual bool Load(const char* file);
    // Draws what hangs below this sprite (animations draw their children); nothing here.
    virtual void RenderChildren(float x, float y, const char* key);

    // A core over (x, y, w, h) of the image file; w or h 0 take the texture's size.
    CXSpriteCore* LoadTexture(const char* file, float x, float y, float w, float h);
    // A core over (x, y, w, h) of a loaded texture, which the sprite takes over (it goes with the
    // sprite, also when no core could be made); w or h 0 take the texture's size.
    CXSpriteCore* AdoptTexture(CX2DTexture* texture, float x, float y, float w, float h);
    // A blank A8R8G8B8 texture of w x h and a core over all of it.
    CXSpriteCore* CreateEmpty(int w, int h);
    // Replaces the core by one over (x, y, w, h) of the texture; w or h 0 take the texture's size.
    CXSpriteCore* CreateFromTexture(HTEXTURE texture, float x, float y, float w, float h);
    void Release();

    void Render(float x, float y);
    void RenderAtPosition() { Render(m_fX, m_fY); }
    // rotation in radians, added to the sprite's own; scales added to the sprite's own minus 1.
    void RenderEx(float x, float y, float rotation, float hscale, float vscale = 0.0f);

    // vertex -1 means all four.
    void SetAlpha(int alpha, int vertex = -1);
    int GetAlpha(int vertex = -1) const;
    void SetColor(uint32_t argb, int vertex = -1);
    void SetBlendMode(uint32_t bits);
    void SetFlip(bool x, bool y);
    void SetHotSpot(float x, float y);
    void GetHotSpot(float* x, float* y) const;
    // Puts a texture under the existing core (a render target's new texture after a device reset).
    void SetTexture(HTEXTURE texture);
    void SetTextureRect(float x, float y, float w, float h);
    HTEXTURE GetTexture() const { return m_pCore ? m_pCore->m_Quad.tex : nullptr; }
    float GetWidth() const { return m_pCore ? m_pCore->m_fWidth : 0.0f; }
    float GetHeight() const { return m_pCore ? m_pCore->m_fHeight : 0.0f; }
    CXSpriteCore* GetCore() const { return m_pCore; }
    void UpdateFade(float dt);

    CX2DTexture* m_pTexture = nullptr;  // owned; none for a core made over a given texture
    CXSpriteCore* m_pCore = nullptr;    // owned
    float m_fX = 0.0f;                  // stored position (RenderAtPosition)
    float m_fY = 0.0f;
    float m_fLastX = 0.0f;  // where it was last drawn
    float m_fLastY = 0.0f;
    uint8_t m_nAlpha = 255;
    uint32_t m_dwColor = 0xFFFFFFFF;
    uint8_t m_bColorSet = 0;
    uint32_t m_dwBlend = BLEND_DEFAULT;
    uint8_t m_bBlendSet = 0;
    const float* m_pParentOffset = nullptr;  // two floats, or none
    float m_fOffsetX = 0.0f;
    float m_fOffsetY = 0.0f;
    float m_fHScale = 1.0f;
    float m_fVScale = 1.0f;
    float m_fRotation = 0.0f;  // degrees
    float m_fFadeTarget = 0.0f;
    float m_fFadeAlpha = 0.0f;
    float m_fFadeSpeed = 0.0f;
    float m_fFadeAccel = 0.0f;

protected:
    // Takes ownership of a new core (the old one is deleted).
    CXSpriteCore* AdoptCore(CXSpriteCore* core);

private:
    bool CanDraw() const;
    void DrawCore(float x, float y, float rotation, float hscale, float vscale, bool plain);
};
