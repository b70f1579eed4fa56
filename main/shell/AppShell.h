#pragma once
// Process-wide state of the program shell: the engine window, the window mode, the drawable and
// virtual sizes, the program's own folder, and the switch between a framed window and a
// borderless full-screen window.

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

// Window styles of the two modes.
constexpr uint32_t kFullScreenStyle = WS_VISIBLE;
constexpr uint32_t kFullScreenExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
constexpr uint32_t kFramedStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr uint32_t kFramedExStyle = WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOPMOST;

// The program's own folder with its trailing '/'.
const char* ModuleDir();
// The folder followed by the file name, in one of 32 buffers used in rotation, so up to 32 such
// texts stay valid at once.
const char* ModuleFilePath(const char* name);

// Applies g_bFullScreen to the engine window: full screen covers the whole screen, framed returns
// to g_rcWindow.
void ApplyWindowMode();
// Flips the mode (saving the window rectangle first when framed and asked to), applies it and lays
// out the caption bar again.
void ToggleWindowMode(bool saveRect);
// Stores the engine window's rectangle in g_rcWindow.
void SaveWindowRect();
