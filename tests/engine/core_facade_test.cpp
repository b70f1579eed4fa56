// The engine facade around a device that records its drawing: the application's window hook,
// repeated shutdown, and device states that act at once on a running device.

#include <gtest/gtest.h>

#include "CX2DEngine.h"
#include "CXSoundMgr.h"
#include "core_fixture.h"

namespace {

// Answers 'S' itself (nonzero) and leaves every other message to the engine (0).
int g_nHookCalls = 0;
LRESULT SwallowS(HWND, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg != WM_KEYDOWN)
        return 0;
    ++g_nHookCalls;
    return wParam == 'S' ? 1 : 0;
}

TEST(CoreFacade, TheHookSeesKeysFirstAndSwallowsWhatItAnswersAndShutdownRunsOnce)
{
    FakeCoreSink sink;
    CXGfxDevice* device = CreateRecordedDevice(sink);
    ASSERT_NE(device, nullptr);

    CX2DInitParam p;
    p.pWndProcHook = &SwallowS;
    p.nScreenWidth = 800;
    p.nScreenHeight = 600;
    p.nWindowWidth = 320;
    p.nWindowHeight = 180;
    HWND hwnd = CX2DInit(p, 0);
    ASSERT_NE(hwnd, nullptr) << device->System_GetErrorMessage();
    EXPECT_EQ(device->System_GetState(GFX_STATE_WNDPROC_HOOK), 0) << "the hook is set only";

    g_nHookCalls = 0;
    for (WPARAM key : {WPARAM{'A'}, WPARAM{'S'}, WPARAM{'D'}})
        platform::SendMessage(hwnd, WM_KEYDOWN, key, 1);
    EXPECT_EQ(g_nHookCalls, 3);
    std::vector<int> queued;
    CXInputEvent e;
    while (device->Input_GetEvent(&e))
        queued.push_back(e.key);
    EXPECT_EQ(queued, (std::vector<int>{'A', 'D'}));

    EngineShutdown();
    EXPECT_FALSE(platform::IsWindow(hwnd));
    EXPECT_EQ(g_pGfxDevice, device) << "the test's own reference keeps the device";
    EngineShutdown();
    EXPECT_EQ(g_pGfxDevice, device);
    device->Release();
    EXPECT_EQ(g_pGfxDevice, nullptr);
    platform::ResetMessageQueue();
}

class CoreStateTest : public CoreDeviceTest {};

int g_nFrames = 0;
bool CountFrame()
{
    ++g_nFrames;
    return true;
}

TEST_F(CoreStateTest, StatesOnARunningDevice)
{
    // Sound follows its state at once: on makes the objects with one extra group, off frees them.
    ASSERT_EQ(device->GetSoundMgr(), nullptr);
    device->System_SetState(GFX_STATE_USE_SOUND, true);
    ASSERT_NE(device->GetSoundMgr(), nullptr);
    EXPECT_EQ(device->GetSoundMgr()->GetGroupCount(), 2);
    device->System_SetState(GFX_STATE_USE_SOUND, false);
    EXPECT_EQ(device->GetSoundMgr(), nullptr);
    EXPECT_EQ(device->GetDSDevice(), nullptr);

    // The back-buffer size is fixed once the device exists.
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, 1024);
    EXPECT_EQ(device->System_GetState(GFX_STATE_SCREEN_WIDTH), 800);

    // Single step set before the loop: it returns at once without a frame.
    g_nFrames = 0;
    device->System_SetState(GFX_STATE_FRAME_CALLBACK, &CountFrame);
    device->System_SetSingleStep();
    EXPECT_TRUE(device->System_Start());
    EXPECT_EQ(g_nFrames, 0);
}

TEST_F(CoreStateTest, AModeChangeReplaysTheLossAndFullScreenCoversTheDesktop)
{
    g_nLost = g_nRestored = 0;
    device->System_SetState(GFX_STATE_LOST_CALLBACK, &CountLost);
    device->System_SetState(GFX_STATE_RESTORE_CALLBACK, &CountRestored);
    HWND hwnd = device->GetWindow();
    RECT framed;
    ASSERT_TRUE(platform::GetWindowRect(hwnd, &framed));

    device->System_SetState(GFX_STATE_WINDOWED, false);
    EXPECT_EQ(g_nLost, 1);
    EXPECT_EQ(g_nRestored, 1);
    RECT r;
    ASSERT_TRUE(platform::GetClientRect(hwnd, &r));
    EXPECT_EQ(r.right, platform::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, platform::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(platform::GetWindowStyle(hwnd), WS_POPUP | WS_VISIBLE);
    EXPECT_NE(platform::GetWindowExStyle(hwnd) & WS_EX_TOPMOST, 0u);

    device->System_SetState(GFX_STATE_WINDOWED, true);
    EXPECT_EQ(g_nLost, 2);
    EXPECT_EQ(g_nRestored, 2);
    ASSERT_TRUE(platform::GetWindowRect(hwnd, &r));
    EXPECT_EQ(r.left, framed.left);
    EXPECT_EQ(r.top, framed.top);
    EXPECT_EQ(r.right, framed.right);
    EXPECT_EQ(r.bottom, framed.bottom);
    EXPECT_EQ(platform::GetWindowExStyle(hwnd) & WS_EX_TOPMOST, 0u);

    // Moving into and out of vertical sync goes through the same path; other rates do not.
    device->System_SetState(GFX_STATE_FRAME_RATE, 60);
    EXPECT_EQ(g_nRestored, 2);
    device->System_SetState(GFX_STATE_FRAME_RATE, -1);
    device->System_SetState(GFX_STATE_FRAME_RATE, 30);
    EXPECT_EQ(g_nLost, 4);
    EXPECT_EQ(g_nRestored, 4);

    // The device drawing works again after the replay.
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    device->Gfx_EndScene(false);
}

}  // namespace
