#pragma once
// Base of a scene: the owning game calls Init when it enters the scene and Process once per step
// of the frame, between begin-scene and end-scene on the game's render target.

#include <cstddef>

#include "CXGfxDevice.h"
#include "CXMemoryPoolTmpl.h"

// Allocated from its class pool; a derived scene declares its own pool (CX_DECLARE_MEMORY_POOL),
// or `new` of it yields null.
class CX2DSceneObject {
public:
    CX_DECLARE_MEMORY_POOL(CX2DSceneObject)

    CX2DSceneObject() = default;
    virtual ~CX2DSceneObject() = default;

    // Loads resources the first time (setting m_bInitialized) and resets the scene's state.
    virtual int Init(void* owner);
    // One step of the scene drawn into the given target; returns the scene's result.
    virtual int Process(HTARGET target);

    bool m_bInitialized = false;
    // Free for the derived scene: its running time in seconds and the time of its last step.
    double m_dElapsed = 0.0;
    float m_fFrameTime = 0.0f;
};
