// The whole engine under the virtual display: start-up through CX2DInit, 120 frames of the real
// loop drawing into the back buffer and a render target, and a clean shutdown.

#include <gtest/gtest.h>

#include "CX2DEngine.h"
#include "CX2DTarget.h"

namespace {

int g_nFrames = 0;
CX2DTarget* g_pTarget = nullptr;

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
    RECT client;
    ASSERT_TRUE(Window_GetClientRect(hwnd, &client));
    EXPECT_EQ(client.right, 1280);
    EXPECT_EQ(client.bottom, 720);
    g_pTarget = new CX2DTarget();
    ASSERT_TRUE(g_pTarget->Create(768, 1280, false));
    EXPECT_EQ(g_pTarget->GetWidth(false), 768);
    EXPECT_TRUE(EngineMainLoop());
    EXPECT_EQ(g_nFrames, 120);
    EXPECT_GT(EngineGetTime(), 0.0);
    delete g_pTarget;
    g_pTarget = nullptr;
    EngineShutdown();
    EXPECT_EQ(g_pGfxDevice, nullptr);
    EXPECT_FALSE(Window_IsWindow(hwnd));
}

}  // namespace
