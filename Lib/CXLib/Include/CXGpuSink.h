#pragma once
// The device's drawing sink over the OpenGL device of the platform layer.

#include "CXGfxDevice.h"

class CXGpuSink final : public CXGfxSink {
public:
    explicit CXGpuSink(GpuDevice& gpu) : m_Gpu(gpu) {}

    GpuVertex* LockVertices() override { return m_Gpu.LockVertices(); }
    void UnlockVertices() override { m_Gpu.UnlockVertices(); }
    void Draw(GpuPrimitive kind, int count) override { m_Gpu.Draw(kind, count); }
    void SetTexture(HTEXTURE texture) override { m_Gpu.SetTexture(texture); }
    void SetBlend(GpuBlend destination) override { m_Gpu.SetBlend(true, destination); }
    void SetColorOp(GpuColorOp op) override { m_Gpu.SetColorOp(op); }
    void SetDepthWrite(bool enabled) override { m_Gpu.SetDepthWrite(enabled); }
    void SetDepthTest(bool enabled) override { m_Gpu.SetDepthTest(enabled); }
    // The quad batch's filter (state 13); the sprite path keeps its own sampler while it draws.
    void SetSampler(bool linear) override
    {
        m_bLinear = linear;
        if (!m_bSprite)
            m_Gpu.SetSampler(linear, true);
    }
    void SetSpritePath(bool sprite) override
    {
        m_bSprite = sprite;
        m_Gpu.SetSampler(sprite || m_bLinear, !sprite);
        m_Gpu.SetAlphaTest(sprite ? GpuAlphaTest::Sprite : GpuAlphaTest::Batch);
    }
    void SetView(const float matrix[16]) override { m_Gpu.SetView(matrix); }
    void SetProjection(const float matrix[16]) override { m_Gpu.SetProjection(matrix); }
    void SetViewport(const GpuRect& rect) override { m_Gpu.SetViewport(rect); }
    void SetScissorRect(const GpuRect& rect) override { m_Gpu.SetScissorRect(rect); }
    GpuRect GetScissorRect() override { return m_Gpu.ScissorRect(); }
    void SetScissorTest(bool enabled) override { m_Gpu.SetScissorTest(enabled); }
    bool GetScissorTest() override { return m_Gpu.ScissorTest(); }
    void SetFixedStates(bool linearFilter) override
    {
        m_bLinear = linearFilter;
        m_bSprite = false;
        m_Gpu.SetBlend(true, GpuBlend::InvSrcAlpha);
        m_Gpu.SetAlphaTest(GpuAlphaTest::Batch);
        m_Gpu.SetColorOp(GpuColorOp::Modulate);
        m_Gpu.SetSampler(linearFilter, true);
        m_Gpu.SetDepthWrite(false);
        m_Gpu.SetTexture(nullptr);
    }
    bool SetRenderTarget(HTEXTURE colour, GpuDepth* depth) override
    {
        return m_Gpu.SetRenderTarget(colour, depth);
    }
    void Clear(uint32_t argb, bool depth) override { m_Gpu.Clear(argb, depth); }
    GpuStatus Present() override { return m_Gpu.Present(); }
    GpuStatus TestCooperativeLevel() override { return m_Gpu.TestCooperativeLevel(); }
    bool Reset() override { return m_Gpu.Reset(); }
    HTEXTURE CreateRenderTarget(int width, int height, uint32_t format) override
    {
        return m_Gpu.CreateRenderTarget(width, height, format);
    }
    void DestroyTexture(HTEXTURE texture) override { m_Gpu.DestroyTexture(texture); }
    GpuDepth* CreateDepth(int width, int height) override
    {
        return m_Gpu.CreateDepth(width, height);
    }
    void DestroyDepth(GpuDepth* depth) override { m_Gpu.DestroyDepth(depth); }
    int TextureWidth(HTEXTURE texture) override { return GpuDevice::TextureWidth(texture); }
    int TextureHeight(HTEXTURE texture) override { return GpuDevice::TextureHeight(texture); }

private:
    GpuDevice& m_Gpu;
    bool m_bLinear = true;
    bool m_bSprite = false;
};
