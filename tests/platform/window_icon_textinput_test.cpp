// The window icon and the text input (input method) switch of the window layer, on real windows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/window_sdl.h"

namespace {

LRESULT PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Window_DefProc(hwnd, msg, wParam, lParam);
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
        top = Window_Create(info);
        ASSERT_NE(top, nullptr) << Window_LastError();
        WindowCreateInfo childInfo;
        childInfo.style = WS_CHILD | WS_VISIBLE;
        childInfo.width = 120;
        childInfo.height = 90;
        childInfo.proc = &PlainProc;
        childInfo.parent = top;
        child = Window_Create(childInfo);
        ASSERT_NE(child, nullptr) << Window_LastError();
    }
    void TearDown() override
    {
        Window_StopTextInput();
        Window_Destroy(top);
        Window_DestroyRetired();
        Window_ResetQueue();
    }
    HWND top = nullptr;
    HWND child = nullptr;
};

}  // namespace

TEST_F(WindowIconTextInputTest, IconsAreSetOnTheWindowThatShowsThem)
{
    const std::vector<uint32_t> pixels(16 * 8, 0xFF00FF00);
    int w = -1, h = -1;
    ASSERT_TRUE(Window_GetIconSize(top, &w, &h));
    EXPECT_EQ(w, 0) << "the desktop's default icon until one is set";
    ASSERT_TRUE(Window_SetIcon(top, 16, 8, pixels.data()));
    ASSERT_TRUE(Window_GetIconSize(top, &w, &h));
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 8);
    // A hosted window's icon goes to the window that holds it.
    EXPECT_TRUE(Window_SetIcon(child, 4, 4, pixels.data()));
    EXPECT_EQ(Window_GetHostSDLWindow(child), Window_GetSDLWindow(top));

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
        EXPECT_FALSE(Window_SetIcon(b.hwnd, b.w, b.h, b.px)) << b.name;
    ASSERT_TRUE(Window_GetIconSize(top, &w, &h));
    EXPECT_EQ(w, 16) << "a refused icon leaves the one set before";
}

TEST_F(WindowIconTextInputTest, TextInputNeedsAWindowOnTheDisplay)
{
    EXPECT_FALSE(Window_StartTextInput(nullptr));
    EXPECT_STRNE(Window_LastError(), "");
    ASSERT_TRUE(Window_StartTextInput(child)) << Window_LastError();
    EXPECT_TRUE(Window_IsTextInputActive());
    Window_StopTextInput();
    EXPECT_FALSE(Window_IsTextInputActive());
}

TEST(WindowCreateFailure, TheReasonIsKept)
{
    WindowCreateInfo info;
    EXPECT_EQ(Window_Create(info), nullptr);
    EXPECT_STREQ(Window_LastError(), "no window procedure");
    info.proc = &PlainProc;
    info.parent = reinterpret_cast<HWND>(&info);
    EXPECT_EQ(Window_Create(info), nullptr);
    EXPECT_STREQ(Window_LastError(), "the parent window does not exist");
}
