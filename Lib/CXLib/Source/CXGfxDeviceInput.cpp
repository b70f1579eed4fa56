// The device window procedure and the input queue it fills: keyboard and mouse messages become
// CXInputEvent records that the frame callback drains; the queue is emptied after every frame.

#include <cstring>

#include "CXGfxDevice.h"

namespace {

constexpr LPARAM kPreviousKeyState = LPARAM{1} << 30;

// The button of a mouse-button message: each button has down, up and double-click messages in a
// row, left, then right, then middle.
int32_t ButtonOf(UINT msg)
{
    static constexpr int32_t buttons[] = {INPUT_BUTTON_LEFT, INPUT_BUTTON_RIGHT,
                                          INPUT_BUTTON_MIDDLE};
    return buttons[(msg - WM_LBUTTONDOWN) / 3];
}

const char* const* KeyNameTable()
{
    static const char* names[256];
    static bool built = false;
    if (built)
        return names;
    for (auto& n : names)
        n = "?";
    struct Named {
        int vk;
        const char* name;
    };
    static const Named fixed[] = {
        {1, "Left Mouse Button"},
        {2, "Right Mouse Button"},
        {4, "Middle Mouse Button"},
        {8, "Backspace"},
        {9, "Tab"},
        {13, "Enter"},
        {16, "Shift"},
        {17, "Ctrl"},
        {18, "Alt"},
        {19, "Pause"},
        {20, "Caps Lock"},
        {27, "Escape"},
        {32, "Space"},
        {33, "Page Up"},
        {34, "Page Down"},
        {35, "End"},
        {36, "Home"},
        {37, "Left Arrow"},
        {38, "Up Arrow"},
        {39, "Right Arrow"},
        {40, "Down Arrow"},
        {45, "Insert"},
        {46, "Delete"},
        {91, "Left Win"},
        {92, "Right Win"},
        {93, "Application"},
        {106, "Multiply"},
        {107, "Add"},
        {109, "Subtract"},
        {110, "Decimal"},
        {111, "Divide"},
        {144, "Num Lock"},
        {145, "Scroll Lock"},
        {186, "Semicolon"},
        {187, "Equals"},
        {188, "Comma"},
        {189, "Minus"},
        {190, "Period"},
        {191, "Slash"},
        {192, "Grave"},
        {219, "Left bracket"},
        {220, "Backslash"},
        {221, "Right bracket"},
        {222, "Apostrophe"},
    };
    for (const auto& f : fixed)
        names[f.vk] = f.name;
    static const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    static const char* const letters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                          "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                          "S", "T", "U", "V", "W", "X", "Y", "Z"};
    static const char* const pad[] = {"NumPad 0", "NumPad 1", "NumPad 2", "NumPad 3", "NumPad 4",
                                      "NumPad 5", "NumPad 6", "NumPad 7", "NumPad 8", "NumPad 9"};
    static const char* const fkeys[] = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                        "F7", "F8", "F9", "F10", "F11", "F12"};
    for (int i = 0; i < 10; ++i) {
        names[48 + i] = digits[i];
        names[96 + i] = pad[i];
    }
    for (int i = 0; i < 26; ++i)
        names[65 + i] = letters[i];
    for (int i = 0; i < 12; ++i)
        names[112 + i] = fkeys[i];
    built = true;
    return names;
}

}  // namespace

const char* CXGetKeyName(int vk)
{
    if (vk < 0 || vk > 255)
        return "?";
    return KeyNameTable()[vk];
}

const char* CXGfxDevice::Input_GetKeyName(int vk) const
{
    return CXGetKeyName(vk);
}

void CXGfxDevice::QueueEvent(int type, int key, int scanCode, uint32_t flags, int x, int y)
{
    auto* node = new EventNode{};
    CXInputEvent& e = node->event;
    e.type = type;
    if (type == INPUT_MOUSEWHEEL) {
        e.key = 0;
        e.wheel = key;
    } else {
        e.key = key;
    }
    uint8_t keys[256];
    platform::GetKeyboardState(keys);
    if (type == INPUT_KEYDOWN || type == INPUT_KEYUP) {
        char c = 0;
        if (platform::ToAscii(key, scanCode, keys, &c) == 1)
            e.chr = static_cast<unsigned char>(c);
    }
    e.flags = flags;
    if (keys[VK_SHIFT] & 0x80)
        e.flags |= INPUT_FLAG_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        e.flags |= INPUT_FLAG_CTRL;
    if (keys[VK_MENU] & 0x80)
        e.flags |= INPUT_FLAG_ALT;
    if (keys[VK_CAPITAL] & 0x01)
        e.flags |= INPUT_FLAG_CAPSLOCK;
    if (keys[VK_SCROLL] & 0x01)
        e.flags |= INPUT_FLAG_SCROLLLOCK;
    if (keys[VK_NUMLOCK] & 0x01)
        e.flags |= INPUT_FLAG_NUMLOCK;
    if (x == -1) {
        e.x = m_fMouseX;
        e.y = m_fMouseY;
    } else {
        e.x = static_cast<float>(x);
        e.y = static_cast<float>(y);
    }
    node->pNext = nullptr;
    if (m_pQueueTail)
        m_pQueueTail->pNext = node;
    else
        m_pQueueHead = node;
    m_pQueueTail = node;

    if (type == INPUT_KEYDOWN || type == INPUT_MBUTTONDOWN) {
        m_nLastKey = e.key;
        m_nLastChar = e.chr;
    } else if (type == INPUT_MOUSEMOVE) {
        m_fMouseX = e.x;
        m_fMouseY = e.y;
    } else if (type == INPUT_MOUSEWHEEL) {
        m_nWheel += e.wheel;
    }
}

void CXGfxDevice::ClearQueue()
{
    while (m_pQueueHead) {
        EventNode* next = m_pQueueHead->pNext;
        delete m_pQueueHead;
        m_pQueueHead = next;
    }
    m_pQueueTail = nullptr;
    m_nLastKey = 0;
    m_nLastChar = 0;
    m_nWheel = 0;
}

bool CXGfxDevice::Input_GetEvent(CXInputEvent* event)
{
    if (!m_pQueueHead || !event)
        return false;
    EventNode* node = m_pQueueHead;
    *event = node->event;
    m_pQueueHead = node->pNext;
    if (!m_pQueueHead)
        m_pQueueTail = nullptr;
    delete node;
    return true;
}

void CXGfxDevice::Input_GetMousePos(float* x, float* y) const
{
    if (x)
        *x = m_fMouseX;
    if (y)
        *y = m_fMouseY;
}

void CXGfxDevice::Input_SetMousePos(float x, float y)
{
    POINT p{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    if (platform::ClientToScreen(m_hWnd, &p))
        platform::SetCursorPos(p.x, p.y);
}

bool CXGfxDevice::Input_GetKeyState(int vk) const
{
    return m_bActive && (platform::GetAsyncKeyState(vk) & 0x8000) != 0;
}

bool CXGfxDevice::CallExitCallback() const
{
    return !m_pExitFunc || m_pExitFunc();
}

LRESULT CXGfxDevice::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!g_pGfxDevice)
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    return g_pGfxDevice->HandleMessage(hwnd, msg, wParam, lParam);
}

LRESULT CXGfxDevice::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const int scan = static_cast<int>((lParam >> 16) & 0xFF);
    switch (msg) {
    case WM_CREATE:
        return 0;
    case WM_DESTROY:
        platform::PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        if (m_hParent && wParam != SIZE_MINIMIZED)
            ResizeHosted(LOWORD(static_cast<uintptr_t>(lParam)),
                         HIWORD(static_cast<uintptr_t>(lParam)));
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        return 0;
    case WM_ACTIVATEAPP:
        if (m_bGraphics)
            m_bActive = wParam == 1;
        return 0;
    case WM_SETCURSOR:
        platform::SetCursor(m_hCursor);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4)) {
            if (CallExitCallback())
                return platform::DefWindowProc(hwnd, msg, wParam, lParam);
            return 0;
        }
        [[fallthrough]];
    case WM_KEYDOWN:
        QueueEvent(INPUT_KEYDOWN, static_cast<int>(wParam), scan,
                   (lParam & kPreviousKeyState) ? INPUT_FLAG_REPEAT : 0, -1, -1);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        QueueEvent(INPUT_KEYUP, static_cast<int>(wParam), scan, 0, -1, -1);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            if (!CallExitCallback())
                return 0;
            m_bActive = false;
        }
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_MOUSEMOVE:
        QueueEvent(INPUT_MOUSEMOVE, 0, 0, 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        platform::SetFocus(hwnd);
        QueueEvent(INPUT_MBUTTONDOWN, ButtonOf(msg), 0, 0, GET_X_LPARAM(lParam),
                   GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        QueueEvent(INPUT_MBUTTONUP, ButtonOf(msg), 0, 0, GET_X_LPARAM(lParam),
                   GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        QueueEvent(INPUT_MBUTTONDOWN, ButtonOf(msg), 0, INPUT_FLAG_REPEAT, GET_X_LPARAM(lParam),
                   GET_Y_LPARAM(lParam));
        return 0;
    case WM_MOUSEWHEEL: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        platform::ScreenToClient(hwnd, &p);
        QueueEvent(INPUT_MOUSEWHEEL, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, 0, 0, p.x, p.y);
        return 0;
    }
    default:
        return platform::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}
