// SDL side of the window layer, for other platform files and the window tests only.
// Stands in for: nothing of its own; it exposes the SDL window under a handle (the GL context is
//   made on it) and the translation of one SDL event into window messages.
// Not here: anything the engine calls; engine code includes window.h only.
#pragma once

#include <SDL2/SDL.h>

#include "platform/window.h"

namespace platform {

// The SDL window of a top-level window (null for a child or an unknown handle).
SDL_Window* GetSdlWindow(HWND hwnd);
// The SDL window a window draws into: its own, or for a child (a window hosted in another) that of
// the top-level window it lies in. Null for an unknown handle.
SDL_Window* GetHostSdlWindow(HWND hwnd);

// Turns one SDL event into queued window messages and key state, as the message pump does.
void HandleSdlEvent(const SDL_Event& event);

}  // namespace platform
