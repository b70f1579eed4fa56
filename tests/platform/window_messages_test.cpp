// The message layer fed with synthetic SDL events: queue order, key and mouse encodings, close.

#include <gtest/gtest.h>

#include <vector>

#include "platform/window_sdl.h"

namespace {

std::vector<MSG> g_Seen;
bool g_bVetoClose = false;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_Seen.push_back(MSG{hwnd, msg, wParam, lParam});
    if (msg == WM_CLOSE && g_bVetoClose)
        return 0;
    if (msg == WM_DESTROY)
        platform::PostQuitMessage(0);
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

class WindowMessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::ResetMessageQueue();
        g_Seen.clear();
        g_bVetoClose = false;
        WindowCreateInfo info;
        info.title = "test";
        info.style = WS_POPUP | WS_CAPTION;  // hidden
        info.width = 200;
        info.height = 150;
        info.proc = &RecordingProc;
        hwnd = platform::CreateWindow(info);
        ASSERT_NE(hwnd, nullptr);
        windowId = SDL_GetWindowID(platform::GetSdlWindow(hwnd));
        Drain();
        g_Seen.clear();
    }
    void TearDown() override
    {
        platform::DestroyWindow(hwnd);
        platform::DestroyRetiredWindows();
        platform::ResetMessageQueue();
    }
    // Dispatches every queued message (not polling the display again once the queue is empty).
    std::vector<MSG> Drain()
    {
        std::vector<MSG> out;
        MSG m;
        while (platform::PeekMessage(&m, true)) {
            out.push_back(m);
            if (m.message == WM_QUIT)
                break;
            platform::TranslateMessage(&m);
            platform::DispatchMessage(&m);
        }
        return out;
    }
    void Key(SDL_Scancode sc, bool down, int repeat = 0, uint16_t mod = 0)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = windowId;
        e.key.repeat = static_cast<Uint8>(repeat);
        e.key.keysym.scancode = sc;
        e.key.keysym.mod = mod;
        platform::HandleSdlEvent(e);
    }
    void Click(int clicks, bool down)
    {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.windowID = windowId;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.clicks = static_cast<Uint8>(clicks);
        e.button.x = 12;
        e.button.y = -3;
        platform::HandleSdlEvent(e);
    }

    HWND hwnd = nullptr;
    uint32_t windowId = 0;
};

TEST_F(WindowMessagesTest, PostedMessagesComeFirstInOrderThenInputThenQuit)
{
    Key(SDL_SCANCODE_B, true);
    platform::PostMessage(hwnd, WM_USER + 901, 1, 0);
    platform::PostMessage(hwnd, WM_USER + 902, 2, 0);
    platform::PostQuitMessage(3);
    const std::vector<MSG> got = Drain();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].message, 1925u);
    EXPECT_EQ(got[1].message, 1926u);
    EXPECT_EQ(got[2].message, WM_KEYDOWN);
    EXPECT_EQ(got[2].wParam, static_cast<WPARAM>('B'));
    EXPECT_EQ(got[3].message, WM_QUIT);
    EXPECT_EQ(got[3].wParam, 3u);
}

TEST_F(WindowMessagesTest, HeldKeysCarryThePreviousStateBitAndControlKeysMakeCharacters)
{
    Key(SDL_SCANCODE_RETURN, true);
    Key(SDL_SCANCODE_RETURN, true, 1);
    Key(SDL_SCANCODE_RETURN, false);
    const std::vector<MSG> got = Drain();
    std::vector<MSG> keys;
    for (const MSG& m : g_Seen)
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP || m.message == WM_CHAR)
            keys.push_back(m);
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].message, WM_KEYDOWN);
    EXPECT_EQ(keys[0].lParam & (LPARAM{1} << 30), 0);
    EXPECT_EQ(keys[1].message, WM_CHAR);
    EXPECT_EQ(keys[1].wParam, 13u);
    EXPECT_EQ(keys[2].message, WM_KEYDOWN);
    EXPECT_NE(keys[2].lParam & (LPARAM{1} << 30), 0);
    EXPECT_EQ(keys[4].message, WM_KEYUP);
    EXPECT_EQ(platform::GetAsyncKeyState(VK_RETURN), 0);
}

TEST_F(WindowMessagesTest, ASecondClickIsADoubleClickAndCoordinatesStaySigned)
{
    Click(1, true);
    Click(1, false);
    Click(2, true);
    Click(2, false);
    const std::vector<MSG> got = Drain();
    ASSERT_EQ(got.size(), 4u);
    const UINT expected[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(got[i].message, expected[i]) << "message " << i;
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 12);
    EXPECT_EQ(GET_Y_LPARAM(got[0].lParam), -3);
}

TEST_F(WindowMessagesTest, AltF4ClosesUnlessTheProcedureKeepsTheWindow)
{
    g_bVetoClose = true;
    Key(SDL_SCANCODE_LALT, true);
    Key(SDL_SCANCODE_F4, true);
    std::vector<MSG> got = Drain();
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got[1].message, WM_SYSKEYDOWN);
    EXPECT_EQ(got[1].wParam, static_cast<WPARAM>(VK_F4));
    EXPECT_TRUE(platform::IsWindow(hwnd));
    Key(SDL_SCANCODE_F4, false);
    Drain();

    g_bVetoClose = false;
    Key(SDL_SCANCODE_F4, true);
    got = Drain();
    EXPECT_FALSE(platform::IsWindow(hwnd));
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back().message, WM_QUIT);
}

TEST_F(WindowMessagesTest, MovingReportsTheNewClientSizeAtOnce)
{
    ASSERT_TRUE(platform::MoveWindow(hwnd, 0, 0, 400, 300));
    bool sized = false;
    for (const MSG& m : g_Seen)
        if (m.message == WM_SIZE) {
            sized = true;
            RECT outer{0, 0, 0, 0};
            platform::AdjustWindowRect(&outer, WS_POPUP | WS_CAPTION, 0);
            EXPECT_EQ(LOWORD(m.lParam), 400 - (outer.right - outer.left));
            EXPECT_EQ(HIWORD(m.lParam), 300 - (outer.bottom - outer.top));
        }
    EXPECT_TRUE(sized);
    EXPECT_EQ(platform::ShowCursor(false), -1);
    EXPECT_EQ(platform::ShowCursor(true), 0);
}

}  // namespace
