// IME composition messages from SDL text editing and text input, in CP949.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/window_sdl.h"

namespace {

std::vector<MSG> g_Received;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_IME_STARTCOMPOSITION || msg == WM_IME_COMPOSITION ||
        msg == WM_IME_ENDCOMPOSITION || msg == WM_CHAR)
        g_Received.push_back(MSG{hwnd, msg, wParam, lParam});
    return platform::DefWindowProc(hwnd, msg, wParam, lParam);
}

// UTF-8 of U+D55C and U+AE00; their CP949 codes are C7D1 and B1DB.
const char* const kHanUtf8 = "\xED\x95\x9C";
const char* const kHanGeulUtf8 = "\xED\x95\x9C\xEA\xB8\x80";

class WindowImeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::ResetMessageQueue();
        WindowCreateInfo info;
        info.title = "ime";
        info.style = WS_POPUP | WS_CAPTION;  // hidden
        info.width = 100;
        info.height = 100;
        info.proc = &RecordingProc;
        hwnd = platform::CreateWindow(info);
        ASSERT_NE(hwnd, nullptr);
        windowId = SDL_GetWindowID(platform::GetSdlWindow(hwnd));
        Drain();
        g_Received.clear();
    }
    void TearDown() override
    {
        platform::DestroyWindow(hwnd);
        platform::DestroyRetiredWindows();
        platform::ResetMessageQueue();
    }
    void Drain()
    {
        MSG m;
        while (platform::PeekMessage(&m, true) && m.message != WM_QUIT)
            platform::DispatchMessage(&m);
    }
    void Editing(const char* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTEDITING;
        e.edit.windowID = windowId;
        std::strncpy(e.edit.text, utf8, sizeof e.edit.text - 1);
        platform::HandleSdlEvent(e);
    }
    void Input(const char* utf8)
    {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = windowId;
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        platform::HandleSdlEvent(e);
    }

    HWND hwnd = nullptr;
    uint32_t windowId = 0;
};

struct Expected {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

void ExpectMessages(const std::vector<Expected>& expected)
{
    ASSERT_EQ(g_Received.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(g_Received[i].message, expected[i].message) << "message " << i;
        EXPECT_EQ(g_Received[i].wParam, expected[i].wParam) << "message " << i;
        EXPECT_EQ(g_Received[i].lParam, expected[i].lParam) << "message " << i;
    }
}

}  // namespace

TEST_F(WindowImeTest, CompositionStartsOnceUpdatesAndEndsWithTheResultAndItsBytes)
{
    Editing(kHanUtf8);
    Editing(kHanGeulUtf8);  // an update shows the first character of the composition
    EXPECT_EQ(platform::GetCompositionText(), "\xC7\xD1\xB1\xDB");
    Input(kHanUtf8);
    EXPECT_EQ(platform::GetCompositionText(), "");
    Drain();
    ExpectMessages({
        {WM_IME_STARTCOMPOSITION, 0, 0},
        {WM_IME_COMPOSITION, 0xC7D1, GCS_COMPSTR},
        {WM_IME_COMPOSITION, 0xC7D1, GCS_COMPSTR},
        {WM_IME_COMPOSITION, 0xC7D1, GCS_RESULTSTR},
        {WM_IME_ENDCOMPOSITION, 0, 0},
        {WM_CHAR, 0xC7, 1},
        {WM_CHAR, 0xD1, 1},
    });
}

TEST_F(WindowImeTest, AnEmptyEditEndsTheCompositionWithNoResult)
{
    Editing(kHanUtf8);
    Editing("");
    Editing("");  // nothing more outside a composition
    Drain();
    ExpectMessages({
        {WM_IME_STARTCOMPOSITION, 0, 0},
        {WM_IME_COMPOSITION, 0xC7D1, GCS_COMPSTR},
        {WM_IME_COMPOSITION, 0, GCS_COMPSTR},
        {WM_IME_ENDCOMPOSITION, 0, 0},
    });
}

TEST_F(WindowImeTest, TextOutsideACompositionIsOnlyCharacters)
{
    Input("a;");
    Drain();
    ExpectMessages({{WM_CHAR, 'a', 1}, {WM_CHAR, ';', 1}});
}
