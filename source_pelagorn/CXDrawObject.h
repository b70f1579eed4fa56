#pragma once
// Base of every on-screen object of the Pelagorn game. The game scene keeps the objects in one
// draw list, writes the owner (and the scene seam) before Init, calls Init once in list order,
// and then, each frame, Update and at once Draw of each object in list order, so an object drawn
// earlier lies under every later one.

#include <cstdint>

#include "CXMemoryPoolTmpl.h"

class CPelagorn;
class CXDrawScene;

class CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawObject)

    CXDrawObject() = default;
    virtual ~CXDrawObject() = default;
    CXDrawObject(const CXDrawObject&) = delete;
    CXDrawObject& operator=(const CXDrawObject&) = delete;

    // Reads the object's configuration file and builds its parts; nothing here.
    virtual void Init() {}
    // Advances the object by dt seconds; nothing here.
    virtual void Update(float /*dt*/) {}
    // Draws into the game's render target; nothing here.
    virtual void Draw() {}

    float m_fSpeed = 10.0f;  // each class says what it moves with it
    uint8_t m_byAlpha = 255;
    CPelagorn* m_pOwner = nullptr;    // the game that owns the scene
    CXDrawScene* m_pScene = nullptr;  // what the object may ask of the game scene; may be null
};

// The advance rule several objects move a value by: direction x rate x dt + 0.5 x dt². The
// second term is added whatever the direction, so a value moving down moves slightly less.
inline float CXAdvance(float direction, float rate, float dt)
{
    return direction * rate * dt + 0.5f * dt * dt;
}
