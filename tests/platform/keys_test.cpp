// The key layout: scancodes to virtual keys, and the characters keys make under modifiers.

#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <cstring>
#include <string>

#include "platform/keys.h"

namespace {

enum Mods : unsigned { kNone = 0, kShift = 1, kCtrl = 2, kCaps = 4, kNum = 8 };

// The character ToAscii gives, or "" for none.
std::string CharOf(int vk, unsigned mods)
{
    uint8_t state[256] = {};
    if (mods & kShift)
        state[VK_SHIFT] = 0x80;
    if (mods & kCtrl)
        state[VK_CONTROL] = 0x80;
    if (mods & kCaps)
        state[VK_CAPITAL] = 0x01;
    if (mods & kNum)
        state[VK_NUMLOCK] = 0x01;
    char c = 0;
    return platform::ToAscii(vk, 0, state, &c) == 1 ? std::string(1, c) : std::string();
}

}  // namespace

TEST(KeysTest, PunctuationKeysMapToTheirVirtualKeysAndCharacters)
{
    struct Case {
        SDL_Scancode scancode;
        int vk;
        const char* plain;
        const char* shifted;
    };
    const Case cases[] = {
        {SDL_SCANCODE_SEMICOLON, 186, ";", ":"},   {SDL_SCANCODE_EQUALS, 187, "=", "+"},
        {SDL_SCANCODE_COMMA, 188, ",", "<"},       {SDL_SCANCODE_MINUS, 189, "-", "_"},
        {SDL_SCANCODE_PERIOD, 190, ".", ">"},      {SDL_SCANCODE_SLASH, 191, "/", "?"},
        {SDL_SCANCODE_GRAVE, 192, "`", "~"},       {SDL_SCANCODE_LEFTBRACKET, 219, "[", "{"},
        {SDL_SCANCODE_BACKSLASH, 220, "\\", "|"},  {SDL_SCANCODE_RIGHTBRACKET, 221, "]", "}"},
        {SDL_SCANCODE_APOSTROPHE, 222, "'", "\""}, {SDL_SCANCODE_SPACE, 32, " ", " "},
        {SDL_SCANCODE_2, '2', "2", "@"},           {SDL_SCANCODE_0, '0', "0", ")"},
        {SDL_SCANCODE_KP_MULTIPLY, 106, "*", "*"}, {SDL_SCANCODE_KP_PLUS, 107, "+", "+"},
        {SDL_SCANCODE_KP_MINUS, 109, "-", "-"},    {SDL_SCANCODE_KP_DIVIDE, 111, "/", "/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::VirtualKeyFromScancode(c.scancode), c.vk)
            << SDL_GetScancodeName(c.scancode);
        EXPECT_EQ(CharOf(c.vk, kNone), c.plain) << c.vk;
        EXPECT_EQ(CharOf(c.vk, kShift), c.shifted) << c.vk;
        EXPECT_EQ(CharOf(c.vk, kCtrl), "") << c.vk << " with Ctrl";
    }
}

TEST(KeysTest, ScancodesOfOtherKeys)
{
    struct Case {
        SDL_Scancode scancode;
        int vk;
    };
    const Case cases[] = {
        {SDL_SCANCODE_A, 'A'},
        {SDL_SCANCODE_Z, 'Z'},
        {SDL_SCANCODE_F1, VK_F1},
        {SDL_SCANCODE_F12, VK_F12},
        {SDL_SCANCODE_KP_0, VK_NUMPAD0},
        {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9},
        {SDL_SCANCODE_KP_ENTER, VK_RETURN},
        {SDL_SCANCODE_RETURN, VK_RETURN},
        {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
        {SDL_SCANCODE_RALT, VK_RMENU},
        {SDL_SCANCODE_LANG1, VK_HANGUL},
        {SDL_SCANCODE_LANG2, VK_HANJA},
        {SDL_SCANCODE_PRINTSCREEN, 0x2C},
        {SDL_SCANCODE_APPLICATION, 93},
        {SDL_SCANCODE_LGUI, 91},
        {SDL_SCANCODE_RGUI, 92},
        {SDL_SCANCODE_KP_PERIOD, 110},
        {SDL_SCANCODE_UNKNOWN, 0},
        {SDL_SCANCODE_F13, 0},
        {SDL_SCANCODE_MUTE, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::VirtualKeyFromScancode(c.scancode), c.vk)
            << SDL_GetScancodeName(c.scancode);
}

TEST(KeysTest, ToAsciiFollowsShiftCapsCtrlAndNumLock)
{
    struct Case {
        int vk;
        unsigned mods;
        const char* expected;
    };
    const Case cases[] = {
        {'A', kNone, "a"},
        {'A', kShift, "A"},
        {'A', kCaps, "A"},
        {'A', kShift | kCaps, "a"},
        {'A', kCtrl, "\x01"},
        {'Z', kCtrl | kShift, "\x1a"},
        {'5', kShift, "%"},
        {'5', kCtrl, ""},
        {VK_RETURN, kCtrl, "\r"},
        {VK_BACK, kShift, "\b"},
        {VK_TAB, kNone, "\t"},
        {VK_ESCAPE, kCtrl, "\x1b"},
        {VK_NUMPAD0 + 7, kNone, ""},
        {VK_NUMPAD0 + 7, kNum, "7"},
        {VK_NUMPAD0 + 7, kNum | kShift, "7"},
        {110, kNone, ""},
        {110, kNum, "."},
        {VK_F1, kNone, ""},
        {VK_LEFT, kShift, ""},
        {VK_DELETE, kNone, ""},
        {VK_SHIFT, kShift, ""},
        {7, kNone, ""},
        {300, kNone, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharOf(c.vk, c.mods), c.expected) << "vk " << c.vk << " mods " << c.mods;
}
