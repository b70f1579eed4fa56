#include "CXSpriteCore.h"

#include <cmath>
#include <limits>
#include <utility>

#include "CXGfxDevice.h"

namespace {

// value truncated to an int; false when it is NaN or outside the int range.
bool ToInt(float value, int& out)
{
    if (!(value > -2147483648.0f && value < 2147483648.0f))
        return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

CXSpriteCore::CXSpriteCore() : m_pDevice(CreateGfxDevice(CXGfxDevice::kInterfaceVersion)) {}

CXSpriteCore::~CXSpriteCore()
{
    if (m_pDevice)
        m_pDevice->Release();
}

void CXSpriteCore::Create(HTEXTURE texture, float x, float y, float w, float h)
{
    m_Quad.tex = texture;
    m_fTexWidth = texture ? static_cast<float>(GpuDevice::TextureWidth(texture)) : 1.0f;
    m_fTexHeight = texture ? static_cast<float>(GpuDevice::TextureHeight(texture)) : 1.0f;
    m_fHotX = 0.0f;
    m_fHotY = 0.0f;
    m_bXFlip = 0;
    m_bYFlip = 0;
    for (CXVertex& v : m_Quad.v) {
        v.z = 0.5f;
        v.color = 0xFFFFFFFF;
    }
    m_Quad.blend = BLEND_DEFAULT;
    m_fTexX = x;
    m_fTexY = y;
    m_fWidth = w;
    m_fHeight = h;
    SetCoords();
}

void CXSpriteCore::SetCoords()
{
    const float tw = m_fTexWidth > 0 ? m_fTexWidth : 1.0f;
    const float th = m_fTexHeight > 0 ? m_fTexHeight : 1.0f;
    const float u0 = m_fTexX / tw, v0 = m_fTexY / th;
    const float u1 = (m_fTexX + m_fWidth) / tw, v1 = (m_fTexY + m_fHeight) / th;
    CXVertex* q = m_Quad.v;
    q[0].u = u0, q[0].v = v0;
    q[1].u = u1, q[1].v = v0;
    q[2].u = u1, q[2].v = v1;
    q[3].u = u0, q[3].v = v1;
    const bool x = m_bXFlip, y = m_bYFlip;
    m_bXFlip = 0;
    m_bYFlip = 0;
    SetFlip(x, y);
}

void CXSpriteCore::Render(float x, float y)
{
    const float l = x - m_fHotX, t = y - m_fHotY;
    const float r = l + m_fWidth, b = t + m_fHeight;
    CXVertex* q = m_Quad.v;
    q[0].x = l, q[0].y = t;
    q[1].x = r, q[1].y = t;
    q[2].x = r, q[2].y = b;
    q[3].x = l, q[3].y = b;
    if (m_pDevice)
        m_pDevice->Gfx_RenderQuad(m_Quad);
}

void CXSpriteCore::RenderEx(float x, float y, float rotation, float hscale, float vscale)
{
    if (vscale == 0.0f)
        vscale = hscale;
    const float l = -m_fHotX * hscale, t = -m_fHotY * vscale;
    const float r = (m_fWidth - m_fHotX) * hscale, b = (m_fHeight - m_fHotY) * vscale;
    const float offsets[4][2] = {{l, t}, {r, t}, {r, b}, {l, b}};
    const float c = rotation != 0.0f ? std::cos(rotation) : 1.0f;
    const float s = rotation != 0.0f ? std::sin(rotation) : 0.0f;
    for (int i = 0; i < 4; ++i) {
        const float ox = offsets[i][0], oy = offsets[i][1];
        m_Quad.v[i].x = ox * c - oy * s + x;
        m_Quad.v[i].y = ox * s + oy * c + y;
    }
    if (m_pDevice)
        m_pDevice->Gfx_RenderQuad(m_Quad);
}

void CXSpriteCore::SetColor(uint32_t argb, int vertex)
{
    if (vertex < 0) {
        for (CXVertex& v : m_Quad.v)
            v.color = argb;
    } else if (vertex < 4) {
        m_Quad.v[vertex].color = argb;
    }
}

static void SwapCoords(CXVertex& a, CXVertex& b)
{
    std::swap(a.u, b.u);
    std::swap(a.v, b.v);
}

void CXSpriteCore::SetFlip(bool x, bool y)
{
    CXVertex* q = m_Quad.v;
    if (x != (m_bXFlip != 0)) {
        SwapCoords(q[0], q[1]);
        SwapCoords(q[3], q[2]);
        m_bXFlip = !m_bXFlip;
    }
    if (y != (m_bYFlip != 0)) {
        SwapCoords(q[0], q[3]);
        SwapCoords(q[1], q[2]);
        m_bYFlip = !m_bYFlip;
    }
}

void CXSpriteCore::SetTexture(HTEXTURE texture)
{
    const float w = texture ? static_cast<float>(GpuDevice::TextureWidth(texture)) : 1.0f;
    const float h = texture ? static_cast<float>(GpuDevice::TextureHeight(texture)) : 1.0f;
    if (w > 0 && h > 0 && (w != m_fTexWidth || h != m_fTexHeight)) {
        for (CXVertex& v : m_Quad.v) {
            v.u *= m_fTexWidth / w;
            v.v *= m_fTexHeight / h;
        }
        m_fTexWidth = w;
        m_fTexHeight = h;
    }
    m_Quad.tex = texture;
}

void CXSpriteCore::SetTextureRect(float x, float y, float w, float h)
{
    m_fTexX = x;
    m_fTexY = y;
    m_fWidth = w;
    m_fHeight = h;
    SetCoords();
}

// ---------------------------------------------------------------------------------------------

void CXAnimationCore::Create(HTEXTURE texture, int frames, float fps, float x, float y, float w,
                             float h)
{
    CXSpriteCore::Create(texture, x, y, w, h);
    m_fFirstX = x;
    m_fFirstY = y;
    m_bPlaying = 0;
    m_fSinceLastFrame = -1.0f;
    m_dwMode = ANIM_LOOP;
    m_nStep = 1;
    m_nFrames = frames;
    SetFPS(fps);
    SetFrame(0);
}

void CXAnimationCore::SetFPS(float fps)
{
    // An endless frame time: Update's "time >= seconds per frame" never holds.
    m_fSecondsPerFrame = fps > 0.0f ? 1.0f / fps : std::numeric_limits<float>::infinity();
}

void CXAnimationCore::Restart()
{
    if (m_dwMode & ANIM_REVERSE) {
        m_nStep = -1;
        SetFrame(m_nFrames - 1);
    } else {
        m_nStep = 1;
        SetFrame(0);
    }
}

void CXAnimationCore::Play()
{
    m_bPlaying = 1;
    m_fSinceLastFrame = -1.0f;
    Restart();
}

void CXAnimationCore::SetMode(uint32_t bits)
{
    m_dwMode = bits;
    Restart();
}

void CXAnimationCore::SetFrame(int n)
{
    // Sizes come from files: any that is NaN or out of the int range leaves the frame as it is.
    int fw = 0, texWidth = 0, rowRest = 0;
    if (!ToInt(m_fWidth, fw) || fw < 1 || m_nFrames < 1 || !ToInt(m_fTexWidth, texWidth) ||
        !ToInt(m_fTexWidth - m_fFirstX, rowRest))
        return;
    const int columns = texWidth / fw;
    if (columns < 1)
        return;
    n %= m_nFrames;
    if (n < 0)
        n += m_nFrames;
    m_nCurFrame = n;
    float x = n * m_fWidth + m_fFirstX;
    float y = m_fFirstY;
    if (x > m_fTexWidth - m_fWidth) {
        // The frames run on into the rows below, starting at the texture's left edge.
        n -= rowRest / fw;
        if (n < 0)
            n = 0;
        x = static_cast<float>(n % columns) * m_fWidth;
        y = static_cast<float>(n / columns + 1) * m_fHeight + m_fFirstY;
    }
    m_fTexX = x;
    m_fTexY = y;
    SetCoords();
}

void CXAnimationCore::Update(float dt)
{
    if (!m_bPlaying)
        return;
    m_fSinceLastFrame = m_fSinceLastFrame == -1.0f ? 0.0f : m_fSinceLastFrame + dt;
    if (m_fSinceLastFrame < m_fSecondsPerFrame)
        return;
    m_fSinceLastFrame -= m_fSecondsPerFrame;
    const int next = m_nCurFrame + m_nStep;
    const uint32_t mode = m_dwMode;
    if (next == m_nFrames) {
        if (mode == 0 || mode == 3)
            m_bPlaying = 0;
        else if (mode == 2 || mode == 6 || mode == 7)
            m_nStep = -m_nStep;
    } else if (next < 0) {
        if (mode == 1 || mode == 2)
            m_bPlaying = 0;
        else if (mode == 3 || mode == 6 || mode == 7)
            m_nStep = -m_nStep;
    }
    if (m_bPlaying)
        SetFrame(m_nCurFrame + m_nStep);
}
