#pragma once
// Where the Jix game's blits go. Without a sink CDemo::DrawSprite draws through the device's
// sprite batch; a test gives the game a sink that records every blit the game asks for.

#include <cstdint>

class CX2DSprite;
struct CXSpriteRect;

class CJixDrawSink {
public:
    virtual ~CJixDrawSink() = default;
    // One blit at (x, y) with the caller's source rectangle (null for the whole sprite).
    virtual void Draw(CX2DSprite* pSprite, const CXSpriteRect* pRect, int x, int y) = 0;
};
