// Keyboard layout over SDL2 scancodes: one table from physical key to virtual key and characters.

#include "platform/keys.h"

#include <SDL2/SDL.h>

#include <array>

namespace {

struct KeyMapping {
    SDL_Scancode scancode;
    int vk;
    char plain;  // 0: the key makes no character
    char shifted;
};

// US layout. A virtual key reached from two keys (Enter) takes its characters from the first row.
constexpr auto kKeys = std::to_array<KeyMapping>({
    {SDL_SCANCODE_A, 'A', 'a', 'A'},
    {SDL_SCANCODE_B, 'B', 'b', 'B'},
    {SDL_SCANCODE_C, 'C', 'c', 'C'},
    {SDL_SCANCODE_D, 'D', 'd', 'D'},
    {SDL_SCANCODE_E, 'E', 'e', 'E'},
    {SDL_SCANCODE_F, 'F', 'f', 'F'},
    {SDL_SCANCODE_G, 'G', 'g', 'G'},
    {SDL_SCANCODE_H, 'H', 'h', 'H'},
    {SDL_SCANCODE_I, 'I', 'i', 'I'},
    {SDL_SCANCODE_J, 'J', 'j', 'J'},
    {SDL_SCANCODE_K, 'K', 'k', 'K'},
    {SDL_SCANCODE_L, 'L', 'l', 'L'},
    {SDL_SCANCODE_M, 'M', 'm', 'M'},
    {SDL_SCANCODE_N, 'N', 'n', 'N'},
    {SDL_SCANCODE_O, 'O', 'o', 'O'},
    {SDL_SCANCODE_P, 'P', 'p', 'P'},
    {SDL_SCANCODE_Q, 'Q', 'q', 'Q'},
    {SDL_SCANCODE_R, 'R', 'r', 'R'},
    {SDL_SCANCODE_S, 'S', 's', 'S'},
    {SDL_SCANCODE_T, 'T', 't', 'T'},
    {SDL_SCANCODE_U, 'U', 'u', 'U'},
    {SDL_SCANCODE_V, 'V', 'v', 'V'},
    {SDL_SCANCODE_W, 'W', 'w', 'W'},
    {SDL_SCANCODE_X, 'X', 'x', 'X'},
    {SDL_SCANCODE_Y, 'Y', 'y', 'Y'},
    {SDL_SCANCODE_Z, 'Z', 'z', 'Z'},

    {SDL_SCANCODE_1, '1', '1', '!'},
    {SDL_SCANCODE_2, '2', '2', '@'},
    {SDL_SCANCODE_3, '3', '3', '#'},
    {SDL_SCANCODE_4, '4', '4', '$'},
    {SDL_SCANCODE_5, '5', '5', '%'},
    {SDL_SCANCODE_6, '6', '6', '^'},
    {SDL_SCANCODE_7, '7', '7', '&'},
    {SDL_SCANCODE_8, '8', '8', '*'},
    {SDL_SCANCODE_9, '9', '9', '('},
    {SDL_SCANCODE_0, '0', '0', ')'},

    {SDL_SCANCODE_RETURN, VK_RETURN, '\r', '\r'},
    {SDL_SCANCODE_ESCAPE, VK_ESCAPE, '\x1b', '\x1b'},
    {SDL_SCANCODE_BACKSPACE, VK_BACK, '\b', '\b'},
    {SDL_SCANCODE_TAB, VK_TAB, '\t', '\t'},
    {SDL_SCANCODE_SPACE, VK_SPACE, ' ', ' '},

    {SDL_SCANCODE_MINUS, VK_OEM_MINUS, '-', '_'},
    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS, '=', '+'},
    {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4, '[', '{'},
    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6, ']', '}'},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5, '\\', '|'},
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1, ';', ':'},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7, '\'', '"'},
    {SDL_SCANCODE_GRAVE, VK_OEM_3, '`', '~'},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA, ',', '<'},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD, '.', '>'},
    {SDL_SCANCODE_SLASH, VK_OEM_2, '/', '?'},

    {SDL_SCANCODE_F1, VK_F1, 0, 0},
    {SDL_SCANCODE_F2, VK_F1 + 1, 0, 0},
    {SDL_SCANCODE_F3, VK_F1 + 2, 0, 0},
    {SDL_SCANCODE_F4, VK_F4, 0, 0},
    {SDL_SCANCODE_F5, VK_F1 + 4, 0, 0},
    {SDL_SCANCODE_F6, VK_F1 + 5, 0, 0},
    {SDL_SCANCODE_F7, VK_F1 + 6, 0, 0},
    {SDL_SCANCODE_F8, VK_F1 + 7, 0, 0},
    {SDL_SCANCODE_F9, VK_F1 + 8, 0, 0},
    {SDL_SCANCODE_F10, VK_F10, 0, 0},
    {SDL_SCANCODE_F11, VK_F1 + 10, 0, 0},
    {SDL_SCANCODE_F12, VK_F12, 0, 0},

    {SDL_SCANCODE_CAPSLOCK, VK_CAPITAL, 0, 0},
    {SDL_SCANCODE_PRINTSCREEN, VK_SNAPSHOT, 0, 0},
    {SDL_SCANCODE_SCROLLLOCK, VK_SCROLL, 0, 0},
    {SDL_SCANCODE_PAUSE, VK_PAUSE, 0, 0},
    {SDL_SCANCODE_INSERT, VK_INSERT, 0, 0},
    {SDL_SCANCODE_HOME, VK_HOME, 0, 0},
    {SDL_SCANCODE_PAGEUP, VK_PRIOR, 0, 0},
    {SDL_SCANCODE_DELETE, VK_DELETE, 0, 0},
    {SDL_SCANCODE_END, VK_END, 0, 0},
    {SDL_SCANCODE_PAGEDOWN, VK_NEXT, 0, 0},
    {SDL_SCANCODE_RIGHT, VK_RIGHT, 0, 0},
    {SDL_SCANCODE_LEFT, VK_LEFT, 0, 0},
    {SDL_SCANCODE_DOWN, VK_DOWN, 0, 0},
    {SDL_SCANCODE_UP, VK_UP, 0, 0},

    {SDL_SCANCODE_NUMLOCKCLEAR, VK_NUMLOCK, 0, 0},
    {SDL_SCANCODE_KP_DIVIDE, VK_DIVIDE, '/', '/'},
    {SDL_SCANCODE_KP_MULTIPLY, VK_MULTIPLY, '*', '*'},
    {SDL_SCANCODE_KP_MINUS, VK_SUBTRACT, '-', '-'},
    {SDL_SCANCODE_KP_PLUS, VK_ADD, '+', '+'},
    {SDL_SCANCODE_KP_ENTER, VK_RETURN, '\r', '\r'},
    {SDL_SCANCODE_KP_0, VK_NUMPAD0, '0', '0'},
    {SDL_SCANCODE_KP_1, VK_NUMPAD0 + 1, '1', '1'},
    {SDL_SCANCODE_KP_2, VK_NUMPAD0 + 2, '2', '2'},
    {SDL_SCANCODE_KP_3, VK_NUMPAD0 + 3, '3', '3'},
    {SDL_SCANCODE_KP_4, VK_NUMPAD0 + 4, '4', '4'},
    {SDL_SCANCODE_KP_5, VK_NUMPAD0 + 5, '5', '5'},
    {SDL_SCANCODE_KP_6, VK_NUMPAD0 + 6, '6', '6'},
    {SDL_SCANCODE_KP_7, VK_NUMPAD0 + 7, '7', '7'},
    {SDL_SCANCODE_KP_8, VK_NUMPAD0 + 8, '8', '8'},
    {SDL_SCANCODE_KP_9, VK_NUMPAD0 + 9, '9', '9'},
    {SDL_SCANCODE_KP_PERIOD, VK_DECIMAL, '.', '.'},

    {SDL_SCANCODE_APPLICATION, VK_APPS, 0, 0},
    {SDL_SCANCODE_LCTRL, VK_LCONTROL, 0, 0},
    {SDL_SCANCODE_RCTRL, VK_RCONTROL, 0, 0},
    {SDL_SCANCODE_LSHIFT, VK_LSHIFT, 0, 0},
    {SDL_SCANCODE_RSHIFT, VK_RSHIFT, 0, 0},
    {SDL_SCANCODE_LALT, VK_LMENU, 0, 0},
    {SDL_SCANCODE_RALT, VK_RMENU, 0, 0},
    {SDL_SCANCODE_LGUI, VK_LWIN, 0, 0},
    {SDL_SCANCODE_RGUI, VK_RWIN, 0, 0},
    {SDL_SCANCODE_LANG1, VK_HANGUL, 0, 0},
    {SDL_SCANCODE_LANG2, VK_HANJA, 0, 0},
});

const KeyMapping* FindByVk(int vk)
{
    for (const KeyMapping& key : kKeys)
        if (key.vk == vk)
            return &key;
    return nullptr;
}

bool IsLetter(int vk)
{
    return vk >= 'A' && vk <= 'Z';
}

// Keys whose character does not depend on the modifiers.
bool IsControlKey(int vk)
{
    return vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE;
}

bool NeedsNumLock(int vk)
{
    return (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) || vk == VK_DECIMAL;
}

}  // namespace

int platform::VirtualKeyFromScancode(int scancode)
{
    for (const KeyMapping& key : kKeys)
        if (key.scancode == scancode)
            return key.vk;
    return 0;
}

int platform::ToAscii(int vk, int /*scanCode*/, const uint8_t state[256], char* out)
{
    if (!out || !state || vk < 0 || vk > 255)
        return 0;
    const KeyMapping* key = FindByVk(vk);
    if (!key)
        return 0;
    const bool shift = (state[VK_SHIFT] & 0x80) != 0;
    const bool ctrl = (state[VK_CONTROL] & 0x80) != 0;
    const bool caps = (state[VK_CAPITAL] & 0x01) != 0;
    const bool num = (state[VK_NUMLOCK] & 0x01) != 0;
    char c = 0;
    if (IsLetter(vk))
        c = ctrl ? static_cast<char>(vk - 'A' + 1) : (shift != caps ? key->shifted : key->plain);
    else if (IsControlKey(vk))
        c = key->plain;
    else if (ctrl)
        c = 0;
    else if (NeedsNumLock(vk))
        c = num ? key->plain : 0;
    else
        c = shift ? key->shifted : key->plain;
    if (c == 0)
        return 0;
    *out = c;
    return 1;
}
