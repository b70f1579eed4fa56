#pragma once
// Test seams of the graphics device: a drawing sink that records what the batch asks of the GPU,
// a clock whose time moves only when the loop reads it or sleeps, and device-lost and -restored
// callbacks that count their calls.

#include <cstdint>
#include <string>
#include <vector>

#include "CXGfxDevice.h"

class FakeCoreSink final : public CXGfxSink {
public:
    struct DrawCall {
        GpuPrimitive kind;
        int count;
        HTEXTURE texture;
    };

    std::vector<DrawCall> draws;
    std::vector<GpuRect> viewports;
    std::vector<std::string> calls;  // state changes, in order
    HTEXTURE texture = nullptr;
    int presents = 0;
    int clears = 0;
    int liveTargets = 0;
    GpuStatus status = GpuStatus::Ok;
    GpuRect scissor{};
    bool scissorTest = false;
    bool spritePath = false;
    float view[16] = {};
    float projection[16] = {};
    GpuVertex vertices[CXGfxDevice::kMaxVertices] = {};

    GpuVertex* LockVertices() override { return vertices; }
    void UnlockVertices() override {}
    void Draw(GpuPrimitive kind, int count) override { draws.push_back({kind, count, texture}); }
    void SetTexture(HTEXTURE t) override
    {
        texture = t;
        calls.push_back("texture");
    }
    void SetBlend(GpuBlend d) override
    {
        calls.push_back(d == GpuBlend::One ? "blend one" : "blend inv");
    }
    void SetColorOp(GpuColorOp op) override
    {
        calls.push_back(op == GpuColorOp::Add ? "colour add" : "colour mod");
    }
    void SetDepthWrite(bool on) override { calls.push_back(on ? "zwrite on" : "zwrite off"); }
    void SetDepthTest(bool) override {}
    void SetSampler(bool) override {}
    void SetSpritePath(bool sprite) override { spritePath = sprite; }
    void SetView(const float m[16]) override { std::copy(m, m + 16, view); }
    void SetProjection(const float m[16]) override { std::copy(m, m + 16, projection); }
    void SetViewport(const GpuRect& r) override { viewports.push_back(r); }
    void SetScissorRect(const GpuRect& r) override
    {
        scissor = r;
        calls.push_back("scissor rect");
    }
    GpuRect GetScissorRect() override { return scissor; }
    void SetScissorTest(bool on) override
    {
        scissorTest = on;
        calls.push_back(on ? "scissor on" : "scissor off");
    }
    bool GetScissorTest() override { return scissorTest; }
    void SetFixedStates(bool) override { texture = nullptr; }
    bool SetRenderTarget(HTEXTURE, GpuDepth*) override { return true; }
    void Clear(uint32_t, bool) override { ++clears; }
    GpuStatus Present() override
    {
        ++presents;
        return status;
    }
    GpuStatus TestCooperativeLevel() override { return status; }
    bool Reset() override
    {
        status = GpuStatus::Ok;
        return true;
    }
    // Targets are plain tokens: a pointer the device never dereferences.
    HTEXTURE CreateRenderTarget(int w, int h, uint32_t format) override
    {
        ++liveTargets;
        targetFormats.push_back(format);
        sizes.push_back({w, h});
        return reinterpret_cast<HTEXTURE>(static_cast<uintptr_t>(0x1000 + 16 * sizes.size()));
    }
    void DestroyTexture(HTEXTURE) override { --liveTargets; }
    GpuDepth* CreateDepth(int, int) override { return nullptr; }
    void DestroyDepth(GpuDepth*) override {}
    int TextureWidth(HTEXTURE t) override { return SizeOf(t).first; }
    int TextureHeight(HTEXTURE t) override { return SizeOf(t).second; }

    std::vector<uint32_t> targetFormats;
    std::vector<std::pair<int, int>> sizes;

private:
    std::pair<int, int> SizeOf(HTEXTURE t) const
    {
        const size_t i = (reinterpret_cast<uintptr_t>(t) - 0x1000) / 16;
        return i >= 1 && i <= sizes.size() ? sizes[i - 1] : std::pair<int, int>{0, 0};
    }
};

// Time in microseconds: every read costs 100 us (the work of a loop pass) and sleeps add their
// milliseconds, so a paced loop advances as it would on a real machine.
class FakeCoreClock final : public CXGfxClock {
public:
    uint64_t us = 5'000'000;
    std::vector<uint32_t> sleeps;
    std::vector<uint32_t> sleepTimes;  // ms at each sleep of 1 ms

    uint32_t Now() override
    {
        const auto ms = static_cast<uint32_t>(us / 1000);
        us += 100;
        return ms;
    }
    void Sleep(uint32_t ms) override
    {
        sleeps.push_back(ms);
        if (ms == 1)
            sleepTimes.push_back(static_cast<uint32_t>(us / 1000));
        us += ms * 1000ull;
    }
    void Advance(uint32_t ms) { us += ms * 1000ull; }
    uint32_t Ms() const { return static_cast<uint32_t>(us / 1000); }
};

inline int g_nLost = 0;
inline int g_nRestored = 0;
inline bool CountLost()
{
    ++g_nLost;
    return true;
}
inline bool CountRestored()
{
    ++g_nRestored;
    return true;
}
