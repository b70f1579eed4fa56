#pragma once
// Process-wide window state that the screens, the decks and the shell read: the engine window, the
// window mode, the drawable and virtual sizes, and the program's own folder. The switch between
// the two modes is the screens' (WindowMode.h).

#include <cstdint>

#include "platform/window.h"

extern HWND g_hWndMain;
extern bool g_bFullScreen;
extern RECT g_rcWindow;  // last framed window rectangle
extern int32_t g_nVirtualWidth;
extern int32_t g_nVirtualHeight;
extern int32_t g_nBackBufferWidth;
extern int32_t g_nBackBufferHeight;
extern float g_fLayoutScaleX;
extern float g_fLayoutScaleY;
// Running sum of every frame's delta in seconds.
extern double g_dTotalTime;

// The program's own folder with its trailing '/'.
const char* ModuleDir();
// The folder followed by the file name, in one of 32 buffers used in rotation, so up to 32 such
// texts stay valid at once.
const char* ModuleFilePath(const char* name);
