// The whole engine under the virtual display: start-up through CX2DInit, 120 frames of the real
// loop drawing into the back buffer and a render target (quads, and a sprite and text through the
// device's sprite batch), a read-back of the target, and a clean shutdown.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "CX2DEngine.h"
#include "CX2DPack.h"
#include "CX2DSprite.h"
#include "CX2DTarget.h"
#include "CXFont.h"
#include "CXSpriteBatch.h"
#include "platform/files.h"

namespace {

int g_nFrames = 0;
int g_nBatchFrames = 0;
CX2DTarget* g_pTarget = nullptr;
CX2DSprite* g_pSprite = nullptr;
CXFont* g_pFont = nullptr;

bool Frame()
{
    ++g_nFrames;
    if (EngineBeginScene(g_pTarget->GetTarget())) {
        EngineClear(0xFF102030);
        CXQuad q{};
        q.blend = BLEND_DEFAULT;
        const float xs[4] = {10, 60, 60, 10}, ys[4] = {10, 10, 60, 60};
        for (int i = 0; i < 4; ++i)
            q.v[i] = CXVertex{xs[i], ys[i], 0.5f, 0xFFFF0000, 0, 0};
        EngineRenderQuad(q);
        // The sprite goes through the frame's sprite batch, over the quad's bottom-right corner.
        if (EngineBeginSprites()) {
            ++g_nBatchFrames;
            g_bUseSpriteBatch = 1;
            g_pSprite->Render(50, 50);
            g_bUseSpriteBatch = 0;
            // Text joins the open batch.
            g_pFont->DrawText("가", 200, 200, 0, 0, 0xFFFFFFFF, 0);
            EngineEndSprites();
        }
        EngineEndScene(false);
    }
    if (EngineBeginScene(nullptr)) {
        EngineClear(0);
        EngineEndScene(true);
    }
    return g_nFrames >= 120;
}

TEST(CoreMainLoop, RunsOneHundredTwentyFramesAndShutsDownCleanly)
{
    EXPECT_FALSE(EngineBeginSprites()) << "no batch before start-up";
    CX2DInitParam p;
    p.pFrameFunc = &Frame;
    p.pszTitle = "Main loop";
    p.nScreenWidth = 1920;
    p.nScreenHeight = 1080;
    p.nBPP = 32;
    p.nWindowWidth = 1280;
    p.nWindowHeight = 720;
    p.nFrameRate = 0;
    p.bRunInactive = 1;
    p.bRunInactiveFirst = 1;
    p.dwStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    HWND hwnd = CX2DInit(p, 4);
    ASSERT_NE(hwnd, nullptr) << (g_pGfxDevice ? g_pGfxDevice->System_GetErrorMessage() : "");
    ASSERT_NE(EngineGetSpriteBatch(), nullptr) << "start-up makes and registers the sprite batch";
    ASSERT_NE(EnginePackList(), nullptr) << "start-up makes the engine pack list";
    EXPECT_EQ(EnginePackList()->GetCount(), 0u);
    EXPECT_EQ(EngineGetSpriteBatch(), g_pGfxDevice->GetSpriteBatch());
    EXPECT_FALSE(EngineBeginSprites()) << "no scene";
    RECT client;
    ASSERT_TRUE(platform::GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 720);
    g_pTarget = new CX2DTarget();
    ASSERT_NE(g_pTarget, nullptr);
    ASSERT_TRUE(g_pTarget->Create(768, 1280, false));
    EXPECT_EQ(g_pTarget->GetWidth(false), 768);

    // A 16 x 16 sprite: green above, blue below, half transparent in its last row.
    g_pSprite = new CX2DSprite();
    ASSERT_NE(g_pSprite, nullptr);
    ASSERT_NE(g_pSprite->CreateEmpty(16, 16), nullptr);
    std::vector<uint32_t> pixels(16 * 16);
    for (int i = 0; i < 16 * 16; ++i)
        pixels[i] = i < 8 * 16 ? 0xFF00FF00 : i < 15 * 16 ? 0xFF0000FF : 0x00000000;
    ASSERT_TRUE(g_pGfxDevice->GetGpu()->Upload(g_pSprite->GetTexture(), pixels.data(), 16 * 4));

    CXFontDesc desc;
    desc.Height = 32;
    desc.Weight = 400;
    std::strcpy(desc.FaceName, "나눔고딕");
    g_pFont = new CXFont();
    g_pFont->SetDesc(desc);
    ASSERT_TRUE(g_pFont->Create(1.0f, 1.0f));

    EXPECT_TRUE(EngineMainLoop());
    EXPECT_EQ(g_nFrames, 120);
    EXPECT_EQ(g_nBatchFrames, 120);
    EXPECT_GT(EngineGetTime(), 0.0);

    struct Probe {
        int x, y;
        uint32_t argb;
    };
    const Probe probes[] = {
        {20, 20, 0xFFFF0000},  // the quad
        {51, 51, 0xFF00FF00},  // the sprite's top half (the batch ignores the hot spot)
        {63, 53, 0xFF00FF00},
        {51, 60, 0xFF0000FF},  // its bottom half
        {65, 64, 0xFF0000FF},
        {55, 65, 0xFF102030},  // its transparent last row lets the clear colour through
        {67, 52, 0xFF102030},  // right of it
        {5, 5, 0xFF102030},
    };
    GpuDevice* gpu = g_pGfxDevice->GetGpu();
    for (const Probe& probe : probes) {
        uint32_t argb = 0;
        GpuRect one{probe.x, probe.y, 1, 1};
        ASSERT_TRUE(gpu->ReadPixels(g_pTarget->GetTexture(), &one, &argb));
        EXPECT_EQ(argb, probe.argb) << "at (" << probe.x << "," << probe.y << ")";
    }

    // The text left white ink in its corner of the target.
    std::vector<uint32_t> block(64 * 48);
    GpuRect textRect{200, 200, 64, 48};
    ASSERT_TRUE(gpu->ReadPixels(g_pTarget->GetTexture(), &textRect, block.data()));
    int ink = 0;
    for (uint32_t argb : block)
        ink += argb == 0xFFFFFFFF;
    EXPECT_GT(ink, 20);

    // A snapshot without a name takes the first free number in the program folder.
    const std::string folder = platform::ProgramFolder();
    ASSERT_TRUE(platform::WriteFileAtomic(folder + "shot000.bmp", "x", 1));
    EXPECT_TRUE(g_pGfxDevice->System_Snapshot(nullptr));
    const auto shot = platform::ReadWholeFile(folder + "shot001.bmp");
    ASSERT_TRUE(shot.has_value());
    ASSERT_GT(shot->size(), 54u);
    EXPECT_EQ((*shot)[0], 'B');
    EXPECT_EQ((*shot)[1], 'M');
    EXPECT_EQ(platform::FileSize(folder + "shot000.bmp"), 1u) << "an earlier shot is kept";
    platform::DeleteFile(folder + "shot000.bmp");
    platform::DeleteFile(folder + "shot001.bmp");

    delete g_pFont;
    g_pFont = nullptr;
    delete g_pSprite;
    g_pSprite = nullptr;
    delete g_pTarget;
    g_pTarget = nullptr;
    EngineShutdown();
    EXPECT_EQ(g_pGfxDevice, nullptr);
    EXPECT_EQ(EngineGetSpriteBatch(), nullptr) << "shutdown takes the batch away";
    EXPECT_EQ(EnginePackList(), nullptr);
    EXPECT_FALSE(platform::IsWindow(hwnd));
}

}  // namespace
