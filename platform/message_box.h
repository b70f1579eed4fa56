// The native message box.
// Stands in for: MessageBoxA with an OK button (MB_OK; other button sets show OK too).
// Not here: icons, default-button and modality flags; the result is always IDOK.
#pragma once

#include <cstdint>

#include "platform/window.h"

constexpr uint32_t MB_OK = 0x00000000;
constexpr int IDOK = 1;

namespace platform {

// Writes the caption and text (CP949) to stderr, then shows them in a modal box over the owner
// (or alone) and waits for it to be closed. Without a display that can show it, it returns at once.
int MessageBox(HWND owner, const char* text, const char* caption, uint32_t type);

// Replaces the on-screen box (null restores it): tests see the texts instead of a window that
// waits for a click. The stderr line is written either way.
using MessageBoxHook = int (*)(const char* text, const char* caption, uint32_t type);
void SetMessageBoxHook(MessageBoxHook hook);

}  // namespace platform
