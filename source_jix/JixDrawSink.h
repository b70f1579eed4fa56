#pragma once
// Where the Jix game's blits go. Without an installed sink CDemo::DrawSprite draws through the
// device's sprite batch; tests may install a sink that records every blit the game asks for.

#include <cstdint>

class CX2DSprite;
struct CXSpriteRect;

class CJixDrawSink
{
public:
    virtual ~CJixDrawSink() = default;
    // One blit at (x, y) with the caller's source rectangle (null for the whole sprite).
    virtual void Draw(CX2DSprite* pSprite, const CXSpriteRect* pRect, int x, int y) = 0;
};

// The installed sink, or null.
CJixDrawSink* JixGetDrawSink();
// Installs a sink (not owned); null puts the sprite batch back.
void JixSetDrawSink(CJixDrawSink* pSink);
