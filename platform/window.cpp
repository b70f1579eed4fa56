// Window and messages over SDL2.
// Stands in for: CreateWindowEx/DestroyWindow, window procedures and subclassing, PeekMessage/
//   TranslateMessage/DispatchMessage, SendMessage/PostMessage/PostQuitMessage, window styles and
//   MoveWindow, focus and capture, ShowCursor (display counter), SetCursor, SetCursorPos,
//   GetAsyncKeyState/GetKeyboardState fed from SDL, IME composition from SDL text input.
// Not here: the key layout and ToAscii (keys.cpp), edit controls, IME conversion status,
//   non-client painting. Without a window manager (Xvfb) the geometry asked for is applied
//   directly and reported synchronously.

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "platform/codepage.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "platform/window_sdl.h"

struct PlatformWindow {
    WNDPROC proc = nullptr;
    HWND parent = nullptr;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    RECT rect;  // outer rectangle; screen coordinates for top-level windows
    std::string title;
    SDL_Window* sdl = nullptr;
    int iconWidth = 0;  // of the icon set on the window; 0 for the desktop's default
    int iconHeight = 0;
};

namespace {

constexpr int kDlgFrame = 3;
constexpr int kThickFrame = 4;
constexpr int kCaption = 19;
constexpr int kClientEdge = 2;

struct WindowState {
    std::vector<std::unique_ptr<PlatformWindow>> windows;
    std::vector<SDL_Window*> retired;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quit = false;
    int quitCode = 0;
    HWND focus = nullptr;
    HWND capture = nullptr;
    int cursorCounter = 0;
    HCURSOR current = nullptr;
    SDL_Cursor* arrow = nullptr;
    uint8_t keys[256] = {};
    bool composing = false;
    std::string composition;
    int mouseX = 0;
    int mouseY = 0;
    int desktopW = 0;
    int desktopH = 0;
    std::string lastError;

    ~WindowState()
    {
        for (auto& w : windows)
            if (w->sdl)
                retired.push_back(w->sdl);
        windows.clear();
        platform::DestroyRetiredWindows();
    }
};

WindowState& S()
{
    static WindowState state;
    return state;
}

PlatformWindow* Find(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    for (auto& w : S().windows)
        if (w.get() == hwnd)
            return w.get();
    return nullptr;
}

HWND FindBySDL(uint32_t windowId)
{
    for (auto& w : S().windows)
        if (w->sdl && SDL_GetWindowID(w->sdl) == windowId)
            return w.get();
    return nullptr;
}

// The newest top-level window: the target of input that names no window.
HWND MainWindow()
{
    auto& ws = S().windows;
    for (auto it = ws.rbegin(); it != ws.rend(); ++it)
        if ((*it)->sdl)
            return it->get();
    return nullptr;
}

HWND KeyboardTarget()
{
    if (Find(S().focus))
        return S().focus;
    return MainWindow();
}

HWND MouseTarget(HWND over)
{
    if (Find(S().capture))
        return S().capture;
    return over ? over : MainWindow();
}

void QueueInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hwnd)
        S().input.push_back(MSG{hwnd, msg, wParam, lParam});
}

// Frame insets of a window style: left/right, top (caption included), bottom.
void Insets(uint32_t style, uint32_t exStyle, int* side, int* top, int* bottom)
{
    int frame = 0;
    int caption = 0;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        frame = (style & WS_THICKFRAME) ? kThickFrame : kDlgFrame;
        caption = kCaption;
    } else if (style & WS_THICKFRAME) {
        frame = kThickFrame;
    }
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += kClientEdge;
    *side = frame;
    *top = frame + caption;
    *bottom = frame;
}

RECT ClientOf(const PlatformWindow& w)
{
    int side, top, bottom;
    Insets(w.style, w.exStyle, &side, &top, &bottom);
    RECT r;
    r.left = w.rect.left + side;
    r.top = w.rect.top + top;
    r.right = std::max(r.left, w.rect.right - side);
    r.bottom = std::max(r.top, w.rect.bottom - bottom);
    return r;
}

void ApplySDLGeometry(PlatformWindow& w)
{
    if (!w.sdl)
        return;
    RECT c = ClientOf(w);
    SDL_SetWindowBordered(w.sdl, (w.style & WS_CAPTION) == WS_CAPTION ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowPosition(w.sdl, c.left, c.top);
    SDL_SetWindowSize(w.sdl, std::max(1, c.right - c.left), std::max(1, c.bottom - c.top));
}

void ApplySDLStyle(PlatformWindow& w)
{
    if (!w.sdl)
        return;
    SDL_SetWindowAlwaysOnTop(w.sdl, (w.exStyle & WS_EX_TOPMOST) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(w.sdl, (w.style & WS_THICKFRAME) ? SDL_TRUE : SDL_FALSE);
    if (w.style & WS_VISIBLE)
        SDL_ShowWindow(w.sdl);
    else
        SDL_HideWindow(w.sdl);
    ApplySDLGeometry(w);
}

bool KeyDown(int vk)
{
    return (S().keys[vk & 0xFF] & 0x80) != 0;
}

void SetKey(int vk, bool down)
{
    uint8_t& k = S().keys[vk & 0xFF];
    k = down ? static_cast<uint8_t>(k | 0x80) : static_cast<uint8_t>(k & ~0x80);
}

void SetToggle(int vk, bool on)
{
    uint8_t& k = S().keys[vk & 0xFF];
    k = on ? static_cast<uint8_t>(k | 0x01) : static_cast<uint8_t>(k & ~0x01);
}

// Generic Shift/Ctrl/Alt follow their left and right keys.
void UpdateModifierKeys()
{
    SetKey(VK_SHIFT, KeyDown(VK_LSHIFT) || KeyDown(VK_RSHIFT));
    SetKey(VK_CONTROL, KeyDown(VK_LCONTROL) || KeyDown(VK_RCONTROL));
    SetKey(VK_MENU, KeyDown(VK_LMENU) || KeyDown(VK_RMENU));
}

// The generic code a message carries for a sided modifier key.
int MessageVk(int vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

WPARAM MouseKeyFlags()
{
    WPARAM f = 0;
    if (KeyDown(VK_LBUTTON))
        f |= MK_LBUTTON;
    if (KeyDown(VK_RBUTTON))
        f |= MK_RBUTTON;
    if (KeyDown(VK_MBUTTON))
        f |= MK_MBUTTON;
    if (KeyDown(VK_SHIFT))
        f |= MK_SHIFT;
    if (KeyDown(VK_CONTROL))
        f |= MK_CONTROL;
    return f;
}

// First character code of CP949 text (a double-byte character as lead << 8 | trail).
WPARAM FirstCharCode(const std::string& s)
{
    if (s.empty())
        return 0;
    auto lead = static_cast<unsigned char>(s[0]);
    if (lead >= 0x81 && s.size() >= 2)
        return (static_cast<WPARAM>(lead) << 8) | static_cast<unsigned char>(s[1]);
    return lead;
}

void HandleKey(const SDL_KeyboardEvent& e, bool down)
{
    const SDL_Keymod mod = static_cast<SDL_Keymod>(e.keysym.mod);
    SetToggle(VK_CAPITAL, (mod & KMOD_CAPS) != 0);
    SetToggle(VK_NUMLOCK, (mod & KMOD_NUM) != 0);
    SetToggle(VK_SCROLL, (mod & KMOD_SCROLL) != 0);
    const int vk = platform::VirtualKeyFromScancode(e.keysym.scancode);
    if (vk == 0)
        return;
    const bool wasDown = KeyDown(vk);
    const bool altHeld = KeyDown(VK_MENU);
    const bool ctrlHeld = KeyDown(VK_CONTROL);
    SetKey(vk, down);
    UpdateModifierKeys();
    const int msgVk = MessageVk(vk);
    const LPARAM scan = static_cast<LPARAM>(e.keysym.scancode & 0xFF) << 16;
    if (down) {
        const bool alt = KeyDown(VK_MENU);
        const bool repeat = e.repeat != 0 || wasDown;
        LPARAM l = 1 | scan | (alt ? (LPARAM{1} << 29) : 0) | (repeat ? (LPARAM{1} << 30) : 0);
        UINT msg = ((alt && !ctrlHeld) || msgVk == VK_F10) ? WM_SYSKEYDOWN : WM_KEYDOWN;
        QueueInput(KeyboardTarget(), msg, static_cast<WPARAM>(msgVk), l);
    } else {
        LPARAM l = 1 | scan | (altHeld ? (LPARAM{1} << 29) : 0) | (LPARAM{1} << 30) |
                   static_cast<LPARAM>(uint32_t{1} << 31);
        UINT msg = (altHeld && !ctrlHeld) ? WM_SYSKEYUP : WM_KEYUP;
        QueueInput(KeyboardTarget(), msg, static_cast<WPARAM>(msgVk), l);
    }
}

void HandleTextEditing(const SDL_TextEditingEvent& e)
{
    auto& st = S();
    const std::string text = platform::Utf8ToCp949(std::string_view(e.text));
    HWND target = KeyboardTarget();
    if (!text.empty()) {
        if (!st.composing) {
            st.composing = true;
            QueueInput(target, WM_IME_STARTCOMPOSITION, 0, 0);
        }
        st.composition = text;
        QueueInput(target, WM_IME_COMPOSITION, FirstCharCode(text), GCS_COMPSTR);
    } else if (st.composing) {
        st.composition.clear();
        st.composing = false;
        QueueInput(target, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
        QueueInput(target, WM_IME_ENDCOMPOSITION, 0, 0);
    }
}

void HandleTextInput(const SDL_TextInputEvent& e)
{
    auto& st = S();
    const std::string text = platform::Utf8ToCp949(std::string_view(e.text));
    HWND target = KeyboardTarget();
    if (st.composing) {
        st.composing = false;
        st.composition.clear();
        QueueInput(target, WM_IME_COMPOSITION, FirstCharCode(text), GCS_RESULTSTR);
        QueueInput(target, WM_IME_ENDCOMPOSITION, 0, 0);
    }
    for (char c : text)
        QueueInput(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

int ButtonVk(uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return VK_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return VK_MBUTTON;
    default:
        return 0;
    }
}

void HandleButton(const SDL_MouseButtonEvent& e, bool down)
{
    const int vk = ButtonVk(e.button);
    if (vk == 0)
        return;
    SetKey(vk, down);
    S().mouseX = e.x;
    S().mouseY = e.y;
    UINT base = vk == VK_LBUTTON   ? WM_LBUTTONDOWN
                : vk == VK_RBUTTON ? WM_RBUTTONDOWN
                                   : WM_MBUTTONDOWN;
    UINT msg = base + 1;  // button up
    if (down)
        msg = (e.clicks >= 2 && e.clicks % 2 == 0) ? base + 2 : base;
    QueueInput(MouseTarget(FindBySDL(e.windowID)), msg, MouseKeyFlags(), MAKELPARAM(e.x, e.y));
}

void HandleWindowEvent(const SDL_WindowEvent& e)
{
    HWND hwnd = FindBySDL(e.windowID);
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return;
    RECT c = ClientOf(*w);
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        QueueInput(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        QueueInput(hwnd, WM_ACTIVATEAPP, 1, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        QueueInput(hwnd, WM_ACTIVATEAPP, 0, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        // The application decides what a maximised window becomes.
        SDL_RestoreWindow(w->sdl);
        QueueInput(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        QueueInput(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        QueueInput(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right - c.left, c.bottom - c.top));
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (e.data1 != c.right - c.left || e.data2 != c.bottom - c.top) {
            w->rect.right += e.data1 - (c.right - c.left);
            w->rect.bottom += e.data2 - (c.bottom - c.top);
            QueueInput(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(e.data1, e.data2));
        }
        break;
    case SDL_WINDOWEVENT_MOVED:
        if (e.data1 != c.left || e.data2 != c.top) {
            const int dx = e.data1 - c.left;
            const int dy = e.data2 - c.top;
            w->rect.left += dx;
            w->rect.right += dx;
            w->rect.top += dy;
            w->rect.bottom += dy;
            QueueInput(hwnd, WM_MOVE, 0, MAKELPARAM(e.data1, e.data2));
        }
        break;
    default:
        break;
    }
}

void PumpSDL()
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event e;
    while (SDL_PollEvent(&e))
        platform::HandleSdlEvent(e);
}

// The video subsystem stays up once started: quitting it unloads the X libraries, and starting it
// again for the next window costs a display connection each time.
bool InitVideo()
{
    static bool started = false;
    if (started)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return started;
}

void QueryDesktop()
{
    auto& st = S();
    if (st.desktopW > 0)
        return;
    if (!InitVideo())
        return;
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        st.desktopW = mode.w;
        st.desktopH = mode.h;
    }
}

}  // namespace

HWND platform::CreateWindow(const WindowCreateInfo& info)
{
    auto& st = S();
    st.lastError.clear();
    if (!info.proc) {
        st.lastError = "no window procedure";
        return nullptr;
    }
    if (info.parent && !Find(info.parent)) {
        st.lastError = "the parent window does not exist";
        return nullptr;
    }
    auto w = std::make_unique<PlatformWindow>();
    w->proc = info.proc;
    w->parent = info.parent;
    w->style = info.style;
    w->exStyle = info.exStyle;
    w->rect =
        RECT{info.x, info.y, info.x + std::max(0, info.width), info.y + std::max(0, info.height)};
    w->title = info.title;
    if (!info.parent) {
        if (!InitVideo()) {
            st.lastError = std::string("no video: ") + SDL_GetError();
            return nullptr;
        }
        RECT c = ClientOf(*w);
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
        flags |= (info.style & WS_VISIBLE) ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
        if ((info.style & WS_CAPTION) != WS_CAPTION)
            flags |= SDL_WINDOW_BORDERLESS;
        if (info.exStyle & WS_EX_TOPMOST)
            flags |= SDL_WINDOW_ALWAYS_ON_TOP;
        if (info.style & WS_THICKFRAME)
            flags |= SDL_WINDOW_RESIZABLE;
        w->sdl = SDL_CreateWindow(platform::Cp949ToUtf8(std::string_view(info.title)).c_str(),
                                  c.left, c.top, std::max(1, c.right - c.left),
                                  std::max(1, c.bottom - c.top), flags);
        if (!w->sdl) {
            st.lastError = std::string("SDL_CreateWindow: ") + SDL_GetError();
            return nullptr;
        }
    }
    HWND hwnd = w.get();
    st.windows.push_back(std::move(w));
    if (platform::SendMessage(hwnd, WM_CREATE, 0, 0) == -1) {
        platform::DestroyWindow(hwnd);
        st.lastError = "WM_CREATE refused the window";
        return nullptr;
    }
    return hwnd;
}

bool platform::DestroyWindow(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return false;
    auto& st = S();
    std::vector<HWND> children;
    for (auto& c : st.windows)
        if (c->parent == hwnd)
            children.push_back(c.get());
    for (HWND c : children)
        platform::DestroyWindow(c);
    platform::SendMessage(hwnd, WM_DESTROY, 0, 0);
    if (st.focus == hwnd)
        st.focus = nullptr;
    if (st.capture == hwnd)
        st.capture = nullptr;
    auto drop = [hwnd](const MSG& m) { return m.hwnd == hwnd; };
    st.posted.erase(std::remove_if(st.posted.begin(), st.posted.end(), drop), st.posted.end());
    st.input.erase(std::remove_if(st.input.begin(), st.input.end(), drop), st.input.end());
    if (w->sdl) {
        SDL_HideWindow(w->sdl);
        st.retired.push_back(w->sdl);
    }
    st.windows.erase(std::remove_if(st.windows.begin(), st.windows.end(),
                                    [hwnd](const auto& p) { return p.get() == hwnd; }),
                     st.windows.end());
    return true;
}

void platform::DestroyRetiredWindows()
{
    auto& st = S();
    for (SDL_Window* s : st.retired)
        SDL_DestroyWindow(s);
    st.retired.clear();
}

bool platform::IsWindow(HWND hwnd)
{
    return Find(hwnd) != nullptr;
}

WNDPROC platform::SetWindowProc(HWND hwnd, WNDPROC proc)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !proc)
        return nullptr;
    WNDPROC old = w->proc;
    w->proc = proc;
    return old;
}

WNDPROC platform::GetWindowProc(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    return w ? w->proc : nullptr;
}

LRESULT platform::CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT platform::DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Find(hwnd))
        return 0;
    switch (msg) {
    case WM_SYSKEYDOWN:
        if (wParam == static_cast<WPARAM>(VK_F4) && (lParam & (LPARAM{1} << 29)))
            platform::SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            platform::SendMessage(hwnd, WM_CLOSE, 0, 0);
            return 0;
        case SC_MAXIMIZE:
            QueryDesktop();
            platform::SendMessage(hwnd, WM_SIZE, SIZE_MAXIMIZED,
                                  MAKELPARAM(S().desktopW, S().desktopH));
            return 0;
        case SC_MINIMIZE:
            if (PlatformWindow* w = Find(hwnd); w && w->sdl)
                SDL_MinimizeWindow(w->sdl);
            return 0;
        case SC_RESTORE:
            if (PlatformWindow* w = Find(hwnd); w && w->sdl)
                SDL_RestoreWindow(w->sdl);
            return 0;
        default:
            return 0;
        }
    case WM_CLOSE:
        platform::DestroyWindow(hwnd);
        return 0;
    default:
        return 0;
    }
}

LRESULT platform::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return 0;
    return w->proc(hwnd, msg, wParam, lParam);
}

bool platform::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Find(hwnd))
        return false;
    S().posted.push_back(MSG{hwnd, msg, wParam, lParam});
    return true;
}

void platform::PostQuitMessage(int exitCode)
{
    S().quit = true;
    S().quitCode = exitCode;
}

bool platform::PeekMessage(MSG* msg, bool remove)
{
    auto& st = S();
    if (st.posted.empty() && st.input.empty())
        PumpSDL();
    std::deque<MSG>* queue = !st.posted.empty()  ? &st.posted
                             : !st.input.empty() ? &st.input
                                                 : nullptr;
    if (queue) {
        *msg = queue->front();
        if (remove)
            queue->pop_front();
        return true;
    }
    if (st.quit) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(st.quitCode), 0};
        if (remove)
            st.quit = false;
        return true;
    }
    return false;
}

void platform::TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return;
    uint8_t state[256];
    platform::GetKeyboardState(state);
    char c = 0;
    if (platform::ToAscii(static_cast<int>(msg->wParam), 0, state, &c) != 1)
        return;
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F)
        platform::PostMessage(msg->hwnd, WM_CHAR, u, msg->lParam & 0xFFFFFFFF);
}

LRESULT platform::DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    return platform::SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void platform::ResetMessageQueue()
{
    auto& st = S();
    st.posted.clear();
    st.input.clear();
    st.quit = false;
    st.quitCode = 0;
    st.composing = false;
    st.composition.clear();
    std::memset(st.keys, 0, sizeof st.keys);
}

bool platform::MoveWindow(HWND hwnd, int x, int y, int width, int height)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return false;
    const RECT oldClient = ClientOf(*w);
    w->rect = RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
    const RECT c = ClientOf(*w);
    ApplySDLGeometry(*w);
    if (c.left != oldClient.left || c.top != oldClient.top)
        platform::SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(c.left, c.top));
    if (Find(hwnd) && (c.right - c.left != oldClient.right - oldClient.left ||
                       c.bottom - c.top != oldClient.bottom - oldClient.top))
        platform::SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                              MAKELPARAM(c.right - c.left, c.bottom - c.top));
    return true;
}

bool platform::GetWindowRect(HWND hwnd, RECT* rect)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !rect)
        return false;
    *rect = w->rect;
    return true;
}

bool platform::GetClientRect(HWND hwnd, RECT* rect)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !rect)
        return false;
    RECT c = ClientOf(*w);
    *rect = RECT{0, 0, c.right - c.left, c.bottom - c.top};
    return true;
}

bool platform::ClientToScreen(HWND hwnd, POINT* point)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !point)
        return false;
    for (PlatformWindow* p = w; p; p = Find(p->parent)) {
        RECT c = ClientOf(*p);
        point->x += c.left;
        point->y += c.top;
    }
    return true;
}

bool platform::ScreenToClient(HWND hwnd, POINT* point)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !point)
        return false;
    for (PlatformWindow* p = w; p; p = Find(p->parent)) {
        RECT c = ClientOf(*p);
        point->x -= c.left;
        point->y -= c.top;
    }
    return true;
}

void platform::AdjustWindowRect(RECT* rect, uint32_t style, uint32_t exStyle)
{
    if (!rect)
        return;
    int side, top, bottom;
    Insets(style, exStyle, &side, &top, &bottom);
    rect->left -= side;
    rect->right += side;
    rect->top -= top;
    rect->bottom += bottom;
}

uint32_t platform::SetWindowStyle(HWND hwnd, uint32_t style)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return 0;
    const RECT c = ClientOf(*w);
    const uint32_t old = w->style;
    w->style = style;
    w->rect = c;
    platform::AdjustWindowRect(&w->rect, w->style, w->exStyle);
    ApplySDLStyle(*w);
    return old;
}

uint32_t platform::SetWindowExStyle(HWND hwnd, uint32_t exStyle)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return 0;
    const RECT c = ClientOf(*w);
    const uint32_t old = w->exStyle;
    w->exStyle = exStyle;
    w->rect = c;
    platform::AdjustWindowRect(&w->rect, w->style, w->exStyle);
    ApplySDLStyle(*w);
    return old;
}

uint32_t platform::GetWindowStyle(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    return w ? w->style : 0;
}

uint32_t platform::GetWindowExStyle(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    return w ? w->exStyle : 0;
}

bool platform::SetWindowTitle(HWND hwnd, const char* title)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return false;
    w->title = title ? title : "";
    if (w->sdl)
        SDL_SetWindowTitle(w->sdl, platform::Cp949ToUtf8(std::string_view(w->title)).c_str());
    return true;
}

bool platform::ShowWindow(HWND hwnd, bool show)
{
    PlatformWindow* w = Find(hwnd);
    if (!w)
        return false;
    const bool was = (w->style & WS_VISIBLE) != 0;
    w->style = show ? (w->style | WS_VISIBLE) : (w->style & ~WS_VISIBLE);
    if (w->sdl) {
        if (show)
            SDL_ShowWindow(w->sdl);
        else
            SDL_HideWindow(w->sdl);
    }
    return was;
}

bool platform::UpdateWindow(HWND hwnd)
{
    if (!Find(hwnd))
        return false;
    platform::SendMessage(hwnd, WM_PAINT, 0, 0);
    return true;
}

HWND platform::GetParent(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    return w ? w->parent : nullptr;
}

int platform::GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        QueryDesktop();
        return S().desktopW;
    case SM_CYSCREEN:
        QueryDesktop();
        return S().desktopH;
    case SM_CYCAPTION:
        return kCaption;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return kDlgFrame;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return kThickFrame;
    default:
        return 0;
    }
}

HWND platform::SetFocus(HWND hwnd)
{
    auto& st = S();
    HWND prev = Find(st.focus) ? st.focus : nullptr;
    if (hwnd && !Find(hwnd))
        return prev;
    if (hwnd == prev)
        return prev;
    st.focus = hwnd;
    if (prev)
        platform::SendMessage(prev, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && st.focus == hwnd)
        platform::SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(prev), 0);
    return prev;
}

HWND platform::GetFocus()
{
    return Find(S().focus) ? S().focus : nullptr;
}

HWND platform::SetCapture(HWND hwnd)
{
    HWND prev = platform::GetCapture();
    if (Find(hwnd)) {
        S().capture = hwnd;
        SDL_CaptureMouse(SDL_TRUE);
    }
    return prev;
}

bool platform::ReleaseCapture()
{
    if (S().capture)
        SDL_CaptureMouse(SDL_FALSE);
    S().capture = nullptr;
    return true;
}

HWND platform::GetCapture()
{
    return Find(S().capture) ? S().capture : nullptr;
}

bool platform::SetForegroundWindow(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !w->sdl)
        return false;
    SDL_RaiseWindow(w->sdl);
    return true;
}

int platform::ShowCursor(bool show)
{
    auto& st = S();
    st.cursorCounter += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(st.cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return st.cursorCounter;
}

HCURSOR platform::LoadArrowCursor()
{
    auto& st = S();
    if (!st.arrow && SDL_WasInit(SDL_INIT_VIDEO))
        st.arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    return reinterpret_cast<HCURSOR>(st.arrow);
}

HCURSOR platform::SetCursor(HCURSOR cursor)
{
    auto& st = S();
    HCURSOR prev = st.current;
    st.current = cursor;
    if (cursor && SDL_WasInit(SDL_INIT_VIDEO))
        SDL_SetCursor(reinterpret_cast<SDL_Cursor*>(cursor));
    return prev;
}

bool platform::SetCursorPos(int screenX, int screenY)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    return SDL_WarpMouseGlobal(screenX, screenY) == 0;
}

bool platform::GetCursorPos(POINT* screenPoint)
{
    if (!screenPoint)
        return false;
    POINT p{S().mouseX, S().mouseY};
    if (HWND main = MainWindow())
        platform::ClientToScreen(main, &p);
    *screenPoint = p;
    return true;
}

int16_t platform::GetAsyncKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    return KeyDown(vk) ? static_cast<int16_t>(-32768) : 0;
}

void platform::GetKeyboardState(uint8_t state[256])
{
    std::memcpy(state, S().keys, 256);
}

std::string platform::GetCompositionText()
{
    return S().composition;
}

bool platform::IsComposing()
{
    return S().composing;
}

const char* platform::GetLastWindowError()
{
    return S().lastError.c_str();
}

bool platform::SetWindowIcon(HWND hwnd, int width, int height, const uint32_t* argb)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !argb || width <= 0 || height <= 0)
        return false;
    // A child shows no icon of its own: the top-level window it lies in takes it.
    SDL_Window* sdl = platform::GetHostSdlWindow(hwnd);
    if (!sdl)
        return false;
    // ARGB words are the surface's pixels as they are; SDL copies them.
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(argb), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) {
        S().lastError = std::string("SDL_CreateRGBSurface: ") + SDL_GetError();
        return false;
    }
    SDL_SetWindowIcon(sdl, icon);
    SDL_FreeSurface(icon);
    w->iconWidth = width;
    w->iconHeight = height;
    return true;
}

bool platform::GetWindowIconSize(HWND hwnd, int* width, int* height)
{
    PlatformWindow* w = Find(hwnd);
    if (!w || !width || !height)
        return false;
    *width = w->iconWidth;
    *height = w->iconHeight;
    return true;
}

bool platform::StartTextInput(HWND hwnd)
{
    auto& st = S();
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        st.lastError = "no video: text input needs a display";
        return false;
    }
    if (!platform::GetHostSdlWindow(hwnd)) {
        st.lastError = "text input needs a window on the display";
        return false;
    }
    SDL_StartTextInput();
    return true;
}

void platform::StopTextInput()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_StopTextInput();
    auto& st = S();
    st.composing = false;
    st.composition.clear();
}

bool platform::IsTextInputActive()
{
    return SDL_WasInit(SDL_INIT_VIDEO) && SDL_IsTextInputActive() == SDL_TRUE;
}

SDL_Window* platform::GetSdlWindow(HWND hwnd)
{
    PlatformWindow* w = Find(hwnd);
    return w ? w->sdl : nullptr;
}

SDL_Window* platform::GetHostSdlWindow(HWND hwnd)
{
    for (PlatformWindow* w = Find(hwnd); w; w = Find(w->parent))
        if (w->sdl)
            return w->sdl;
    return nullptr;
}

void platform::HandleSdlEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
        HandleKey(event.key, true);
        break;
    case SDL_KEYUP:
        HandleKey(event.key, false);
        break;
    case SDL_TEXTEDITING:
        HandleTextEditing(event.edit);
        break;
    case SDL_TEXTINPUT:
        HandleTextInput(event.text);
        break;
    case SDL_MOUSEMOTION:
        S().mouseX = event.motion.x;
        S().mouseY = event.motion.y;
        QueueInput(MouseTarget(FindBySDL(event.motion.windowID)), WM_MOUSEMOVE, MouseKeyFlags(),
                   MAKELPARAM(event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
        HandleButton(event.button, true);
        break;
    case SDL_MOUSEBUTTONUP:
        HandleButton(event.button, false);
        break;
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED)
            notches = -notches;
        if (notches == 0)
            break;
        HWND hwnd = MouseTarget(FindBySDL(event.wheel.windowID));
        POINT p{S().mouseX, S().mouseY};
        platform::ClientToScreen(hwnd, &p);
        const WPARAM w = (static_cast<WPARAM>(static_cast<uint16_t>(notches * WHEEL_DELTA)) << 16) |
                         MouseKeyFlags();
        QueueInput(hwnd, WM_MOUSEWHEEL, w, MAKELPARAM(p.x, p.y));
        break;
    }
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    default:
        break;
    }
}
