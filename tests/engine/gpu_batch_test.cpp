// The engine's batch on the real device under Xvfb: scissor state, render-state resets, and what
// each case leaves in a render target, read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CX2DTexture.h"
#include "CXGfxDevice.h"
#include "CXSpriteBatch.h"
#include "gpu_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

std::string Hex(uint32_t v)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

class GpuBatchTest : public GpuEngineTest {
protected:
    void TearDown() override
    {
        if (dev) {
            if (dev->InScene())
                dev->Gfx_EndScene(false);
            dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 0);
            for (HTARGET t : m_targets)
                dev->Target_Free(t);
            for (HTEXTURE t : m_textures)
                dev->GetGpu()->DestroyTexture(t);
        }
        GpuEngineTest::TearDown();
    }

    // An A8R8G8B8 render target of w x h with a scene begun on it and cleared to black.
    HTARGET BeginOn(int w, int h)
    {
        HTARGET target = dev->Target_Create(w, h, false, GPU_FORMAT_A8R8G8B8);
        EXPECT_NE(target, nullptr);
        m_targets.push_back(target);
        EXPECT_TRUE(dev->Gfx_BeginScene(target))
            << "no scene on a " << w << " x " << h << " target: \"" << dev->System_GetErrorMessage()
            << "\"";
        dev->Gfx_Clear(kBlack);
        return target;
    }

    HTEXTURE Solid(int w, int h, uint32_t argb)
    {
        HTEXTURE t = dev->GetGpu()->CreateTexture(w, h, GPU_FORMAT_A8R8G8B8);
        const std::vector<uint32_t> px(size_t(w) * h, argb);
        EXPECT_TRUE(dev->GetGpu()->Upload(t, px.data(), w * 4));
        m_textures.push_back(t);
        return t;
    }

    // A quad over (x0, y0)-(x1, y1) with the whole texture (or none) and a diffuse colour.
    static CXQuad Quad(float x0, float y0, float x1, float y1, uint32_t colour,
                       HTEXTURE texture = nullptr, uint32_t blend = BLEND_DEFAULT)
    {
        CXQuad q{};
        q.v[0] = {x0, y0, 0, colour, 0, 0};
        q.v[1] = {x1, y0, 0, colour, 1, 0};
        q.v[2] = {x1, y1, 0, colour, 1, 1};
        q.v[3] = {x0, y1, 0, colour, 0, 1};
        q.tex = texture;
        q.blend = blend;
        return q;
    }

    std::vector<uint32_t> Read(HTARGET target)
    {
        HTEXTURE t = dev->Target_GetTexture(target);
        std::vector<uint32_t> px(size_t(GpuDevice::TextureWidth(t)) * GpuDevice::TextureHeight(t));
        EXPECT_TRUE(dev->GetGpu()->ReadPixels(t, nullptr, px.data()));
        return px;
    }

    // Fills a handle's texture with one colour through a lock, as image and text code do.
    static void Fill(CX2DTexture& texture, uint32_t argb)
    {
        auto* px = static_cast<uint32_t*>(texture.Lock(false));
        ASSERT_NE(px, nullptr);
        std::fill(px, px + size_t(texture.GetWidth()) * texture.GetHeight(), argb);
        texture.Unlock();
    }

    std::vector<HTARGET> m_targets;
    std::vector<HTEXTURE> m_textures;
};

TEST_F(GpuBatchTest, ATextureMadeAgainEachFrameDrawsItsOwnTexelsEveryFrame)
{
    // Freed and made again, a texture often lands at the address of the one before it; each
    // frame must still bind the new one, and quads still waiting when one goes keep its texels.
    const uint32_t colours[] = {kRed, kGreen, kBlue, 0xFFFFFF00, 0xFF00FFFF};
    HTARGET target = BeginOn(8, 2);
    dev->Gfx_EndScene(false);
    for (int frame = 0; frame < 20; ++frame) {
        const uint32_t first = colours[frame % 5], second = colours[(frame + 2) % 5];
        ASSERT_TRUE(dev->Gfx_BeginScene(target));
        CX2DTexture a;
        ASSERT_NE(a.Create(2, 2), nullptr);
        Fill(a, first);
        dev->Gfx_RenderQuad(Quad(0, 0, 4, 2, 0xFFFFFFFF, a.GetTexture()));
        a.Release();  // its quad is still waiting in the batch
        CX2DTexture b;
        ASSERT_NE(b.Create(2, 2), nullptr);
        Fill(b, second);
        dev->Gfx_RenderQuad(Quad(4, 0, 8, 2, 0xFFFFFFFF, b.GetTexture()));
        dev->Gfx_EndScene(false);
        b.Release();
        const std::vector<uint32_t> px = Read(target);
        ASSERT_EQ(Hex(px[1]), Hex(first)) << "frame " << frame << ", released before the flush";
        ASSERT_EQ(Hex(px[5]), Hex(second)) << "frame " << frame << ", made after a release";
    }
}

TEST_F(GpuBatchTest, SpritesQueuedWithAReleasedTextureAreDrawnBeforeItGoes)
{
    CXSpriteBatch& batch = *dev->GetSpriteBatch();
    HTARGET target = BeginOn(8, 2);
    ASSERT_TRUE(batch.Begin(CXSPRITE_ALPHABLEND));
    {
        CX2DTexture red;
        ASSERT_NE(red.Create(2, 2), nullptr);
        Fill(red, kRed);
        ASSERT_TRUE(batch.DrawPlain(red.GetTexture(), 0, 0, nullptr, 0xFFFFFFFF));
    }  // released while queued
    EXPECT_EQ(batch.GetQueuedCount(), 0u) << "drawn when its texture went";
    CX2DTexture blue;
    ASSERT_NE(blue.Create(2, 2), nullptr);
    Fill(blue, kBlue);
    ASSERT_TRUE(batch.DrawPlain(blue.GetTexture(), 4, 0, nullptr, 0xFFFFFFFF));
    ASSERT_TRUE(batch.End());
    dev->Gfx_EndScene(false);
    const std::vector<uint32_t> px = Read(target);
    EXPECT_EQ(Hex(px[1]), Hex(kRed));
    EXPECT_EQ(Hex(px[3]), Hex(kBlack));
    EXPECT_EQ(Hex(px[5]), Hex(kBlue));

    // Outside a scene a queued sprite cannot be drawn: it is dropped with its texture.
    ASSERT_TRUE(dev->Gfx_BeginScene(target));
    ASSERT_TRUE(batch.Begin(CXSPRITE_ALPHABLEND));
    ASSERT_TRUE(batch.DrawPlain(blue.GetTexture(), 0, 0, nullptr, 0xFFFFFFFF));
    dev->Gfx_EndScene(false);
    blue.Release();
    EXPECT_EQ(batch.GetQueuedCount(), 0u);
    batch.End();
}

TEST_F(GpuBatchTest, QuadsWaitingWithATextureKeepTheTexelsItHadWhenTheyWereDrawn)
{
    CX2DTexture texture;
    ASSERT_NE(texture.Create(2, 2), nullptr);
    Fill(texture, kRed);
    HTARGET target = BeginOn(8, 2);
    dev->Gfx_RenderQuad(Quad(0, 0, 4, 2, 0xFFFFFFFF, texture.GetTexture()));
    Fill(texture, kGreen);
    dev->Gfx_RenderQuad(Quad(4, 0, 8, 2, 0xFFFFFFFF, texture.GetTexture()));
    dev->Gfx_EndScene(false);
    const std::vector<uint32_t> px = Read(target);
    EXPECT_EQ(Hex(px[1]), Hex(kRed));
    EXPECT_EQ(Hex(px[5]), Hex(kGreen));
}

TEST_F(GpuBatchTest, QuadsOfTwoTexturesTakingTurnsKeepTheirOrderAndTexelsUnderEachColourOp)
{
    // 2,500 one-pixel quads, more than one vertex buffer holds, with textures taking turns in
    // short and long alternations, a third texture now and then, under both colour ops (each
    // quad's diffuse 0xFF404040 multiplies or adds to the texel).
    HTEXTURE a = Solid(2, 2, kRed), b = Solid(2, 2, kGreen), c = Solid(2, 2, kBlue);
    struct Case {
        const char* name;
        uint32_t blend;
        int thirdEvery;  // 0: never
        uint32_t expected[3];
    };
    const Case cases[] = {
        {"modulate, two textures", BLEND_DEFAULT, 0, {0xFF400000, 0xFF004000, 0}},
        {"add, two textures", BLEND_DEFAULT | BLEND_COLORADD, 0, {0xFFFF4040, 0xFF40FF40, 0}},
        {"modulate, a third every 7", BLEND_DEFAULT, 7, {0xFF400000, 0xFF004000, 0xFF000040}},
    };
    constexpr int kSide = 50;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        HTARGET target = BeginOn(kSide, kSide);
        std::vector<int> which(kSide * kSide);
        const uint64_t calls0 = GpuDevice::GlCallCount();
        for (int q = 0; q < kSide * kSide; ++q) {
            // Turns of one quad in the first rows, then of three.
            which[size_t(q)] = test.thirdEvery && q % test.thirdEvery == 0 ? 2
                               : q < 1000                                  ? q % 2
                                                                           : q / 3 % 2;
            const HTEXTURE t = which[size_t(q)] == 0 ? a : which[size_t(q)] == 1 ? b : c;
            const float x = float(q % kSide), y = float(q / kSide);
            dev->Gfx_RenderQuad(Quad(x, y, x + 1, y + 1, 0xFF404040, t, test.blend));
        }
        dev->Gfx_EndScene(false);
        if (!test.thirdEvery) {
            EXPECT_LT(GpuDevice::GlCallCount() - calls0, 100u)
                << "quads of two textures taking turns go out together";
        }
        const std::vector<uint32_t> px = Read(target);
        for (int q = 0; q < kSide * kSide; ++q)
            ASSERT_EQ(Hex(px[size_t(q)]), Hex(test.expected[which[size_t(q)]])) << "quad " << q;
    }
}

TEST_F(GpuBatchTest, AChangeOrReleaseOfEitherOfTwoTexturesTakingTurnsKeepsWhatWaitedWithIt)
{
    CX2DTexture a, b;
    ASSERT_NE(a.Create(2, 2), nullptr);
    ASSERT_NE(b.Create(2, 2), nullptr);
    Fill(a, kRed);
    Fill(b, kGreen);
    HTEXTURE c = Solid(2, 2, kBlue);
    HTARGET target = BeginOn(8, 2);
    // Taking turns, then a third texture and an untextured quad, then turns again.
    dev->Gfx_RenderQuad(Quad(0, 0, 1, 2, 0xFFFFFFFF, a.GetTexture()));
    dev->Gfx_RenderQuad(Quad(1, 0, 2, 2, 0xFFFFFFFF, b.GetTexture()));
    dev->Gfx_RenderQuad(Quad(2, 0, 3, 2, 0xFFFFFFFF, a.GetTexture()));
    dev->Gfx_RenderQuad(Quad(3, 0, 4, 2, 0xFFFFFFFF, b.GetTexture()));
    dev->Gfx_RenderQuad(Quad(4, 0, 5, 2, 0xFFFFFFFF, c));
    dev->Gfx_RenderQuad(Quad(5, 0, 6, 2, 0xFF808080));
    dev->Gfx_RenderQuad(Quad(6, 0, 7, 2, 0xFFFFFFFF, a.GetTexture()));
    dev->Gfx_RenderQuad(Quad(7, 0, 8, 2, 0xFFFFFFFF, b.GetTexture()));
    dev->Gfx_EndScene(false);
    std::vector<uint32_t> px = Read(target);
    const uint32_t first[8] = {kRed, kGreen, kRed, kGreen, kBlue, 0xFF808080, kRed, kGreen};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Hex(px[size_t(x)]), Hex(first[x])) << "column " << x;

    ASSERT_TRUE(dev->Gfx_BeginScene(target));
    dev->Gfx_Clear(kBlack);
    dev->Gfx_RenderQuad(Quad(0, 0, 1, 2, 0xFFFFFFFF, a.GetTexture()));
    dev->Gfx_RenderQuad(Quad(1, 0, 2, 2, 0xFFFFFFFF, b.GetTexture()));
    dev->Gfx_RenderQuad(Quad(2, 0, 3, 2, 0xFFFFFFFF, a.GetTexture()));
    Fill(b, kBlue);  // the second texture changes while its quad waits
    dev->Gfx_RenderQuad(Quad(3, 0, 4, 2, 0xFFFFFFFF, b.GetTexture()));
    dev->Gfx_RenderQuad(Quad(4, 0, 5, 2, 0xFFFFFFFF, a.GetTexture()));
    Fill(a, kGreen);  // the first one too
    dev->Gfx_RenderQuad(Quad(5, 0, 6, 2, 0xFFFFFFFF, a.GetTexture()));
    dev->Gfx_RenderQuad(Quad(6, 0, 7, 2, 0xFFFFFFFF, b.GetTexture()));
    b.Release();  // and the second goes while its quad waits; a new one may take its address
    CX2DTexture d;
    ASSERT_NE(d.Create(2, 2), nullptr);
    Fill(d, 0xFFFFFF00);
    dev->Gfx_RenderQuad(Quad(7, 0, 8, 2, 0xFFFFFFFF, d.GetTexture()));
    dev->Gfx_EndScene(false);
    px = Read(target);
    const uint32_t after[8] = {kRed, kGreen, kRed, kBlue, kRed, kGreen, kBlue, 0xFFFFFF00};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(Hex(px[size_t(x)]), Hex(after[x]))
            << "column " << x << " after the changes and the release";
}

TEST_F(GpuBatchTest, ScissorStateReadsBackAndClipsOnlyWhatFollows)
{
    HTARGET target = BeginOn(16, 16);
    RECT r{};
    ASSERT_TRUE(dev->Gfx_GetScissorRect(&r));
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 16 && r.bottom == 16)
        << "a new target's whole area";
    uint32_t test = 7;
    ASSERT_TRUE(dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 0u);
    EXPECT_FALSE(dev->Gfx_GetRenderState(27, &test)) << "an unknown render state";
    EXPECT_FALSE(dev->Gfx_SetRenderState(27, 1));

    // The red quad is still waiting in the batch when the scissor changes: it must go out whole.
    dev->Gfx_RenderQuad(Quad(0, 0, 16, 16, kRed));
    const RECT clip{4, 2, 12, 6};
    ASSERT_TRUE(dev->Gfx_SetScissorRect(&clip));
    ASSERT_TRUE(dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 1));
    dev->Gfx_RenderQuad(Quad(0, 0, 16, 16, kGreen));
    ASSERT_TRUE(dev->Gfx_GetScissorRect(&r));
    EXPECT_TRUE(r.left == 4 && r.top == 2 && r.right == 12 && r.bottom == 6);
    ASSERT_TRUE(dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 1u);
    // Turning the test off flushes the green quad under the scissor first.
    ASSERT_TRUE(dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 0));
    dev->Gfx_RenderQuad(Quad(0, 14, 16, 16, kBlue));
    dev->Gfx_EndScene(false);

    const std::vector<uint32_t> px = Read(target);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const uint32_t expected = y >= 14                                 ? kBlue
                                      : (x >= 4 && x < 12 && y >= 2 && y < 6) ? kGreen
                                                                              : kRed;
            ASSERT_EQ(Hex(px[size_t(y) * 16 + x]), Hex(expected)) << "at " << x << "," << y;
        }
}

TEST_F(GpuBatchTest, ANewTargetResetsTheScissorRectangleAndKeepsTheTest)
{
    BeginOn(16, 16);
    const RECT clip{1, 1, 3, 3};
    ASSERT_TRUE(dev->Gfx_SetScissorRect(&clip));
    ASSERT_TRUE(dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 1));
    dev->Gfx_EndScene(false);

    HTARGET second = BeginOn(8, 4);
    RECT r{};
    ASSERT_TRUE(dev->Gfx_GetScissorRect(&r));
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 8 && r.bottom == 4)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    uint32_t test = 0;
    ASSERT_TRUE(dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 1u);
    dev->Gfx_RenderQuad(Quad(0, 0, 8, 4, kGreen));
    dev->Gfx_EndScene(false);
    for (uint32_t p : Read(second))
        ASSERT_EQ(Hex(p), Hex(kGreen)) << "the whole target is inside the reset rectangle";
}

TEST_F(GpuBatchTest, ResetBatchStateDrawsWhatIsPendingAndForgetsTheAppliedStates)
{
    // Additive colour: grey texel + red diffuse = (FF, 80, 80). Modulated it would be (80, 0, 0).
    HTEXTURE grey = Solid(2, 2, 0xFF808080);
    HTARGET target = BeginOn(8, 4);
    dev->Gfx_RenderQuad(Quad(0, 0, 4, 4, kRed, grey, BLEND_COLORADD | BLEND_ALPHABLEND));
    dev->Gfx_ResetBatchState();
    // The same texture and blend again: the batch must apply both once more after the reset.
    dev->Gfx_RenderQuad(Quad(4, 0, 8, 4, kRed, grey, BLEND_COLORADD | BLEND_ALPHABLEND));
    dev->Gfx_EndScene(false);
    const std::vector<uint32_t> px = Read(target);
    EXPECT_EQ(Hex(px[1 * 8 + 1]), "FFFF8080") << "drawn before the reset";
    EXPECT_EQ(Hex(px[1 * 8 + 5]), "FFFF8080") << "drawn after the reset";
}

TEST_F(GpuBatchTest, ClippingMapsTargetCoordinatesIntoTheRectangleAndLeavesTheRestClear)
{
    HTARGET target = BeginOn(16, 16);
    dev->Gfx_SetClipping(4, 4, 8, 8);
    // Drawn across the clip rectangle; the red one inside it, in the target's own coordinates.
    dev->Gfx_RenderQuad(Quad(0, 0, 16, 16, kGreen));
    dev->Gfx_RenderQuad(Quad(6, 6, 8, 8, kRed));
    dev->Gfx_SetClipping(0, 0, 0, 0);
    dev->Gfx_RenderQuad(Quad(0, 15, 16, 16, kBlue));
    dev->Gfx_EndScene(false);
    const std::vector<uint32_t> px = Read(target);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            uint32_t expected = kBlack;
            if (y == 15)
                expected = kBlue;
            else if (x >= 6 && x < 8 && y >= 6 && y < 8)
                expected = kRed;
            else if (x >= 4 && x < 12 && y >= 4 && y < 12)
                expected = kGreen;
            ASSERT_EQ(Hex(px[size_t(y) * 16 + x]), Hex(expected)) << "at " << x << "," << y;
        }
}

TEST_F(GpuBatchTest, TheSpritePathClampsAndFiltersLinearlyWhileTheQuadBatchWrapsWithItsOwnFilter)
{
    // One texture of two texels, red and green, drawn five times in one scene by the two paths
    // in turn, with the quad batch on point filtering.
    HTEXTURE texture = dev->GetGpu()->CreateTexture(2, 1, GPU_FORMAT_A8R8G8B8);
    m_textures.push_back(texture);
    const uint32_t texels[2] = {kRed, kGreen};
    ASSERT_TRUE(dev->GetGpu()->Upload(texture, texels, 8));
    dev->System_SetState(GFX_STATE_TEXTURE_FILTER, false);
    CXSpriteBatch& batch = *dev->GetSpriteBatch();
    HTARGET target = BeginOn(4, 5);
    CXQuad twice = Quad(0, 0, 4, 1, 0xFFFFFFFF, texture);  // u 0..2
    for (CXVertex& v : twice.v)
        v.u *= 2;
    dev->Gfx_RenderQuad(twice);
    ASSERT_TRUE(batch.Begin(CXSPRITE_ALPHABLEND));
    batch.Draw(texture, 0, 1, 0, 0, 4, 1, 1, 1, 0, 0, 0, 0xFFFFFFFF);  // u 0..2
    ASSERT_TRUE(batch.End());
    dev->Gfx_RenderQuad(Quad(0, 2, 4, 3, 0xFFFFFFFF, texture));  // stretched twice
    ASSERT_TRUE(batch.Begin(CXSPRITE_ALPHABLEND));
    batch.Draw(texture, 0, 3, 0, 0, 2, 1, 2, 1, 0, 0, 0, 0xFFFFFFFF);  // stretched twice
    ASSERT_TRUE(batch.End());
    twice.v[0].y = twice.v[1].y = 4;
    twice.v[2].y = twice.v[3].y = 5;
    dev->Gfx_RenderQuad(twice);
    dev->Gfx_EndScene(false);
    dev->System_SetState(GFX_STATE_TEXTURE_FILTER, true);

    const std::vector<uint32_t> px = Read(target);
    const char* rows[] = {"quad batch wraps", "sprite path clamps", "quad batch points", "",
                          "quad batch again"};
    const uint32_t expected[5][4] = {{kRed, kGreen, kRed, kGreen},
                                     {kRed, kGreen, kGreen, kGreen},
                                     {kRed, kRed, kGreen, kGreen},
                                     {},
                                     {kRed, kGreen, kRed, kGreen}};
    for (int y : {0, 1, 2, 4})
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Hex(px[size_t(y) * 4 + x]), Hex(expected[y][x]))
                << rows[y] << ", texel " << x;
    // Linear on the sprite path: the inner pixels mix red and green.
    for (int x : {1, 2}) {
        const uint32_t p = px[size_t(3) * 4 + x];
        EXPECT_TRUE(((p >> 16) & 255) > 0 && ((p >> 8) & 255) > 0)
            << "sprite path filters linearly: " << Hex(p);
    }
}

TEST_F(GpuBatchTest, ALossAtPresentReleasesTargetsAndTheResetRestoresThemDrawable)
{
    static int lost = 0, restored = 0;
    lost = restored = 0;
    dev->System_SetState(GFX_STATE_LOST_CALLBACK, CXGfxCallback([] { return ++lost > 0; }));
    dev->System_SetState(GFX_STATE_RESTORE_CALLBACK, CXGfxCallback([] { return ++restored > 0; }));
    HTARGET target = BeginOn(4, 4);
    dev->Gfx_EndScene(false);

    ASSERT_TRUE(dev->Gfx_BeginScene(nullptr));
    ASSERT_TRUE(dev->Gfx_SetRenderState(GFX_RS_SCISSORTESTENABLE, 1));
    CXSpriteBatch& batch = *dev->GetSpriteBatch();
    ASSERT_TRUE(batch.Begin(CXSPRITE_ALPHABLEND));
    ASSERT_TRUE(batch.DrawPlain(Solid(2, 2, kRed), 0, 0, nullptr, 0xFFFFFFFF));
    dev->GetGpu()->ForceDeviceLost(1);
    dev->Gfx_EndScene(true);  // Present finds the device lost
    EXPECT_FALSE(dev->IsReady());
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(restored, 0);
    EXPECT_EQ(dev->Target_GetTexture(target), nullptr) << "default-pool objects are released";
    EXPECT_FALSE(batch.IsBegun()) << "the sprite batch ends with the lost scene";
    EXPECT_FALSE(dev->Gfx_BeginScene(target));

    EXPECT_TRUE(dev->CheckDevice()) << "the reset succeeds once the targets are released";
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(restored, 1);
    ASSERT_NE(dev->Target_GetTexture(target), nullptr);
    uint32_t test = 1;
    ASSERT_TRUE(dev->Gfx_GetRenderState(GFX_RS_SCISSORTESTENABLE, &test));
    EXPECT_EQ(test, 0u) << "a reset turns the scissor test off";
    ASSERT_TRUE(dev->Gfx_BeginScene(target));
    dev->Gfx_Clear(kBlack);
    dev->Gfx_RenderQuad(Quad(0, 0, 2, 4, kGreen, Solid(1, 1, 0xFFFFFFFF)));
    dev->Gfx_EndScene(false);
    const std::vector<uint32_t> px = Read(target);
    EXPECT_EQ(Hex(px[0]), Hex(kGreen));
    EXPECT_EQ(Hex(px[3]), Hex(kBlack));
    dev->System_SetState(GFX_STATE_LOST_CALLBACK, CXGfxCallback(nullptr));
    dev->System_SetState(GFX_STATE_RESTORE_CALLBACK, CXGfxCallback(nullptr));
}

}  // namespace
