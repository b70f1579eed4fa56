// The native message box over SDL's simple message box.
// Stands in for: MessageBoxA (OK only).
// Not here: icons, button sets, modality flags.

#include "platform/message_box.h"

#include <SDL2/SDL.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/codepage.h"
#include "platform/window_sdl.h"

namespace {

std::atomic<platform::MessageBoxHook> g_hook{nullptr};

}  // namespace

void platform::SetMessageBoxHook(MessageBoxHook hook)
{
    g_hook = hook;
}

int platform::MessageBox(HWND owner, const char* text, const char* caption, uint32_t type)
{
    const std::string utf8Text = platform::Cp949ToUtf8(text ? text : "");
    const std::string utf8Caption = platform::Cp949ToUtf8(caption ? caption : "");
    std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
    if (platform::MessageBoxHook hook = g_hook.load())
        return hook(text, caption, type);
    // Fails at once when no video driver can show a box (no display): the text went to stderr.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, utf8Caption.c_str(), utf8Text.c_str(),
                             owner ? platform::GetSdlWindow(owner) : nullptr);
    return IDOK;
}
