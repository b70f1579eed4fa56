#pragma once
// The switch between a framed window and a borderless full-screen window over the process-wide
// window state; a switch lays the main window out again.

#include <cstdint>

#include "AppWindow.h"

// Window styles of the two modes.
constexpr uint32_t kFullScreenStyle = WS_VISIBLE;
constexpr uint32_t kFullScreenExStyle = WS_EX_APPWINDOW | WS_EX_TOPMOST;
constexpr uint32_t kFramedStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr uint32_t kFramedExStyle =
    WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOPMOST;

// Applies g_bFullScreen to the engine window: full screen covers the whole screen, framed returns
// to g_rcWindow.
void ApplyWindowMode();
// Flips the mode (saving the window rectangle first when framed and asked to), applies it and lays
// out the caption bar again.
void ToggleWindowMode(bool saveRect);
// Stores the engine window's rectangle in g_rcWindow.
void SaveWindowRect();
