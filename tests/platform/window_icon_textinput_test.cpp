// The window icon and the text input (input method) switch of the window layer, on real windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window_sdl.h"

namespace {

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

class WindowIconTextInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WindowCreateInfo info;
        info.title = "icon";
        info.style = WS_POPUP | WS_CAPTION;  // hidden
        info.width = 120;
        info.height = 90;
        info.proc = &PlainProc;
        top = platform::CreateWindow(info);
        ASSERT_NE(top, nullptr) << platform::GetLastWindowError();
        WindowCreateInfo childInfo;
        childInfo.style = WS_CHILD | WS_VISIBLE;
        childInfo.width = 120;
        childInfo.height = 90;
        childInfo.proc = &PlainProc;
        childInfo.parent = top;
        child = platform::CreateWindow(childInfo);
        ASSERT_NE(child, nullptr) << platform::GetLastWindowError();
    }
    void TearDown() override
    {
        platform::StopTextInput();
        platform::DestroyWindow(top);
        platform::DestroyRetiredWindows();
        platform::ResetMessageQueue();
    }
    HWND top = nullptr;
    HWND child = nullptr;
};

}  // namespace

TEST_F(WindowIconTextInputTest, IconsAreSetOnTheWindowThatShowsThem)
{
    const std::vector<uint32_t> pixels(16 * 8, 0xFF00FF00);
    int w = -1, h = -1;
    ASSERT_TRUE(platform::GetWindowIconSize(top, &w, &h));
    EXPECT_EQ(w, 0) << "the desktop's default icon until one is set";
    ASSERT_TRUE(platform::SetWindowIcon(top, 16, 8, pixels.data()));
    ASSERT_TRUE(platform::GetWindowIconSize(top, &w, &h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    // A hosted window's icon goes to the window that holds it.
    EXPECT_TRUE(platform::SetWindowIcon(child, 4, 4, pixels.data()));
    EXPECT_EQ(platform::GetHostSdlWindow(child), platform::GetSdlWindow(top));

    struct Bad {
        const char* name;
        HWND hwnd;
        int w, h;
        const uint32_t* px;
    };
    int notAWindow = 0;
    const Bad bad[] = {
        {"no pixels", top, 16, 8, nullptr},
        {"empty", top, 0, 8, pixels.data()},
        {"negative", top, 16, -1, pixels.data()},
        {"unknown window", reinterpret_cast<HWND>(&notAWindow), 16, 8, pixels.data()},
    };
    for (const Bad& b : bad)
        EXPECT_FALSE(platform::SetWindowIcon(b.hwnd, b.w, b.h, b.px)) << b.name;
    ASSERT_TRUE(platform::GetWindowIconSize(top, &w, &h));
    EXPECT_EQ(w, 16) << "a refused icon leaves the one set before";
}

TEST_F(WindowIconTextInputTest, TextInputNeedsAWindowOnTheDisplay)
{
    EXPECT_FALSE(platform::StartTextInput(nullptr));
    EXPECT_STRNE(platform::GetLastWindowError(), "");
    ASSERT_TRUE(platform::StartTextInput(child)) << platform::GetLastWindowError();
    EXPECT_TRUE(platform::IsTextInputActive());
    platform::StopTextInput();
    EXPECT_FALSE(platform::IsTextInputActive());
}

TEST(WindowCreateFailure, TheReasonIsKept)
{
    WindowCreateInfo info;
    EXPECT_EQ(platform::CreateWindow(info), nullptr);
    EXPECT_STREQ(platform::GetLastWindowError(), "no window procedure");
    info.proc = &PlainProc;
    info.parent = reinterpret_cast<HWND>(&info);
    EXPECT_EQ(platform::CreateWindow(info), nullptr);
    EXPECT_STREQ(platform::GetLastWindowError(), "the parent window does not exist");
}
