#pragma once
// What the Morvane game reaches outside itself each step: the clock, the game's render target
// (sprites and caption text) and the sound slots. The base class does it through the engine and
// the platform; tests derive from it to record draws and sounds and to hold the clock.

#include <cstdint>

class CX2DSprite;
class CXSound;
class CXFont;

struct MorvaneRect {
    float left, top, right, bottom;
};

// Clips a source rectangle to a picture of width x height; false (draw nothing) when its left or
// top lies outside the picture or nothing is left of it.
bool MorvaneClipSource(MorvaneRect& source, float width, float height);

class CMorvaneIO {
public:
    virtual ~CMorvaneIO() = default;

    // timeGetTime-style milliseconds.
    virtual uint32_t Now();
    // One sprite of image slot `slot` at (x, y) with a source rectangle; a null sprite draws
    // nothing. Called only on a step that draws.
    virtual void DrawImage(int32_t slot, CX2DSprite* sprite, float x, float y,
                           const MorvaneRect& source);
    // Caption text in a box `width` pixels wide at (x, y), with the font set by the game.
    virtual void DrawText(const char* text, int32_t x, int32_t y, int32_t width, uint32_t argb);
    // Sound-list row `row`; a null sound plays nothing.
    virtual void PlaySound(int32_t row, CXSound* sound, bool loop);
    virtual void StopSound(int32_t row, CXSound* sound);

    // The program's power-off: it ends the program (quit message) and logs; the computer stays on.
    virtual void PowerOff();

    // A new sprite for a loaded picture; null when none can be made (its pool refused).
    virtual CX2DSprite* NewSprite();

    // During the resource registry's registering pass: registers the path as a file to preload
    // and returns true (the loader then loads nothing). False otherwise.
    virtual bool RegisterPath(const char* path);

    // The font captions are drawn with (the application's; none until the game sets it).
    CXFont* m_pFont = nullptr;
};
