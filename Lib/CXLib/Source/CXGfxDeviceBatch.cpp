// Scenes, the primitive batch, clipping, the view transform and render targets.
//
// Lines, triangles and quads are copied into the locked vertex buffer and drawn in one call per run
// of the same kind, texture and blend; a run also ends when the buffer is full and at the end of
// the scene.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"

namespace {

bool ContainsTarget(CXRenderTarget* list, const CXRenderTarget* target)
{
    for (CXRenderTarget* t = list; t; t = t->pNext)
        if (t == target)
            return true;
    return false;
}

}  // namespace

void CXGfxDevice::SetProjectionFor(int width, int height)
{
    GpuDevice::OrthoProjection(0.0f, 0.0f, static_cast<float>(std::max(1, width)),
                               static_cast<float>(std::max(1, height)), m_matProj);
    if (m_pSink)
        m_pSink->SetProjection(m_matProj);
}

bool CXGfxDevice::Gfx_BeginScene(HTARGET target)
{
    if (!m_bDeviceReady || !m_pSink || !m_bGraphics)
        return false;
    if (m_pVertices) {
        SetError("Gfx_BeginScene: Scene is already being rendered");
        return false;
    }
    if (target && (!ContainsTarget(m_pTargets, target) || !target->pTexture)) {
        SetError("Gfx_BeginScene: Can't set render target");
        return false;
    }
    if (target != m_pCurTarget) {
        if (!m_pSink->SetRenderTarget(target ? target->pTexture : nullptr,
                                      target ? target->pDepth : nullptr)) {
            SetError("Gfx_BeginScene: Can't set render target");
            return false;
        }
        m_pSink->SetDepthTest(target ? target->pDepth != nullptr : m_bZBuffer);
        if (target)
            SetProjectionFor(target->nWidth, target->nHeight);
        else
            SetProjectionFor(m_nScreenWidth, m_nScreenHeight);
        for (int i = 0; i < 16; ++i)
            m_matView[i] = (i % 5 == 0) ? 1.0f : 0.0f;
        m_pSink->SetView(m_matView);
        m_pCurTarget = target;
    }
    m_pVertices = m_pSink->LockVertices();
    m_nPrim = 0;
    return m_pVertices != nullptr;
}

HTARGET CXGfxDevice::Gfx_EndScene(bool present)
{
    if (!m_bDeviceReady)
        return nullptr;
    if (!m_pVertices)
        return m_pCurTarget;
    Flush(true);
    m_pVertices = nullptr;
    if (present)
        Gfx_Present();
    return m_pCurTarget;
}

void CXGfxDevice::Gfx_Present()
{
    if (!m_bDeviceReady || m_pCurTarget || !m_pSink)
        return;
    if (m_pSink->Present() != GpuStatus::Ok)
        CheckDevice();
}

void CXGfxDevice::Gfx_Clear(uint32_t colour)
{
    if (!m_bDeviceReady || !m_pSink || !m_bGraphics)
        return;
    const bool depth = m_pCurTarget ? m_pCurTarget->pDepth != nullptr : m_bZBuffer;
    m_pSink->Clear(colour, depth);
}

void CXGfxDevice::Flush(bool endOfScene)
{
    if (!m_pVertices)
        return;
    if (m_nPrim > 0) {
        m_pSink->UnlockVertices();
        m_pSink->Draw(static_cast<GpuPrimitive>(m_nCurPrimType), m_nPrim);
        m_nPrim = 0;
        if (!endOfScene)
            m_pVertices = m_pSink->LockVertices();
    } else if (endOfScene) {
        m_pSink->UnlockVertices();
    }
}

void CXGfxDevice::ApplyBlend(uint32_t blend)
{
    const uint32_t changed = blend ^ m_dwCurBlendMode;
    if (changed & BLEND_ALPHABLEND)
        m_pSink->SetBlend((blend & BLEND_ALPHABLEND) ? GpuBlend::InvSrcAlpha : GpuBlend::One);
    if (changed & BLEND_ZWRITE)
        m_pSink->SetDepthWrite((blend & BLEND_ZWRITE) != 0);
    if (changed & BLEND_COLORADD)
        m_pSink->SetColorOp((blend & BLEND_COLORADD) ? GpuColorOp::Add : GpuColorOp::Modulate);
    m_dwCurBlendMode = blend;
}

void CXGfxDevice::ApplyTexture(HTEXTURE texture)
{
    m_pSink->SetTexture(texture);
    m_pCurTexture = texture;
}

void CXGfxDevice::SwitchRun(int kind, HTEXTURE texture, uint32_t blend, bool spritePath)
{
    if (m_nCurPrimType == kind && m_nPrim < kMaxVertices / kind && m_pCurTexture == texture &&
        m_dwCurBlendMode == blend && m_bSpritePath == spritePath)
        return;
    Flush(false);
    m_nCurPrimType = kind;
    if (m_dwCurBlendMode != blend)
        ApplyBlend(blend);
    if (m_pCurTexture != texture)
        ApplyTexture(texture);
    // Told at every new run, unchanged or not: a device restore puts the sink back on the quad
    // batch's states without the batch knowing. The sink skips what is already set.
    m_pSink->SetSpritePath(spritePath);
    m_bSpritePath = spritePath;
}

CXVertex* CXGfxDevice::Gfx_AddQuads(HTEXTURE texture, uint32_t blend, bool spritePath, int wanted,
                                    int* granted)
{
    *granted = 0;
    if (!m_bDeviceReady || !m_pVertices || wanted <= 0)
        return nullptr;
    SwitchRun(CXPRIM_QUADS, texture, blend, spritePath);
    const int count = std::min(wanted, kMaxQuads - m_nPrim);
    CXVertex* out = m_pVertices + m_nPrim * CXPRIM_QUADS;
    m_nPrim += count;
    *granted = count;
    return out;
}

// Waiting quads read a texture only when their run draws: one that changes or goes must have its
// quads drawn first, as they were meant to look. A released texture is also forgotten, or a new
// one at the same address would be taken for it and never bound.
void CXGfxDevice::Gfx_TextureChanging(HTEXTURE texture, bool released)
{
    if (!texture || !m_pSink)
        return;
    if (released && m_pSpriteBatch)
        m_pSpriteBatch->OnTextureReleased(texture);
    if (m_pCurTexture != texture)
        return;
    Flush(false);
    if (released)
        ApplyTexture(nullptr);
}

void CXGfxDevice::Gfx_RenderLine(float x1, float y1, float x2, float y2, uint32_t colour, float z)
{
    if (!m_bDeviceReady || !m_pVertices)
        return;
    // Lines are untextured and always use the default blend.
    SwitchRun(CXPRIM_LINES, nullptr, BLEND_DEFAULT);
    CXVertex* v = m_pVertices + m_nPrim * CXPRIM_LINES;
    v[0] = CXVertex{x1, y1, z, colour, 0.0f, 0.0f};
    v[1] = CXVertex{x2, y2, z, colour, 0.0f, 0.0f};
    ++m_nPrim;
}

void CXGfxDevice::Gfx_RenderTriangle(const CXTriangle& triangle)
{
    if (!m_bDeviceReady || !m_pVertices)
        return;
    SwitchRun(CXPRIM_TRIPLES, triangle.tex, triangle.blend);
    std::copy(triangle.v, triangle.v + 3, m_pVertices + m_nPrim * CXPRIM_TRIPLES);
    ++m_nPrim;
}

void CXGfxDevice::Gfx_RenderQuad(const CXQuad& quad)
{
    if (!m_bDeviceReady || !m_pVertices)
        return;
    SwitchRun(CXPRIM_QUADS, quad.tex, quad.blend);
    std::copy(quad.v, quad.v + 4, m_pVertices + m_nPrim * CXPRIM_QUADS);
    ++m_nPrim;
}

CXVertex* CXGfxDevice::Gfx_StartBatch(int kind, HTEXTURE texture, uint32_t blend,
                                      int* maxPrimitives)
{
    if (!m_bDeviceReady || !m_pVertices ||
        (kind != CXPRIM_LINES && kind != CXPRIM_TRIPLES && kind != CXPRIM_QUADS))
        return nullptr;
    Flush(false);
    SwitchRun(kind, texture, blend);
    if (maxPrimitives)
        *maxPrimitives = kMaxVertices / kind;
    return m_pVertices;
}

void CXGfxDevice::Gfx_FinishBatch(int primitives)
{
    if (!m_pVertices)
        return;
    m_nPrim = std::clamp(primitives, 0, kMaxVertices / m_nCurPrimType);
}

void CXGfxDevice::Gfx_SetClipping(int x, int y, int w, int h)
{
    if (!m_pSink || !m_bGraphics)
        return;
    const int targetW = m_pCurTarget ? m_pCurTarget->nWidth : m_nScreenWidth;
    const int targetH = m_pCurTarget ? m_pCurTarget->nHeight : m_nScreenHeight;
    GpuRect r{0, 0, targetW, targetH};
    if (w != 0) {
        if (x < 0) {
            w += x;
            x = 0;
        }
        if (y < 0) {
            h += y;
            y = 0;
        }
        x = std::min(x, targetW);
        y = std::min(y, targetH);
        w = std::clamp(w, 0, targetW - x);
        h = std::clamp(h, 0, targetH - y);
        r = GpuRect{x, y, w, h};
    }
    Flush(false);
    m_pSink->SetViewport(r);
    // The projection covers the clip rectangle, so coordinates stay those of the whole target.
    GpuDevice::OrthoProjection(static_cast<float>(r.x), static_cast<float>(r.y),
                               static_cast<float>(std::max(1, r.w)),
                               static_cast<float>(std::max(1, r.h)), m_matProj);
    m_pSink->SetProjection(m_matProj);
}

void CXGfxDevice::Gfx_SetTransform(float x, float y, float dx, float dy, float rotation,
                                   float hscale, float vscale)
{
    if (!m_pSink)
        return;
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    if (vscale != 0.0f) {
        // translate(-x, -y) x scale(h, v) x rotate(-rotation) x translate(x + dx, y + dy), for
        // row vectors.
        const float c = std::cos(-rotation);
        const float s = std::sin(-rotation);
        m[0] = hscale * c;
        m[1] = hscale * s;
        m[4] = -vscale * s;
        m[5] = vscale * c;
        m[12] = -x * hscale * c + y * vscale * s + x + dx;
        m[13] = -x * hscale * s - y * vscale * c + y + dy;
    }
    Flush(false);
    std::copy(m, m + 16, m_matView);
    m_pSink->SetView(m_matView);
}

HTARGET CXGfxDevice::Target_Create(int width, int height, bool zbuffer, uint32_t format)
{
    if (!m_pSink || !m_bGraphics || width <= 0 || height <= 0) {
        SetError("Can't create render target texture");
        return nullptr;
    }
    auto* target = new CXRenderTarget();
    target->nWidth = width;
    target->nHeight = height;
    target->dwFormat = format;
    target->bZBuffer = zbuffer;
    if (!CreateTargetObjects(target)) {
        delete target;
        return nullptr;
    }
    target->nWidth = m_pSink->TextureWidth(target->pTexture);
    target->nHeight = m_pSink->TextureHeight(target->pTexture);
    target->pNext = m_pTargets;
    m_pTargets = target;
    return target;
}

void CXGfxDevice::Target_Free(HTARGET target)
{
    CXRenderTarget** link = &m_pTargets;
    while (*link && *link != target)
        link = &(*link)->pNext;
    if (!*link)
        return;
    *link = target->pNext;
    if (m_pCurTarget == target) {
        // Drawing goes back to the back buffer rather than into a freed texture.
        Flush(false);
        m_pSink->SetRenderTarget(nullptr, nullptr);
        m_pCurTarget = nullptr;
        SetProjectionFor(m_nScreenWidth, m_nScreenHeight);
    }
    if (target->pTexture)
        m_pSink->DestroyTexture(target->pTexture);
    if (target->pDepth)
        m_pSink->DestroyDepth(target->pDepth);
    delete target;
}

HTEXTURE CXGfxDevice::Target_GetTexture(HTARGET target) const
{
    return ContainsTarget(m_pTargets, target) ? target->pTexture : nullptr;
}

bool CXGfxDevice::Gfx_GetRenderState(uint32_t state, uint32_t* value) const
{
    if (!m_pSink || !m_bGraphics || !value || state != GFX_RS_SCISSORTESTENABLE)
        return false;
    *value = m_pSink->GetScissorTest() ? 1 : 0;
    return true;
}

bool CXGfxDevice::Gfx_SetRenderState(uint32_t state, uint32_t value)
{
    if (!m_pSink || !m_bGraphics || state != GFX_RS_SCISSORTESTENABLE)
        return false;
    Flush(false);
    m_pSink->SetScissorTest(value != 0);
    return true;
}

bool CXGfxDevice::Gfx_GetScissorRect(RECT* rect) const
{
    if (!m_pSink || !m_bGraphics || !rect)
        return false;
    const GpuRect r = m_pSink->GetScissorRect();
    rect->left = r.x;
    rect->top = r.y;
    rect->right = r.x + r.w;
    rect->bottom = r.y + r.h;
    return true;
}

bool CXGfxDevice::Gfx_SetScissorRect(const RECT* rect)
{
    if (!m_pSink || !m_bGraphics || !rect)
        return false;
    Flush(false);
    // An inverted rectangle is empty; the widths are taken in 64 bits so that no edge overflows.
    const auto size = [](int32_t from, int32_t to) {
        return static_cast<int>(std::clamp<int64_t>(int64_t(to) - from, 0, INT32_MAX));
    };
    m_pSink->SetScissorRect(GpuRect{rect->left, rect->top, size(rect->left, rect->right),
                                    size(rect->top, rect->bottom)});
    return true;
}

void CXGfxDevice::Gfx_ResetBatchState()
{
    if (!m_pSink || !m_bGraphics)
        return;
    Flush(false);
    m_pSink->SetFixedStates(m_bTextureFilter);
    m_nCurPrimType = CXPRIM_QUADS;
    m_dwCurBlendMode = BLEND_DEFAULT;
    m_pCurTexture = nullptr;
    m_bSpritePath = false;
}
