#pragma once
// The textured quad under every sprite (CXSpriteCore) and its frame-grid animation
// (CXAnimationCore).

#include <cstdint>

#include "CXGfxTypes.h"

class CXGfxDevice;

class CXSpriteCore {
public:
    // Takes one device reference; the destructor gives it back.
    CXSpriteCore();
    virtual ~CXSpriteCore();
    CXSpriteCore(const CXSpriteCore&) = delete;
    CXSpriteCore& operator=(const CXSpriteCore&) = delete;

    // The rectangle (x, y, w, h) of the texture (1 x 1 without one); hot spot 0, flips off, every
    // vertex at z 0.5 in white, blend 2.
    void Create(HTEXTURE texture, float x, float y, float w, float h);
    void Render(float x, float y);
    // vscale 0 means vscale = hscale; rotation in radians about the hot spot.
    void RenderEx(float x, float y, float rotation, float hscale, float vscale);
    // vertex -1 means all four.
    void SetColor(uint32_t argb, int vertex);
    void SetFlip(bool x, bool y);
    // Keeps the source rectangle in pixels; texture coordinates follow a change of texture size.
    void SetTexture(HTEXTURE texture);
    void SetTextureRect(float x, float y, float w, float h);

    // Vertices: top left, top right, bottom right, bottom left.
    CXQuad m_Quad{};
    float m_fTexX = 0.0f;
    float m_fTexY = 0.0f;
    float m_fWidth = 0.0f;
    float m_fHeight = 0.0f;
    float m_fTexWidth = 1.0f;
    float m_fTexHeight = 1.0f;
    float m_fHotX = 0.0f;
    float m_fHotY = 0.0f;
    uint8_t m_bXFlip = 0;
    uint8_t m_bYFlip = 0;

protected:
    void SetCoords();  // texture coordinates of the rectangle, then the flips again

private:
    CXGfxDevice* m_pDevice = nullptr;
};

// Animation mode bits.
constexpr uint32_t ANIM_REVERSE = 1;
constexpr uint32_t ANIM_PINGPONG = 2;
constexpr uint32_t ANIM_LOOP = 4;

class CXAnimationCore : public CXSpriteCore {
public:
    // Frames of w x h cut from the texture row by row starting at (x, y); not playing, mode 4.
    void Create(HTEXTURE texture, int frames, float fps, float x, float y, float w, float h);
    void Play();
    void SetMode(uint32_t bits);
    void SetFrame(int n);
    // Seconds per frame = 1 / fps. Without a positive rate the frame never advances by itself.
    void SetFPS(float fps);
    // At most one frame per call.
    void Update(float dt);

    uint8_t m_bPlaying = 0;
    float m_fSecondsPerFrame = 0.0f;
    float m_fSinceLastFrame = -1.0f;  // -1: just started
    uint32_t m_dwMode = ANIM_LOOP;
    int m_nStep = 1;
    int m_nFrames = 0;
    int m_nCurFrame = 0;
    float m_fFirstX = 0.0f;  // top left of frame 0
    float m_fFirstY = 0.0f;

private:
    void Restart();
};
