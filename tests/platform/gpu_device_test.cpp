// The GL device against the Direct3D 9 behaviour the engine relies on: every case draws into a
// real render target under Xvfb and reads the pixels back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/gpu.h"

namespace {

class GpuDeviceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_device = GpuDevice::CreateHeadless(64, 32).release();
        ASSERT_NE(s_device, nullptr) << GpuDevice::LastError();
    }
    static void TearDownTestSuite()
    {
        delete s_device;
        s_device = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(s_device, nullptr);
        d = s_device;
        d->SetTexture(nullptr);
        d->SetBlend(true, GpuBlend::InvSrcAlpha);
        d->SetColorOp(GpuColorOp::Modulate);
        d->SetAlphaTest(GpuAlphaTest::Batch);
        d->SetSampler(false, true);
        const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        d->SetView(identity);
    }
    void TearDown() override
    {
        if (!d)
            return;
        d->SetRenderTarget(nullptr, nullptr);
        for (GpuTexture* t : m_owned)
            d->DestroyTexture(t);
    }

    // A render target of w x h made current, with the pixel projection.
    GpuTexture* Target(int w, int h, uint32_t format = GPU_FORMAT_A8R8G8B8)
    {
        GpuTexture* t = d->CreateRenderTarget(w, h, format);
        EXPECT_NE(t, nullptr);
        m_owned.push_back(t);
        EXPECT_TRUE(d->SetRenderTarget(t, nullptr));
        float projection[16];
        GpuDevice::OrthoProjection(0, 0, float(w), float(h), projection);
        d->SetProjection(projection);
        return t;
    }

    GpuTexture* Texture(int w, int h, const std::vector<uint32_t>& argb)
    {
        GpuTexture* t = d->CreateTexture(w, h, GPU_FORMAT_A8R8G8B8);
        EXPECT_NE(t, nullptr);
        EXPECT_TRUE(d->Upload(t, argb.data(), w * 4));
        m_owned.push_back(t);
        return t;
    }

    void Quad(float x0, float y0, float x1, float y1, uint32_t colour, float u0 = 0, float v0 = 0,
              float u1 = 1, float v1 = 1)
    {
        GpuVertex* v = d->LockVertices();
        v[0] = {x0, y0, 0, colour, u0, v0};
        v[1] = {x1, y0, 0, colour, u1, v0};
        v[2] = {x1, y1, 0, colour, u1, v1};
        v[3] = {x0, y1, 0, colour, u0, v1};
        d->UnlockVertices();
        d->Draw(GpuPrimitive::Quads, 1);
    }

    std::vector<uint32_t> Read(GpuTexture* t)
    {
        std::vector<uint32_t> out(size_t(GpuDevice::TextureWidth(t)) * GpuDevice::TextureHeight(t));
        EXPECT_TRUE(d->ReadPixels(t, nullptr, out.data()));
        return out;
    }

    uint32_t Pixel(GpuTexture* t, int x, int y)
    {
        uint32_t p = 0;
        GpuRect r{x, y, 1, 1};
        EXPECT_TRUE(d->ReadPixels(t, &r, &p));
        return p;
    }

    static GpuDevice* s_device;
    GpuDevice* d = nullptr;
    std::vector<GpuTexture*> m_owned;
};

GpuDevice* GpuDeviceTest::s_device = nullptr;

std::string Hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > tolerance)
            return false;
    return true;
}

TEST_F(GpuDeviceTest, ColourOpBlendAndAlphaTable)
{
    // Texel (A FF, R 40, G 80, B C0) under diffuse (R 80, G 80, B 80, alpha a) onto a destination
    // of (A 80, R 10, G 80, B F0). Expected values worked out per channel:
    //   modulate: src = 20 40 60; add: src = C0 FF FF (clamped); src alpha = a.
    //   InvSrcAlpha: out = src*a + dst*(1-a) for colour and alpha alike.
    //   One:         out = min(src*a + dst, 1).
    // Alpha 0 is discarded by the alpha test, so the destination stays as it was.
    struct Case {
        GpuColorOp op;
        GpuBlend blend;
        uint32_t alpha;
        uint32_t expected;
    };
    const Case cases[] = {
        {GpuColorOp::Modulate, GpuBlend::InvSrcAlpha, 0, 0x801080F0},
        {GpuColorOp::Modulate, GpuBlend::InvSrcAlpha, 128, 0x801860A8},
        {GpuColorOp::Modulate, GpuBlend::InvSrcAlpha, 255, 0xFF204060},
        {GpuColorOp::Modulate, GpuBlend::One, 0, 0x801080F0},
        {GpuColorOp::Modulate, GpuBlend::One, 128, 0xC020A0FF},
        {GpuColorOp::Modulate, GpuBlend::One, 255, 0xFF30C0FF},
        {GpuColorOp::Add, GpuBlend::InvSrcAlpha, 0, 0x801080F0},
        {GpuColorOp::Add, GpuBlend::InvSrcAlpha, 128, 0x8068C0F8},
        {GpuColorOp::Add, GpuBlend::InvSrcAlpha, 255, 0xFFC0FFFF},
        {GpuColorOp::Add, GpuBlend::One, 0, 0x801080F0},
        {GpuColorOp::Add, GpuBlend::One, 128, 0xC070FFFF},
        {GpuColorOp::Add, GpuBlend::One, 255, 0xFFD0FFFF},
    };
    GpuTexture* target = Target(4, 4);
    GpuTexture* texel = Texture(1, 1, {0xFF4080C0});
    for (const Case& c : cases) {
        d->SetBlend(true, GpuBlend::InvSrcAlpha);
        d->Clear(0x801080F0, false);
        d->SetTexture(texel);
        d->SetColorOp(c.op);
        d->SetBlend(true, c.blend);
        Quad(0, 0, 4, 4, c.alpha << 24 | 0x808080);
        d->SetTexture(nullptr);
        const uint32_t got = Pixel(target, 1, 1);
        EXPECT_TRUE(Near(got, c.expected, 2))
            << "op " << int(c.op) << " blend " << int(c.blend) << " alpha " << c.alpha << ": got "
            << Hex(got) << ", expected " << Hex(c.expected);
    }
}

TEST_F(GpuDeviceTest, NoTextureDrawsTheDiffuseColourUnderEitherOp)
{
    GpuTexture* target = Target(4, 4);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    for (GpuColorOp op : {GpuColorOp::Modulate, GpuColorOp::Add}) {
        d->Clear(0xFF000000, false);
        d->SetColorOp(op);
        Quad(0, 0, 4, 4, 0xFF123456);
        EXPECT_EQ(Hex(Pixel(target, 2, 2)), "FF123456") << "op " << int(op);
    }
}

TEST_F(GpuDeviceTest, AlphaTestRulesOfBatchAndSpritePaths)
{
    // Texel alpha 1 under diffuse alpha 100 gives 100/65025: x 255 is 0.39, which rounds to 0.
    // The batch rule discards it, the sprite rule keeps anything above 0; alpha 1 passes both.
    struct Case {
        GpuAlphaTest mode;
        uint32_t texel;
        uint32_t diffuseAlpha;
        bool drawn;
    };
    const Case cases[] = {
        {GpuAlphaTest::Batch, 0x01FFFFFF, 100, false},
        {GpuAlphaTest::Sprite, 0x01FFFFFF, 100, true},
        {GpuAlphaTest::Batch, 0x01FFFFFF, 255, true},
        {GpuAlphaTest::Sprite, 0x00FFFFFF, 255, false},
        {GpuAlphaTest::Batch, 0x00FFFFFF, 255, false},
        {GpuAlphaTest::Off, 0x00FFFFFF, 255, true},
    };
    GpuTexture* target = Target(4, 4);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    for (const Case& c : cases) {
        d->Clear(0xFF000000, false);
        GpuTexture* t = Texture(1, 1, {c.texel});
        d->SetTexture(t);
        d->SetAlphaTest(c.mode);
        Quad(0, 0, 4, 4, c.diffuseAlpha << 24 | 0xFFFFFF);
        const bool drawn = (Pixel(target, 1, 1) & 0xFFFFFF) == 0xFFFFFF;
        EXPECT_EQ(drawn, c.drawn) << "mode " << int(c.mode) << " texel " << Hex(c.texel)
                                  << " diffuse alpha " << c.diffuseAlpha;
    }
}

TEST_F(GpuDeviceTest, X8TargetsReadBackAndSampleOpaque)
{
    GpuTexture* x8 = Target(4, 4, GPU_FORMAT_X8R8G8B8);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->Clear(0x00000000, false);
    Quad(0, 0, 4, 4, 0x40102030);
    EXPECT_EQ(Hex(Pixel(x8, 0, 0)), "FF102030");

    // Shown as a texture, its alpha is one as well.
    GpuTexture* argb = Target(4, 4);
    d->Clear(0x00000000, false);
    d->SetTexture(x8);
    Quad(0, 0, 4, 4, 0xFFFFFFFF);
    EXPECT_EQ(Hex(Pixel(argb, 3, 3)), "FF102030");
}

TEST_F(GpuDeviceTest, OneToOneTexturedQuadCopiesTexelsExactly)
{
    // Distinct texels, top row first; drawn at an offset with both filters, every pixel must be
    // its texel (no half-pixel shift, no flip).
    std::vector<uint32_t> texels(16);
    for (int i = 0; i < 16; ++i)
        texels[i] =
            0xFF000000u | uint32_t(i * 16) << 16 | uint32_t(255 - i * 16) << 8 | uint32_t(i * 7);
    GpuTexture* tex = Texture(4, 4, texels);
    GpuTexture* target = Target(8, 8);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    for (bool linear : {false, true}) {
        d->Clear(0xFF000000, false);
        d->SetSampler(linear, true);
        d->SetTexture(tex);
        Quad(3, 2, 7, 6, 0xFFFFFFFF);
        const std::vector<uint32_t> got = Read(target);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(Hex(got[size_t(y + 2) * 8 + x + 3]), Hex(texels[size_t(y) * 4 + x]))
                    << (linear ? "linear" : "point") << " texel " << x << "," << y;
        EXPECT_EQ(Hex(got[size_t(1) * 8 + 3]), "FF000000") << "row above the quad";
    }
}

TEST_F(GpuDeviceTest, WrapRepeatsAndClampStretchesTheEdge)
{
    GpuTexture* tex = Texture(2, 1, {0xFFFF0000, 0xFF0000FF});
    GpuTexture* target = Target(4, 1);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->SetTexture(tex);
    struct Case {
        bool wrap;
        const char* expected[4];
    };
    const Case cases[] = {
        {true, {"FFFF0000", "FF0000FF", "FFFF0000", "FF0000FF"}},
        {false, {"FFFF0000", "FF0000FF", "FF0000FF", "FF0000FF"}},
    };
    for (const Case& c : cases) {
        d->Clear(0xFF000000, false);
        d->SetSampler(false, c.wrap);
        Quad(0, 0, 4, 1, 0xFFFFFFFF, 0, 0, 2, 1);
        const std::vector<uint32_t> got = Read(target);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Hex(got[x]), c.expected[x]) << (c.wrap ? "wrap" : "clamp") << " pixel " << x;
    }
}

TEST_F(GpuDeviceTest, TargetsReadBackTopRowFirstAndAsRectangles)
{
    GpuTexture* target = Target(4, 3);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->Clear(0xFF000000, false);
    Quad(0, 0, 4, 1, 0xFFFF0000);
    Quad(2, 2, 4, 3, 0xFF00FF00);
    const std::vector<uint32_t> all = Read(target);
    EXPECT_EQ(Hex(all[0]), "FFFF0000");
    EXPECT_EQ(Hex(all[4]), "FF000000");
    EXPECT_EQ(Hex(all[8 + 3]), "FF00FF00");
    uint32_t part[2] = {};
    GpuRect rect{2, 2, 2, 1};
    ASSERT_TRUE(d->ReadPixels(target, &rect, part));
    EXPECT_EQ(Hex(part[0]), "FF00FF00");
    GpuRect outside{3, 2, 2, 1};
    EXPECT_FALSE(d->ReadPixels(target, &outside, part));
}

TEST_F(GpuDeviceTest, ScissorAndViewportLimitDrawingAndClearing)
{
    GpuTexture* target = Target(8, 8);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->Clear(0xFF000000, false);
    d->SetScissorRect({2, 1, 3, 2});
    Quad(0, 0, 8, 8, 0xFF00FF00);  // before the test is on: not clipped
    d->SetScissorTest(true);
    d->Clear(0xFFFF0000, false);  // clears only inside the scissor
    Quad(0, 0, 3, 8, 0xFFFFFFFF);
    d->SetScissorTest(false);
    std::vector<uint32_t> got = Read(target);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            const uint32_t expected = !inside ? 0xFF00FF00u : x == 2 ? 0xFFFFFFFFu : 0xFFFF0000u;
            EXPECT_EQ(Hex(got[size_t(y) * 8 + x]), Hex(expected)) << x << "," << y;
        }

    // Clear takes the viewport; a quad in viewport space lands offset by it.
    d->Clear(0xFF000000, false);
    d->SetViewport({4, 4, 4, 4});
    d->Clear(0xFF0000FF, false);
    float projection[16];
    GpuDevice::OrthoProjection(0, 0, 4, 4, projection);
    d->SetProjection(projection);
    Quad(0, 0, 1, 1, 0xFF00FF00);
    got = Read(target);
    EXPECT_EQ(Hex(got[3 * 8 + 3]), "FF000000");
    EXPECT_EQ(Hex(got[4 * 8 + 4]), "FF00FF00");
    EXPECT_EQ(Hex(got[7 * 8 + 7]), "FF0000FF");
}

TEST_F(GpuDeviceTest, LinesAndTrianglesComeFromTheVertexBuffer)
{
    GpuTexture* target = Target(8, 8);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->Clear(0xFF000000, false);
    GpuVertex* v = d->LockVertices();
    v[0] = {0, 0.5f, 0, 0xFFFF0000, 0, 0};
    v[1] = {8, 0.5f, 0, 0xFFFF0000, 0, 0};
    d->UnlockVertices();
    d->Draw(GpuPrimitive::Lines, 1);
    v = d->LockVertices();
    v[0] = {0, 2, 0, 0xFF00FF00, 0, 0};
    v[1] = {8, 2, 0, 0xFF00FF00, 0, 0};
    v[2] = {0, 8, 0, 0xFF00FF00, 0, 0};
    d->UnlockVertices();
    d->Draw(GpuPrimitive::Triangles, 1);
    const std::vector<uint32_t> got = Read(target);
    EXPECT_EQ(Hex(got[3]), "FFFF0000");
    EXPECT_EQ(Hex(got[1 * 8 + 3]), "FF000000");
    EXPECT_EQ(Hex(got[3 * 8 + 1]), "FF00FF00");
    EXPECT_EQ(Hex(got[7 * 8 + 7]), "FF000000");
}

TEST_F(GpuDeviceTest, LockedWritesReachTheGpuOnUnlock)
{
    GpuTexture* tex = Texture(2, 2, {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000});
    GpuLocked locked{};
    GpuRect rect{1, 1, 1, 1};
    ASSERT_TRUE(d->Lock(tex, &rect, false, locked));
    EXPECT_FALSE(d->Lock(tex, nullptr, true, locked)) << "a second lock";
    *static_cast<uint32_t*>(locked.bits) = 0xFFABCDEF;
    d->Unlock(tex);

    GpuTexture* target = Target(2, 2);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->SetTexture(tex);
    Quad(0, 0, 2, 2, 0xFFFFFFFF);
    EXPECT_EQ(Hex(Pixel(target, 1, 1)), "FFABCDEF");
    EXPECT_EQ(Hex(Pixel(target, 0, 1)), "FF000000");
    EXPECT_FALSE(d->Lock(target, nullptr, true, locked)) << "render targets are not lockable";
}

TEST_F(GpuDeviceTest, R5G6B5TexturesExpandToOpaqueColour)
{
    GpuTexture* tex = d->CreateTexture(2, 1, GPU_FORMAT_R5G6B5);
    ASSERT_NE(tex, nullptr);
    m_owned.push_back(tex);
    const uint16_t pixels[2] = {0xF800, 0x07E0};  // full red, full green
    ASSERT_TRUE(d->Upload(tex, pixels, 4));
    uint32_t got[2] = {};
    ASSERT_TRUE(d->ReadPixels(tex, nullptr, got));
    EXPECT_EQ(Hex(got[0]), "FFFF0000");
    EXPECT_EQ(Hex(got[1]), "FF00FF00");
}

TEST_F(GpuDeviceTest, ForcedLossNeedsDefaultPoolResourcesReleasedBeforeReset)
{
    GpuTexture* target = d->CreateRenderTarget(4, 4, GPU_FORMAT_X8R8G8B8);
    GpuDepth* depth = d->CreateDepth(4, 4);
    ASSERT_NE(target, nullptr);
    ASSERT_NE(depth, nullptr);
    EXPECT_EQ(d->TestCooperativeLevel(), GpuStatus::Ok);

    d->ForceDeviceLost(1);
    EXPECT_EQ(d->TestCooperativeLevel(), GpuStatus::Lost);
    EXPECT_EQ(d->Present(), GpuStatus::Lost);
    EXPECT_EQ(d->TestCooperativeLevel(), GpuStatus::NotReset);
    EXPECT_FALSE(d->Reset()) << "a render target is still alive";
    d->DestroyTexture(target);
    EXPECT_FALSE(d->Reset()) << "a depth surface is still alive";
    d->DestroyDepth(depth);
    EXPECT_TRUE(d->Reset());
    EXPECT_EQ(d->TestCooperativeLevel(), GpuStatus::Ok);
    EXPECT_EQ(d->Present(), GpuStatus::Ok);
}

TEST_F(GpuDeviceTest, DepthTestKeepsTheNearerQuad)
{
    GpuTexture* target = d->CreateRenderTarget(4, 4, GPU_FORMAT_A8R8G8B8);
    GpuDepth* depth = d->CreateDepth(4, 4);
    m_owned.push_back(target);
    ASSERT_TRUE(d->SetRenderTarget(target, depth));
    float projection[16];
    GpuDevice::OrthoProjection(0, 0, 4, 4, projection);
    d->SetProjection(projection);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->SetDepthTest(true);
    d->SetDepthWrite(true);
    d->Clear(0xFF000000, true);
    GpuVertex* v = d->LockVertices();
    const float zs[2] = {0.25f, 0.75f};
    const uint32_t colours[2] = {0xFFFF0000, 0xFF00FF00};
    for (int q = 0; q < 2; ++q) {
        v[q * 4 + 0] = {0, 0, zs[q], colours[q], 0, 0};
        v[q * 4 + 1] = {4, 0, zs[q], colours[q], 0, 0};
        v[q * 4 + 2] = {4, 4, zs[q], colours[q], 0, 0};
        v[q * 4 + 3] = {0, 4, zs[q], colours[q], 0, 0};
    }
    d->UnlockVertices();
    d->Draw(GpuPrimitive::Quads, 2);
    d->SetDepthTest(false);
    d->SetDepthWrite(false);
    EXPECT_EQ(Hex(Pixel(target, 2, 2)), "FFFF0000");
    d->SetRenderTarget(nullptr, nullptr);
    d->DestroyDepth(depth);
}

TEST_F(GpuDeviceTest, BackBufferIsTheDefaultTargetAndReadsOpaque)
{
    ASSERT_TRUE(d->SetRenderTarget(nullptr, nullptr));
    EXPECT_EQ(d->TargetWidth(), 64);
    EXPECT_EQ(d->TargetHeight(), 32);
    d->Clear(0x00336699, false);
    EXPECT_EQ(Hex(Pixel(d->BackBuffer(), 63, 31)), "FF336699");
    EXPECT_EQ(d->Present(), GpuStatus::Ok);
}

}  // namespace

// Managed textures keep their pixels in GL only: reads, read-only locks and partial write locks
// all see what GL holds, and the device counts the bytes.
TEST_F(GpuDeviceTest, ManagedTexturesReadBackFromGl)
{
    const std::vector<uint32_t> argb = {0x11223344, 0x55667788, 0x99AABBCC,
                                        0xDDEEFF00, 0x01020304, 0x80706050};
    const uint64_t before = d->TextureBytes();
    GpuTexture* tex = d->CreateTexture(3, 2, GPU_FORMAT_A8R8G8B8, argb.data(), 3 * 4);
    ASSERT_NE(tex, nullptr);
    m_owned.push_back(tex);
    EXPECT_EQ(d->TextureBytes(), before + 3 * 2 * 4);
    EXPECT_EQ(Read(tex), argb);

    GpuLocked locked{};
    const GpuRect rect{1, 1, 2, 1};
    ASSERT_TRUE(d->Lock(tex, &rect, true, locked));
    EXPECT_EQ(locked.pitch, 3 * 4);
    EXPECT_EQ(Hex(static_cast<const uint32_t*>(locked.bits)[0]), "01020304");
    EXPECT_EQ(Hex(static_cast<const uint32_t*>(locked.bits)[1]), "80706050");
    d->Unlock(tex);

    const GpuRect corner{2, 0, 1, 1};
    ASSERT_TRUE(d->Lock(tex, &corner, false, locked));
    *static_cast<uint32_t*>(locked.bits) = 0xFFABCDEF;
    d->Unlock(tex);
    std::vector<uint32_t> expected = argb;
    expected[2] = 0xFFABCDEF;
    EXPECT_EQ(Read(tex), expected) << "only the locked rectangle changes";

    GpuTexture* blank = d->CreateTexture(2, 2, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(blank, nullptr);
    m_owned.push_back(blank);
    EXPECT_EQ(Read(blank), std::vector<uint32_t>(4, 0u)) << "a new texture reads as zeros";
    d->DestroyTexture(blank);
    m_owned.pop_back();
    EXPECT_EQ(d->TextureBytes(), before + 3 * 2 * 4);
    EXPECT_EQ(d->CreateTexture(2, 2, GPU_FORMAT_A8R8G8B8, argb.data(), 7), nullptr)
        << "a pitch shorter than a row";
}

// Nothing is re-uploaded after a loss: the pixels GL holds are what the texture shows afterwards.
TEST_F(GpuDeviceTest, ManagedTexturesKeepTheirPixelsThroughALossAndReset)
{
    const std::vector<uint32_t> argb = {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0};
    GpuTexture* tex = d->CreateTexture(2, 2, GPU_FORMAT_A8R8G8B8, argb.data(), 2 * 4);
    ASSERT_NE(tex, nullptr);
    m_owned.push_back(tex);
    d->ForceDeviceLost(0);
    EXPECT_EQ(d->TestCooperativeLevel(), GpuStatus::NotReset);
    ASSERT_TRUE(d->Reset());
    EXPECT_EQ(Read(tex), argb);

    GpuTexture* target = Target(2, 2);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    d->SetTexture(tex);
    Quad(0, 0, 2, 2, 0xFFFFFFFF);
    EXPECT_EQ(Read(target), argb);
}

// Each draw's vertices go behind the last ones in the GL buffer; many more than it holds in one
// frame wrap around without disturbing a draw already made.
TEST_F(GpuDeviceTest, DrawsPastTheVertexRingWrapAround)
{
    GpuTexture* target = Target(64, 32);
    d->SetBlend(false, GpuBlend::InvSrcAlpha);
    const int pixels = 64 * 32, draws = pixels * 9;  // 73,728 vertices
    auto colour = [](int i) { return 0xFF000000u | ((uint32_t(i) * 2654435761u) >> 8); };
    for (int i = 0; i < draws; ++i) {
        const int p = i % pixels;
        const float x = float(p % 64), y = float(p / 64);
        Quad(x, y, x + 1, y + 1, colour(i));
    }
    const std::vector<uint32_t> got = Read(target);
    for (int p = 0; p < pixels; ++p)
        ASSERT_EQ(Hex(got[p]), Hex(colour(draws - pixels + p))) << "pixel " << p;
}
