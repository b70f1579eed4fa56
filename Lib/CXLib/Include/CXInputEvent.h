#pragma once
// One queued keyboard or mouse event, drained by the frame callback through Input_GetEvent.

#include <cstdint>

enum CXInputType : int32_t {
    INPUT_KEYDOWN = 1,
    INPUT_KEYUP = 2,
    INPUT_MBUTTONDOWN = 3,
    INPUT_MBUTTONUP = 4,
    INPUT_MOUSEMOVE = 5,
    INPUT_MOUSEWHEEL = 6,
};

// Mouse buttons in the key field of button events.
constexpr int32_t INPUT_BUTTON_LEFT = 1;
constexpr int32_t INPUT_BUTTON_RIGHT = 2;
constexpr int32_t INPUT_BUTTON_MIDDLE = 4;

// Flags.
constexpr uint32_t INPUT_FLAG_SHIFT = 1;
constexpr uint32_t INPUT_FLAG_CTRL = 2;
constexpr uint32_t INPUT_FLAG_ALT = 4;
constexpr uint32_t INPUT_FLAG_CAPSLOCK = 8;
constexpr uint32_t INPUT_FLAG_SCROLLLOCK = 16;
constexpr uint32_t INPUT_FLAG_NUMLOCK = 32;
constexpr uint32_t INPUT_FLAG_REPEAT = 64;  // key repeat (key down) or double click (button down)

struct CXInputEvent {
    int32_t type = 0;
    int32_t key = 0;  // virtual key (key events), button (button events), else 0
    uint32_t flags = 0;
    int32_t chr = 0;    // character of the key (key events), else 0
    int32_t wheel = 0;  // notches (wheel events), else 0
    float x = 0.0f;     // mouse position in client pixels
    float y = 0.0f;
};

// Names of virtual keys ("?" for codes without one).
const char* CXGetKeyName(int vk);
