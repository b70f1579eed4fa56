// Window and messages over SDL2.
// Stands in for: RegisterClass/CreateWindowEx/DestroyWindow, window procedures and subclassing
//   (SetWindowLong GWL_WNDPROC, CallWindowProc, DefWindowProc), PeekMessage/TranslateMessage/
//   DispatchMessage, SendMessage/PostMessage/PostQuitMessage, SetWindowLong GWL_STYLE/GWL_EXSTYLE,
//   MoveWindow, GetWindowRect/GetClientRect, ClientToScreen/ScreenToClient, SetWindowText,
//   ShowWindow/UpdateWindow, SetFocus/GetFocus, SetCapture/ReleaseCapture, ShowCursor (display
//   counter), SetCursor/LoadCursor(IDC_ARROW), SetCursorPos/GetCursorPos, GetAsyncKeyState,
//   GetKeyboardState, GetSystemMetrics (screen size and frame sizes), IME composition
//   messages from SDL text input (CP949), the input method's context (text input on and off),
//   the window class icon (LoadIcon / WM_SETICON, from pixels).
// Not here: virtual-key codes and ToAscii (keys.h), edit controls (line_editor.h builds on child
//   windows of this file), IME conversion status, window classes as separate objects (the
//   procedure is given at creation), non-client painting.
//
// One top-level window is backed by an SDL window; child windows are plain message targets with
// their own procedure (hidden controls that receive keyboard messages while they hold the focus).
// Everything here runs on the UI thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/keys.h"

struct PlatformWindow;
struct PlatformCursor;

using HWND = PlatformWindow*;
using HCURSOR = PlatformCursor*;
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct POINT {
    int32_t x = 0, y = 0;
};
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Message ids (the numeric values the rest of the program compares against).
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ACTIVATEAPP = 0x001C;
constexpr UINT WM_SETCURSOR = 0x0020;
constexpr UINT WM_SETFONT = 0x0030;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_SYSCHAR = 0x0106;
constexpr UINT WM_IME_STARTCOMPOSITION = 0x010D;
constexpr UINT WM_IME_ENDCOMPOSITION = 0x010E;
constexpr UINT WM_IME_COMPOSITION = 0x010F;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr UINT WM_SIZING = 0x0214;
constexpr UINT WM_MOVING = 0x0216;
constexpr UINT WM_USER = 0x0400;

// WM_SYSCOMMAND commands.
constexpr WPARAM SC_MINIMIZE = 0xF020;
constexpr WPARAM SC_MAXIMIZE = 0xF030;
constexpr WPARAM SC_CLOSE = 0xF060;
constexpr WPARAM SC_RESTORE = 0xF120;

// WM_SIZE kinds.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;
constexpr WPARAM SIZE_MAXIMIZED = 2;

// Mouse-message key flags (wParam).
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;

// WM_IME_COMPOSITION lParam flags.
constexpr LPARAM GCS_COMPSTR = 0x0008;
constexpr LPARAM GCS_RESULTSTR = 0x0800;

// Window styles.
constexpr uint32_t WS_POPUP = 0x80000000u;
constexpr uint32_t WS_CHILD = 0x40000000u;
constexpr uint32_t WS_VISIBLE = 0x10000000u;
constexpr uint32_t WS_CAPTION = 0x00C00000u;
constexpr uint32_t WS_SYSMENU = 0x00080000u;
constexpr uint32_t WS_THICKFRAME = 0x00040000u;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000u;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008u;
constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100u;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200u;
constexpr uint32_t WS_EX_APPWINDOW = 0x00040000u;

// System metrics understood by platform::GetSystemMetrics.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;

constexpr uint16_t LOWORD(uintptr_t v)
{
    return static_cast<uint16_t>(v & 0xFFFF);
}
constexpr uint16_t HIWORD(uintptr_t v)
{
    return static_cast<uint16_t>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int lo, int hi)
{
    return static_cast<LPARAM>(static_cast<uint32_t>((static_cast<uint32_t>(lo) & 0xFFFF) |
                                                     (static_cast<uint32_t>(hi) << 16)));
}
// Signed coordinates packed in a message parameter.
constexpr int GET_X_LPARAM(LPARAM l)
{
    return static_cast<int16_t>(l & 0xFFFF);
}
constexpr int GET_Y_LPARAM(LPARAM l)
{
    return static_cast<int16_t>((l >> 16) & 0xFFFF);
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w)
{
    return static_cast<int16_t>((w >> 16) & 0xFFFF);
}
constexpr int WHEEL_DELTA = 120;

struct WindowCreateInfo {
    std::string title;  // CP949
    uint32_t style = WS_POPUP | WS_VISIBLE;
    uint32_t exStyle = 0;
    int x = 0, y = 0;  // outer rectangle (frame included), screen coordinates
    int width = 0, height = 0;
    WNDPROC proc = nullptr;  // required
    HWND parent = nullptr;   // a child window is a message target without an SDL window
};

namespace platform {

// Creation sends WM_CREATE; a result of -1 from the procedure fails the creation. On failure
// platform::GetLastWindowError says why (SDL's own reason when the display or the window could not
// be made).
HWND CreateWindow(const WindowCreateInfo& info);
const char* GetLastWindowError();
// Sends WM_DESTROY to the window (children first), then frees it. False for an unknown handle.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);

// Subclassing: returns the previous procedure (null for an unknown handle).
WNDPROC SetWindowProc(HWND hwnd, WNDPROC proc);
WNDPROC GetWindowProc(HWND hwnd);
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Default handling: Alt+F4 -> WM_SYSCOMMAND SC_CLOSE; SC_CLOSE -> WM_CLOSE; WM_CLOSE -> destroy;
// SC_MAXIMIZE -> WM_SIZE (SIZE_MAXIMIZED, desktop size); everything else 0.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Messages. Posted messages are served first-in first-out before input; WM_QUIT comes last.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// Takes the next message (polling SDL when nothing is queued). False when there is none.
bool PeekMessage(MSG* msg, bool remove);
// Posts WM_CHAR for the control characters a key makes (Backspace, Tab, Enter, Esc, Ctrl+letter);
// printable characters come from the text-input events.
void TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
// Drops every queued message and the quit request (used between tests and at shutdown).
void ResetMessageQueue();
// A destroyed top-level window keeps its SDL window (hidden) while a GL context may still be on
// it; this frees those once the graphics device is gone.
void DestroyRetiredWindows();

// Geometry. Rectangles of top-level windows are in screen coordinates, frame included.
// Moving sends WM_MOVE and WM_SIZE synchronously when they change.
bool MoveWindow(HWND hwnd, int x, int y, int width, int height);
bool GetWindowRect(HWND hwnd, RECT* rect);
bool GetClientRect(HWND hwnd, RECT* rect);
bool ClientToScreen(HWND hwnd, POINT* point);
bool ScreenToClient(HWND hwnd, POINT* point);
// Outer rectangle for a client rectangle under the given styles.
void AdjustWindowRect(RECT* rect, uint32_t style, uint32_t exStyle);
// A caption gives a border; WS_EX_TOPMOST keeps the window above others; WS_VISIBLE shows it.
// Both keep the client rectangle where it was.
uint32_t SetWindowStyle(HWND hwnd, uint32_t style);
uint32_t SetWindowExStyle(HWND hwnd, uint32_t exStyle);
uint32_t GetWindowStyle(HWND hwnd);
uint32_t GetWindowExStyle(HWND hwnd);
bool SetWindowTitle(HWND hwnd, const char* title);  // CP949
bool ShowWindow(HWND hwnd, bool show);
bool UpdateWindow(HWND hwnd);  // sends WM_PAINT
HWND GetParent(HWND hwnd);
int GetSystemMetrics(int index);

// Focus, capture and activation.
HWND SetFocus(HWND hwnd);  // sends WM_KILLFOCUS / WM_SETFOCUS; returns the previous focus
HWND GetFocus();
HWND SetCapture(HWND hwnd);
bool ReleaseCapture();
HWND GetCapture();
bool SetForegroundWindow(HWND hwnd);

// Cursor.
int ShowCursor(bool show);  // display counter; the cursor shows while it is >= 0
HCURSOR LoadArrowCursor();
HCURSOR SetCursor(HCURSOR cursor);
bool SetCursorPos(int screenX, int screenY);
bool GetCursorPos(POINT* screenPoint);

// Keyboard state, fed by the input that has been pumped.
int16_t GetAsyncKeyState(int vk);           // high bit set while the key is down
void GetKeyboardState(uint8_t state[256]);  // 0x80 down; 0x01 toggled (Caps/Num/Scroll)
// platform::ToAscii (the character of a key under a keyboard state) is in keys.h.

// Window icon from width x height ARGB pixels (top row first), copied; a child's icon goes to the
// top-level window it lies in. platform::GetWindowIconSize reads back the size set (0 x 0: the
// desktop's default icon).
bool SetWindowIcon(HWND hwnd, int width, int height, const uint32_t* argb);
bool GetWindowIconSize(HWND hwnd, int* width, int* height);

// Text input (the desktop's input method): while it is on, typed text arrives as WM_CHAR and the
// input method's composition as WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (GCS_COMPSTR while it
// changes, GCS_RESULTSTR when committed) and WM_IME_ENDCOMPOSITION. Starting needs a window on the
// display; false otherwise, with the reason in platform::GetLastWindowError. Stopping drops any
// composition.
bool StartTextInput(HWND hwnd);
void StopTextInput();
bool IsTextInputActive();
// IME: the composition in progress as CP949 text (empty outside a composition).
std::string GetCompositionText();
bool IsComposing();

}  // namespace platform
