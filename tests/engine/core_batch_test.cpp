// Flush rules of the primitive batch, scene brackets, clipping, transform and render targets.

#include <cmath>

#include "CXSpriteBatch.h"
#include "core_fixture.h"

namespace {

HTEXTURE Tex(uintptr_t n)
{
    return reinterpret_cast<HTEXTURE>(n * 64);
}

using CoreBatchTest = CoreDeviceTest;

TEST_F(CoreBatchTest, TwoThousandAndOneLinesFlushOnceMidwayAndOnceAtTheEnd)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    for (int i = 0; i < 2000; ++i)
        device->Gfx_RenderLine(0, 0, 10, 10, 0xFFFFFFFF, 0);
    EXPECT_TRUE(sink.draws.empty());
    device->Gfx_RenderLine(0, 0, 10, 10, 0xFFFFFFFF, 0);
    ASSERT_EQ(sink.draws.size(), 1u);
    EXPECT_EQ(sink.draws[0].kind, GpuPrimitive::Lines);
    EXPECT_EQ(sink.draws[0].count, 2000);
    device->Gfx_EndScene(false);
    ASSERT_EQ(sink.draws.size(), 2u);
    EXPECT_EQ(sink.draws[1].count, 1);
}

TEST_F(CoreBatchTest, AlternatingTexturesDrawOneQuadPerCall)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    for (int i = 0; i < 10; ++i)
        device->Gfx_RenderQuad(Quad(Tex(1 + i % 2)));
    device->Gfx_EndScene(false);
    ASSERT_EQ(sink.draws.size(), 10u);
    for (size_t i = 0; i < sink.draws.size(); ++i) {
        EXPECT_EQ(sink.draws[i].count, 1) << "draw " << i;
        EXPECT_EQ(sink.draws[i].texture, Tex(1 + i % 2)) << "draw " << i;
    }
}

TEST_F(CoreBatchTest, SameTextureQuadsShareOneCallUntilTheBufferIsFull)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    for (int i = 0; i < 2500; ++i)
        device->Gfx_RenderQuad(Quad(Tex(3)));
    device->Gfx_EndScene(false);
    ASSERT_EQ(sink.draws.size(), 3u);
    EXPECT_EQ(sink.draws[0].count, 1000);
    EXPECT_EQ(sink.draws[1].count, 1000);
    EXPECT_EQ(sink.draws[2].count, 500);
}

TEST_F(CoreBatchTest, LineAfterAnAdditiveTexturedQuadClearsTextureAndRestoresBlend)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    device->Gfx_RenderQuad(Quad(Tex(5), BLEND_COLORADD | BLEND_ALPHAADD));
    sink.calls.clear();
    device->Gfx_RenderLine(0, 0, 1, 1, 0xFF00FF00, 0);
    device->Gfx_EndScene(false);
    ASSERT_EQ(sink.draws.size(), 2u);
    EXPECT_EQ(sink.draws[0].texture, Tex(5));
    EXPECT_EQ(sink.draws[1].texture, nullptr);
    EXPECT_EQ(sink.draws[1].kind, GpuPrimitive::Lines);
    const std::vector<std::string> expected = {"blend inv", "colour mod", "texture"};
    EXPECT_EQ(sink.calls, expected);
}

TEST_F(CoreBatchTest, BlendStatesChangeOnlyForChangedBits)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    device->Gfx_RenderQuad(Quad(nullptr, BLEND_DEFAULT));
    EXPECT_TRUE(sink.calls.empty());
    device->Gfx_RenderQuad(Quad(nullptr, BLEND_DEFAULT | BLEND_ZWRITE));
    const std::vector<std::string> expected = {"zwrite on"};
    EXPECT_EQ(sink.calls, expected);
    device->Gfx_EndScene(false);
}

TEST_F(CoreBatchTest, DrawingOutsideASceneDrawsNothing)
{
    device->Gfx_RenderLine(0, 0, 1, 1, 0xFFFFFFFF, 0);
    device->Gfx_RenderQuad(Quad(Tex(1)));
    CXTriangle t{};
    device->Gfx_RenderTriangle(t);
    int max = 0;
    EXPECT_EQ(device->Gfx_StartBatch(CXPRIM_QUADS, nullptr, BLEND_DEFAULT, &max), nullptr);
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    device->Gfx_EndScene(false);
    EXPECT_TRUE(sink.draws.empty());
}

TEST_F(CoreBatchTest, StartBatchGivesTheRoomOfEachKindAndFinishBatchClampsTheCount)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    struct Case {
        int kind;
        int max;
    };
    for (const Case& c :
         {Case{CXPRIM_LINES, 2000}, Case{CXPRIM_TRIPLES, 1333}, Case{CXPRIM_QUADS, 1000}}) {
        int max = 0;
        EXPECT_NE(device->Gfx_StartBatch(c.kind, nullptr, BLEND_DEFAULT, &max), nullptr) << c.kind;
        EXPECT_EQ(max, c.max) << "kind " << c.kind;
        device->Gfx_FinishBatch(max + 50);
    }
    int max = 0;
    EXPECT_EQ(device->Gfx_StartBatch(5, nullptr, BLEND_DEFAULT, &max), nullptr);
    device->Gfx_EndScene(false);
    ASSERT_EQ(sink.draws.size(), 3u);
    EXPECT_EQ(sink.draws[0].count, 2000);
    EXPECT_EQ(sink.draws[1].count, 1333);
    EXPECT_EQ(sink.draws[2].count, 1000);
}

TEST_F(CoreBatchTest, SecondBeginSceneFailsWithItsMessage)
{
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    EXPECT_FALSE(device->Gfx_BeginScene(nullptr));
    EXPECT_STREQ(device->System_GetErrorMessage(),
                 "Gfx_BeginScene: Scene is already being rendered");
    device->Gfx_EndScene(false);
}

TEST_F(CoreBatchTest, EndSceneOnATargetNeverPresents)
{
    HTARGET target = device->Target_Create(64, 32, false, 0);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(device->Gfx_BeginScene(target));
    EXPECT_EQ(device->Gfx_EndScene(true), target);
    EXPECT_EQ(sink.presents, 0);
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    EXPECT_EQ(device->Gfx_EndScene(true), nullptr);
    EXPECT_EQ(sink.presents, 1);
}

TEST_F(CoreBatchTest, ClippingIsCutToTheTarget)
{
    struct Case {
        int x, y, w, h;
        GpuRect expected;
    };
    const Case cases[] = {
        {-10, 0, 100, 50, {0, 0, 90, 50}},        {0, 0, 0, 0, {0, 0, 800, 600}},
        {750, 580, 100, 100, {750, 580, 50, 20}}, {-200, 10, 100, 10, {0, 10, 0, 10}},
        {900, 700, 10, 10, {800, 600, 0, 0}},
    };
    for (const Case& c : cases) {
        sink.viewports.clear();
        device->Gfx_SetClipping(c.x, c.y, c.w, c.h);
        ASSERT_EQ(sink.viewports.size(), 1u);
        const GpuRect& r = sink.viewports[0];
        EXPECT_TRUE(r.x == c.expected.x && r.y == c.expected.y && r.w == c.expected.w &&
                    r.h == c.expected.h)
            << "clip " << c.x << "," << c.y << "," << c.w << "," << c.h << " gave " << r.x << ","
            << r.y << "," << r.w << "," << r.h;
    }
}

TEST_F(CoreBatchTest, TransformMovesTheAnchorByTheOffset)
{
    device->Gfx_SetTransform(100, 50, 7, -3, 0.5f, 2.0f, 3.0f);
    const float* m = sink.view;
    // The anchor point lands on anchor + offset whatever the scale and rotation.
    const float px = 100 * m[0] + 50 * m[4] + m[12];
    const float py = 100 * m[1] + 50 * m[5] + m[13];
    EXPECT_NEAR(px, 107.0f, 1e-3f);
    EXPECT_NEAR(py, 47.0f, 1e-3f);
    // A point one unit right of the anchor moves by the scaled, rotated unit vector.
    const float qx = 101 * m[0] + 50 * m[4] + m[12];
    EXPECT_NEAR(qx - px, 2.0f * std::cos(-0.5f), 1e-3f);
    device->Gfx_SetTransform(0, 0, 0, 0, 0, 0, 0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(sink.view[i], (i % 5 == 0) ? 1.0f : 0.0f) << "element " << i;
}

TEST_F(CoreBatchTest, TargetsKeepTheirFormatAcrossADeviceLoss)
{
    HTARGET a = device->Target_Create(768, 1280, false, GPU_FORMAT_A8R8G8B8);
    HTARGET b = device->Target_Create(1280, 768, false, 0);
    ASSERT_TRUE(a && b);
    HTEXTURE oldA = device->Target_GetTexture(a);
    sink.targetFormats.clear();
    static int lost = 0, restored = 0;
    lost = restored = 0;
    device->System_SetState(GFX_STATE_LOST_CALLBACK, CXGfxCallback([] { return ++lost > 0; }));
    device->System_SetState(GFX_STATE_RESTORE_CALLBACK,
                            CXGfxCallback([] { return ++restored > 0; }));
    sink.status = GpuStatus::NotReset;
    EXPECT_TRUE(device->CheckDevice());
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(restored, 1);
    ASSERT_EQ(sink.targetFormats.size(), 2u);
    EXPECT_EQ(sink.targetFormats[0],
              static_cast<uint32_t>(GPU_FORMAT_X8R8G8B8));  // b, newest first
    EXPECT_EQ(sink.targetFormats[1], static_cast<uint32_t>(GPU_FORMAT_A8R8G8B8));
    EXPECT_NE(device->Target_GetTexture(a), oldA);
    EXPECT_EQ(sink.liveTargets, 2);
    device->Target_Free(a);
    device->Target_Free(a);  // already gone: ignored
    EXPECT_EQ(sink.liveTargets, 1);
    EXPECT_EQ(device->Target_GetTexture(a), nullptr);
}

TEST_F(CoreBatchTest, ALostDeviceRefusesScenesUntilItIsReset)
{
    // The sprite batch begun in the lost scene ends with it.
    CXSpriteBatch* batch = device->GetSpriteBatch();
    ASSERT_NE(batch, nullptr);
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    ASSERT_TRUE(batch->Begin(CXSPRITE_ALPHABLEND));
    sink.status = GpuStatus::Lost;
    EXPECT_FALSE(device->CheckDevice());
    EXPECT_FALSE(device->Gfx_BeginScene(nullptr));
    EXPECT_FALSE(batch->IsBegun());
    EXPECT_FALSE(batch->Begin(CXSPRITE_ALPHABLEND)) << "not while lost";
    sink.status = GpuStatus::NotReset;
    EXPECT_TRUE(device->CheckDevice());
    EXPECT_TRUE(device->Gfx_BeginScene(nullptr));
    EXPECT_TRUE(batch->Begin(CXSPRITE_ALPHABLEND));
    EXPECT_TRUE(batch->End());
    device->Gfx_EndScene(false);
}

}  // namespace
