#pragma once
// The dimming of a background object group: a level (0 untinted .. 255 black) that runs toward a
// target at the background's dim speed. Scroll strips and moving-object definitions each hold one.

#include <cstdint>

class CX2DAnimation;

struct CXDrawBGDim {
    float fDirection = 0.0f;  // +1 darker, -1 lighter, 0 at rest
    float fTarget = 0.0f;
    float fLevel = 0.0f;

    // Starts a run from one level to another; nothing when the target is already `to`.
    void Start(uint8_t from, uint8_t to);
    // One step of dt seconds at speed levels per second; the level stops on the target. True when
    // the dimming ran in this step (the caller then tints with the level reached).
    bool Step(float speed, float dt);
    // Opaque grey of 255 - level in each of red, green and blue.
    uint32_t Grey() const;
};

// Tints the animation grey by the level while keeping its alpha and its base alpha: the tint and
// a running alpha fade are separate.
void CXDrawBGTint(CX2DAnimation& animation, uint32_t grey);
