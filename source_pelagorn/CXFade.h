#pragma once
// A black quad over the whole 768 x 1280 target whose opacity runs toward a target at a constant
// speed (the base speed, in alpha levels per second). No file: the holder starts a fade by
// setting the target alpha and the direction, and may set the alpha directly.

#include <cstdint>

#include "CXDrawObject.h"
#include "CXGfxTypes.h"

class CXFade : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXFade)

    CXFade() = default;
    ~CXFade() override = default;

    // Opaque, fading toward clear at 300 levels per second.
    void Init() override;
    void Update(float dt) override;
    // Drawn while a fade runs; at rest only when it covers something: fully opaque, or resting
    // on a target between clear and opaque.
    void Draw() override;

    float m_fAlpha = 0.0f;
    float m_fTargetAlpha = 0.0f;
    int32_t m_nDirection = 0;                     // +1 toward opaque, -1 toward clear, 0 at rest
    float m_fRect[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // left, top, right, bottom
    CXQuad m_Quad{};

private:
    void SetColour();
};
