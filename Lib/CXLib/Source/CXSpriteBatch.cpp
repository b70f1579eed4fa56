#include "CXSpriteBatch.h"

#include <algorithm>
#include <cmath>

#include "CXGfxDevice.h"

namespace {
CXSpriteBatch* g_pSpriteBatch = nullptr;
}  // namespace

CXSpriteBatch* EngineGetSpriteBatch()
{
    return g_pSpriteBatch;
}
void EngineSetSpriteBatch(CXSpriteBatch* batch)
{
    g_pSpriteBatch = batch;
}

CXSpriteBatch::Affine CXSpriteBatch::Affine::Then(const Affine& n) const
{
    Affine r;
    r.a = a * n.a + b * n.c;
    r.b = a * n.b + b * n.d;
    r.c = c * n.a + d * n.c;
    r.d = c * n.b + d * n.d;
    r.tx = tx * n.a + ty * n.c + n.tx;
    r.ty = tx * n.b + ty * n.d + n.ty;
    return r;
}

void CXSpriteBatch::Affine::Apply(float x, float y, float* ox, float* oy) const
{
    *ox = x * a + y * c + tx;
    *oy = x * b + y * d + ty;
}

bool CXSpriteBatch::Create(CXGfxDevice* device)
{
    m_pDevice = device;
    m_Transform = Affine{};
    m_SavedTransform = Affine{};
    return device != nullptr;
}

void CXSpriteBatch::Release()
{
    m_Queue.clear();
    m_bBegun = false;
    m_pDevice = nullptr;
    if (g_pSpriteBatch == this)
        g_pSpriteBatch = nullptr;
}

bool CXSpriteBatch::CanDraw() const
{
    return m_pDevice && m_pDevice->IsReady() && m_pDevice->m_bLastPass;
}

bool CXSpriteBatch::CanBegin() const
{
    return CanDraw() && m_pDevice->InScene();
}

CXSpriteBatch::Affine CXSpriteBatch::BegunTransform() const
{
    if (m_fScaleX == 1.0f && m_fScaleY == 1.0f)
        return m_Transform;
    Affine scale;
    scale.a = m_fScaleX;
    scale.d = m_fScaleY;
    return m_Transform.Then(scale);
}

bool CXSpriteBatch::Begin(uint32_t flags)
{
    if (!CanBegin())
        return false;
    if (m_bBegun) {
        if (flags == m_dwFlags)
            return true;
        // Begun with other flags: what is queued keeps the flags it was queued under.
        DrawQueue();
        m_Transform = m_SavedTransform;
    }
    m_dwFlags = flags;
    m_bBegun = true;
    m_SavedTransform = m_Transform;
    m_Transform = BegunTransform();
    return true;
}

bool CXSpriteBatch::End()
{
    if (!CanDraw())
        return false;
    if (!m_bBegun)
        return true;
    DrawQueue();
    m_Transform = m_SavedTransform;
    m_bBegun = false;
    return true;
}

void CXSpriteBatch::Flush()
{
    if (m_bBegun && CanDraw())
        DrawQueue();
}

bool CXSpriteBatch::Draw(HTEXTURE texture, float x, float y, float srcX, float srcY, float srcW,
                         float srcH, float hscale, float vscale, float rotation, float centreX,
                         float centreY, uint32_t colour)
{
    if (!CanDraw() || !m_bBegun || !texture)
        return false;
    Affine t = m_Transform;
    if (hscale != 1.0f || vscale != 1.0f) {
        Affine s;
        s.a = hscale;
        s.d = vscale;
        t = t.Then(s);
    }
    if (rotation != 0.0f) {
        Affine r;
        r.a = std::cos(rotation);
        r.b = std::sin(rotation);
        r.c = -r.b;
        r.d = r.a;
        t = t.Then(r);
    }
    Affine move;
    move.tx = m_fScaleX * x;
    move.ty = m_fScaleY * y;
    t = t.Then(move);
    m_Queue.push_back(MakeQuad(texture, -centreX, -centreY, srcW - centreX, srcH - centreY, srcX,
                               srcY, t, colour));
    return true;
}

bool CXSpriteBatch::DrawPlain(HTEXTURE texture, float x, float y, const CXSpriteRect* sourceRect,
                              uint32_t colour)
{
    if (!CanDraw() || !m_bBegun || !texture)
        return false;
    CXSpriteRect r;
    if (sourceRect) {
        r = *sourceRect;
    } else {
        r.right = GpuDevice::TextureWidth(texture);
        r.bottom = GpuDevice::TextureHeight(texture);
    }
    m_Queue.push_back(MakeQuad(texture, x, y, x + static_cast<float>(r.right - r.left),
                               y + static_cast<float>(r.bottom - r.top), static_cast<float>(r.left),
                               static_cast<float>(r.top), m_Transform, colour));
    return true;
}

bool CXSpriteBatch::DrawPlainUnbegun(HTEXTURE texture, float x, float y, uint32_t colour)
{
    if (m_bBegun || !CanBegin() || !texture)
        return false;
    const Queued q =
        MakeQuad(texture, x, y, x + static_cast<float>(GpuDevice::TextureWidth(texture)),
                 y + static_cast<float>(GpuDevice::TextureHeight(texture)), 0.0f, 0.0f,
                 BegunTransform(), colour);
    int granted = 0;
    CXVertex* out = m_pDevice->Gfx_AddQuads(texture, BLEND_DEFAULT, true, 1, &granted);
    if (!out)
        return false;
    std::copy(q.v, q.v + 4, out);
    return true;
}

CXSpriteBatch::Queued CXSpriteBatch::MakeQuad(HTEXTURE texture, float left, float top, float right,
                                              float bottom, float srcX, float srcY,
                                              const Affine& transform, uint32_t colour)
{
    const float texW = static_cast<float>(GpuDevice::TextureWidth(texture));
    const float texH = static_cast<float>(GpuDevice::TextureHeight(texture));
    const float u0 = texW > 0 ? srcX / texW : 0.0f;
    const float v0 = texH > 0 ? srcY / texH : 0.0f;
    const float u1 = texW > 0 ? (srcX + right - left) / texW : 0.0f;
    const float v1 = texH > 0 ? (srcY + bottom - top) / texH : 0.0f;
    Queued q;
    q.texture = texture;
    const float corners[4][4] = {
        {left, top, u0, v0}, {right, top, u1, v0}, {right, bottom, u1, v1}, {left, bottom, u0, v1}};
    for (int i = 0; i < 4; ++i) {
        CXVertex& v = q.v[i];
        transform.Apply(corners[i][0], corners[i][1], &v.x, &v.y);
        v.z = 0.0f;
        v.color = colour;
        v.u = corners[i][2];
        v.v = corners[i][3];
    }
    return q;
}

// Queued sprites go to the quad batch in order, in runs of one texture under the sprite path's
// states; the quad batch keeps a run going across Ends and draws it when it has to.
void CXSpriteBatch::DrawQueue()
{
    size_t i = 0;
    while (i < m_Queue.size()) {
        const HTEXTURE texture = m_Queue[i].texture;
        size_t end = i + 1;
        while (end < m_Queue.size() && m_Queue[end].texture == texture)
            ++end;
        int granted = 0;
        CXVertex* out = m_pDevice->Gfx_AddQuads(texture, BLEND_DEFAULT, true,
                                                static_cast<int>(end - i), &granted);
        if (!out)
            break;
        for (int k = 0; k < granted; ++k, ++i)
            std::copy(m_Queue[i].v, m_Queue[i].v + 4, out + k * 4);
    }
    m_Queue.clear();
}

void CXSpriteBatch::SetScale(float x, float y)
{
    m_fScaleX = x;
    m_fScaleY = y;
}

// The scene the batch was begun in is gone with the device: its queue is dropped and it ends.
void CXSpriteBatch::OnLostDevice()
{
    m_Queue.clear();
    if (m_bBegun) {
        m_Transform = m_SavedTransform;
        m_bBegun = false;
    }
}

bool CXSpriteBatch::OnResetDevice()
{
    return true;
}

void CXSpriteBatch::OnTextureReleased(HTEXTURE texture)
{
    const auto uses = [texture](const Queued& q) { return q.texture == texture; };
    if (std::none_of(m_Queue.begin(), m_Queue.end(), uses))
        return;
    if (m_bBegun && CanBegin())
        DrawQueue();
    else
        std::erase_if(m_Queue, uses);
}
