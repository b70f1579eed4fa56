// The device hosted in another window (no message pump of its own, one frame per System_Start,
// the back buffer following the window's size), the window icon, and launching files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CXGfxDevice.h"
#include "fake_core_sink.h"
#include "platform/image.h"
#include "platform/launch.h"
#include "support/temp_folder.h"

namespace {

int g_nFrames = 0;
bool NeverEnds()
{
    ++g_nFrames;
    return false;
}

LRESULT HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeHost(int width, int height)
{
    WindowCreateInfo info;
    info.title = "host";
    info.style = WS_POPUP | WS_VISIBLE;
    info.width = width;
    info.height = height;
    info.proc = &HostProc;
    return platform::CreateWindow(info);
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(CoreHosted, OneFramePerStartNoPumpAndTheBackBufferFollowsTheWindow)
{
    platform::ResetMessageQueue();
    g_nFrames = g_nLost = g_nRestored = 0;
    HWND host = MakeHost(200, 120);
    ASSERT_NE(host, nullptr) << platform::GetLastWindowError();
    CXGfxDevice* device = CreateGfxDevice(16);
    ASSERT_NE(device, nullptr);
    device->System_SetState(GFX_STATE_USE_SOUND, false);
    device->System_SetState(GFX_STATE_WINDOWED, false);
    device->System_SetState(GFX_STATE_SCREEN_WIDTH, 160);
    device->System_SetState(GFX_STATE_SCREEN_HEIGHT, 90);
    device->System_SetState(GFX_STATE_WINDOW_WIDTH, 160);
    device->System_SetState(GFX_STATE_WINDOW_HEIGHT, 90);
    device->System_SetState(GFX_STATE_PARENT_WINDOW, host);
    device->System_SetState(GFX_STATE_FRAME_CALLBACK, &NeverEnds);
    device->System_SetState(GFX_STATE_LOST_CALLBACK, &CountLost);
    device->System_SetState(GFX_STATE_RESTORE_CALLBACK, &CountRestored);
    ASSERT_TRUE(device->System_Initiate(0)) << device->System_GetErrorMessage();
    ASSERT_NE(device->GetGpu(), nullptr);

    HWND hwnd = device->GetWindow();
    EXPECT_EQ(platform::GetParent(hwnd), host);
    EXPECT_EQ(platform::GetWindowStyle(hwnd), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(device->System_GetState(GFX_STATE_WINDOWED), 1) << "hosted is always windowed";
    device->System_SetState(GFX_STATE_WINDOWED, false);
    EXPECT_EQ(device->System_GetState(GFX_STATE_WINDOWED), 1);
    EXPECT_EQ(platform::GetWindowStyle(hwnd), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(device->System_GetState(GFX_STATE_PARENT_WINDOW), reinterpret_cast<intptr_t>(host));
    device->System_SetState(GFX_STATE_PARENT_WINDOW, static_cast<HWND>(nullptr));
    EXPECT_EQ(device->System_GetState(GFX_STATE_PARENT_WINDOW), reinterpret_cast<intptr_t>(host))
        << "the parent is set only before the window exists";

    // The host's message stays for the host: the device pumps nothing.
    ASSERT_TRUE(platform::PostMessage(host, WM_USER + 7, 1, 2));
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(device->System_Start());
        EXPECT_EQ(g_nFrames, i) << "exactly one frame per call, though the callback never ends";
    }
    MSG msg;
    ASSERT_TRUE(platform::PeekMessage(&msg, true));
    EXPECT_EQ(msg.message, WM_USER + 7);

    // The host resizes the device's window: the loss is replayed around a new back buffer.
    HTARGET target = device->Target_Create(8, 8, false, GPU_FORMAT_A8R8G8B8);
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(platform::MoveWindow(hwnd, 0, 0, 100, 50));
    EXPECT_EQ(g_nLost, 1);
    EXPECT_EQ(g_nRestored, 1);
    EXPECT_EQ(device->GetScreenWidth(), 100);
    EXPECT_EQ(device->GetScreenHeight(), 50);
    EXPECT_EQ(device->GetGpu()->BackBufferWidth(), 100);
    EXPECT_EQ(device->GetGpu()->BackBufferHeight(), 50);
    EXPECT_NE(device->Target_GetTexture(target), nullptr) << "targets come back after the resize";
    // The new back buffer is drawn into.
    ASSERT_TRUE(device->Gfx_BeginScene(nullptr));
    device->Gfx_Clear(0xFF00FF00);
    device->Gfx_EndScene(false);
    uint32_t corner = 0;
    GpuRect last{99, 49, 1, 1};
    ASSERT_TRUE(device->GetGpu()->ReadPixels(device->GetGpu()->BackBuffer(), &last, &corner));
    EXPECT_EQ(corner, 0xFF00FF00u);

    device->Target_Free(target);
    device->System_Shutdown();
    device->Release();
    platform::DestroyWindow(host);
    platform::DestroyRetiredWindows();
    platform::ResetMessageQueue();
}

class CoreIconTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::ResetMessageQueue();
        m_strLog = m_folder.Slashed() + "device.log";
        for (auto [name, w, h] :
             {std::tuple{"icon32.png", 32, 32}, std::tuple{"icon16.png", 16, 8}}) {
            const std::vector<uint32_t> px(size_t(w) * h, 0xFF2040C0);
            ASSERT_TRUE(
                platform::SavePng((m_folder.Slashed() + name).c_str(), w, h, px.data(), w * 4));
        }
        device = CreateGfxDevice(16);
        ASSERT_NE(device, nullptr);
        device->System_SetState(GFX_STATE_USE_SOUND, false);
        device->System_SetState(GFX_STATE_WINDOWED, true);
        device->System_SetState(GFX_STATE_SCREEN_WIDTH, 64);
        device->System_SetState(GFX_STATE_SCREEN_HEIGHT, 48);
        device->System_SetState(GFX_STATE_WINDOW_WIDTH, 64);
        device->System_SetState(GFX_STATE_WINDOW_HEIGHT, 48);
        device->System_SetState(GFX_STATE_LOG_FILE, m_strLog.c_str());
    }
    void TearDown() override
    {
        device->Release();
        platform::DestroyRetiredWindows();
        platform::ResetMessageQueue();
    }
    std::pair<int, int> IconSize() const
    {
        int w = -1, h = -1;
        EXPECT_TRUE(platform::GetWindowIconSize(device->GetWindow(), &w, &h));
        return {w, h};
    }

    TempFolder m_folder{"cx_icon"};
    std::string m_strLog;
    CXGfxDevice* device = nullptr;
};

TEST_F(CoreIconTest, TheIconIsSetAtStartAndReplacedAtOnce)
{
    const std::string first = m_folder.Slashed() + "icon32.png";
    device->System_SetState(GFX_STATE_ICON, first.c_str());
    EXPECT_STREQ(reinterpret_cast<const char*>(device->System_GetState(GFX_STATE_ICON)),
                 first.c_str());
    ASSERT_TRUE(device->System_Initiate(0)) << device->System_GetErrorMessage();
    EXPECT_EQ(IconSize(), std::make_pair(32, 32));

    device->System_SetState(GFX_STATE_ICON, (m_folder.Slashed() + "icon16.png").c_str());
    EXPECT_EQ(IconSize(), std::make_pair(16, 8));

    // A missing image keeps the icon the window has and says so in the log.
    const std::string missing = m_folder.Slashed() + "none.png";
    device->System_SetState(GFX_STATE_ICON, missing.c_str());
    EXPECT_EQ(IconSize(), std::make_pair(16, 8));
    EXPECT_NE(ReadText(m_strLog).find("Can't set window icon: " + missing), std::string::npos);
    device->System_Shutdown();
}

TEST_F(CoreIconTest, WithoutAnIconTheWindowKeepsTheDesktopDefault)
{
    EXPECT_EQ(device->System_GetState(GFX_STATE_ICON), 0);
    ASSERT_TRUE(device->System_Initiate(0)) << device->System_GetErrorMessage();
    EXPECT_EQ(IconSize(), std::make_pair(0, 0));
    device->System_Shutdown();
}

namespace {

std::vector<std::vector<std::string>> g_Launched;
bool RecordLaunch(const std::vector<std::string>& argv)
{
    g_Launched.push_back(argv);
    return true;
}

}  // namespace

TEST(CoreLaunch, FilesGoToTheDesktopOpenerAsTheyAre)
{
    CXGfxDevice* device = CreateGfxDevice(16);
    ASSERT_NE(device, nullptr);
    g_Launched.clear();
    platform::SetLaunchSpawner(&RecordLaunch);
    EXPECT_TRUE(device->System_Launch("http://127.0.0.1/event.html?a=1&b=2"));
    EXPECT_FALSE(device->System_Launch(nullptr));
    EXPECT_FALSE(device->System_Launch(""));
    platform::SetLaunchSpawner(nullptr);
    device->Release();
    const std::vector<std::vector<std::string>> expected = {
        {"xdg-open", "http://127.0.0.1/event.html?a=1&b=2"}};
    EXPECT_EQ(g_Launched, expected);
}
