#pragma once
// Clipping of UI drawing to a rectangle through the device's scissor test. What the sprite batch
// holds when clipping starts or ends is drawn first, so only what is queued in between is clipped.
// Clipping does not nest: a second BeginScissor before EndScissor fails and leaves the first
// rectangle in force.

#include "platform/window.h"

// The rectangle is in pixels of the current render target. False when clipping is already active
// or the device refuses.
bool BeginScissor(const RECT& rect);
// Restores the scissor state saved by BeginScissor. False when clipping is not active.
bool EndScissor();
// Saves the device's scissor rectangle and scissor-test state for EndScissor to restore.
bool SaveScissorState();
// Whether clipping is active.
bool IsScissorActive();
