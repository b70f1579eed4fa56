#include "CXSpriteBatch.h"

#include <cmath>

#include "CXGfxDevice.h"

namespace {
CXSpriteBatch* g_pSpriteBatch = nullptr;
}  // namespace

CXSpriteBatch* EngineGetSpriteBatch() { return g_pSpriteBatch; }
void EngineSetSpriteBatch(CXSpriteBatch* batch) { g_pSpriteBatch = batch; }

CXSpriteBatch::Affine CXSpriteBatch::Affine::Then(const Affine& n) const {
    Affine r;
    r.a = a * n.a + b * n.c;
    r.b = a * n.b + b * n.d;
    r.c = c * n.a + d * n.c;
    r.d = c * n.b + d * n.d;
    r.tx = tx * n.a + ty * n.c + n.tx;
    r.ty = tx * n.b + ty * n.d + n.ty;
    return r;
}

void CXSpriteBatch::Affine::Apply(float x, float y, float* ox, float* oy) const {
    *ox = x * a + y * c + tx;
    *oy = x * b + y * d + ty;
}

bool CXSpriteBatch::Create(CXGfxDevice* device) {
    m_pDevice = device;
    m_Transform = Affine{};
    m_SavedTransform = Affine{};
    return device != nullptr;
}

void CXSpriteBatch::Release() {
    m_Queue.clear();
    m_bBegun = false;
    m_pDevice = nullptr;
    if (g_pSpriteBatch == this) g_pSpriteBatch = nullptr;
}

bool CXSpriteBatch::CanDraw() const { return m_pDevice && m_pDevice->IsReady() && m_pDevice->m_bLastPass; }

bool CXSpriteBatch::Begin(uint32_t flags) {
    if (!CanDraw() || !m_pDevice->InScene()) return false;
    if (m_bBegun) {
        if (flags == m_dwFlags) return true;
        // Begun with other flags: what is queued keeps the flags it was queued under.
        DrawQueue();
        m_Transform = m_SavedTransform;
    }
    m_dwFlags = flags;
    m_bBegun = true;
    m_SavedTransform = m_Transform;
    if (m_fScaleX != 1.0f || m_fScaleY != 1.0f) {
        Affine scale;
        scale.a = m_fScaleX;
        scale.d = m_fScaleY;
        m_Transform = m_Transform.Then(scale);
    }
    return true;
}

bool CXSpriteBatch::End() {
    if (!CanDraw()) return false;
    if (!m_bBegun) return true;
    DrawQueue();
    m_Transform = m_SavedTransform;
    m_bBegun = false;
    return true;
}

void CXSpriteBatch::Flush() {
    if (m_bBegun && CanDraw()) DrawQueue();
}

bool CXSpriteBatch::Draw(HTEXTURE texture, float x, float y, float srcX, float srcY, float srcW, float srcH,
                         float hscale, float vscale, float rotation, float centreX, float centreY, uint32_t colour) {
    if (!CanDraw() || !m_bBegun || !texture) return false;
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
    Queue(texture, -centreX, -centreY, srcW - centreX, srcH - centreY, srcX, srcY, t, colour);
    return true;
}

bool CXSpriteBatch::DrawPlain(HTEXTURE texture, float x, float y, const CXSpriteRect* sourceRect, uint32_t colour) {
    if (!CanDraw() || !m_bBegun || !texture) return false;
    CXSpriteRect r;
    if (sourceRect) {
        r = *sourceRect;
    } else {
        r.right = GpuDevice::TextureWidth(texture);
        r.bottom = GpuDevice::TextureHeight(texture);
    }
    Queue(texture, x, y, x + static_cast<float>(r.right - r.left), y + static_cast<float>(r.bottom - r.top),
          static_cast<float>(r.left), static_cast<float>(r.top), m_Transform, colour);
    return true;
}

void CXSpriteBatch::Queue(HTEXTURE texture, float left, float top, float right, float bottom, float srcX, float srcY,
                          const Affine& transform, uint32_t colour) {
    const float texW = static_cast<float>(GpuDevice::TextureWidth(texture));
    const float texH = static_cast<float>(GpuDevice::TextureHeight(texture));
    const float u0 = texW > 0 ? srcX / texW : 0.0f;
    const float v0 = texH > 0 ? srcY / texH : 0.0f;
    const float u1 = texW > 0 ? (srcX + right - left) / texW : 0.0f;
    const float v1 = texH > 0 ? (srcY + bottom - top) / texH : 0.0f;
    Queued q;
    q.texture = texture;
    const float corners[4][4] = {{left, top, u0, v0}, {right, top, u1, v0}, {right, bottom, u1, v1},
                                 {left, bottom, u0, v1}};
    for (int i = 0; i < 4; ++i) {
        CXVertex& v = q.v[i];
        transform.Apply(corners[i][0], corners[i][1], &v.x, &v.y);
        v.z = 0.0f;
        v.color = colour;
        v.u = corners[i][2];
        v.v = corners[i][3];
    }
    m_Queue.push_back(q);
}

// Queued sprites go out through the quad batch in order, one batch per run of one texture; the
// sampler clamps and the alpha test drops only fully transparent texels while they draw.
void CXSpriteBatch::DrawQueue() {
    if (m_Queue.empty()) return;
    GpuDevice* gpu = m_pDevice->GetGpu();
    size_t i = 0;
    bool statesSet = false;
    while (i < m_Queue.size()) {
        const HTEXTURE texture = m_Queue[i].texture;
        int maxQuads = 0;
        CXVertex* out = m_pDevice->Gfx_StartBatch(CXPRIM_QUADS, texture, BLEND_DEFAULT, &maxQuads);
        if (!out || maxQuads <= 0) break;
        if (gpu && !statesSet) {
            gpu->SetSampler(true, false);
            gpu->SetAlphaTest(GpuAlphaTest::Sprite);
            statesSet = true;
        }
        int count = 0;
        while (i < m_Queue.size() && m_Queue[i].texture == texture && count < maxQuads) {
            for (int k = 0; k < 4; ++k) out[count * 4 + k] = m_Queue[i].v[k];
            ++count;
            ++i;
        }
        m_pDevice->Gfx_FinishBatch(count);
    }
    if (statesSet) {
        // Push the last run out under the sprite states, then give the quad batch its own back.
        int maxQuads = 0;
        if (m_pDevice->Gfx_StartBatch(CXPRIM_QUADS, nullptr, BLEND_DEFAULT, &maxQuads)) m_pDevice->Gfx_FinishBatch(0);
        gpu->SetSampler(m_pDevice->System_GetState(GFX_STATE_TEXTURE_FILTER) != 0, true);
        gpu->SetAlphaTest(GpuAlphaTest::Batch);
    }
    m_Queue.clear();
}

void CXSpriteBatch::SetScale(float x, float y) {
    m_fScaleX = x;
    m_fScaleY = y;
}

// The scene the batch was begun in is gone with the device: its queue is dropped and it ends.
void CXSpriteBatch::OnLostDevice() {
    m_Queue.clear();
    if (m_bBegun) {
        m_Transform = m_SavedTransform;
        m_bBegun = false;
    }
}

bool CXSpriteBatch::OnResetDevice() { return true; }
