#pragma once
// The coin dropper: one animation sliding left and right across the top of the field between
// two limits; coins drop from its centre. Read from "/image/dropper/dropper.cfg".

#include "CX2DAnimation.h"
#include "CXDrawObject.h"

class CXDrawDP : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawDP)

    CXDrawDP() = default;
    ~CXDrawDP() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;
    // The x at which coins are dropped: the middle of the dropper.
    float GetDropX() const;

    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fLeft = 0.0f;
    float m_fRight = 0.0f;
    float m_fDirection = 0.0f;  // +1 or -1
    CX2DAnimation m_Dropper;
};
