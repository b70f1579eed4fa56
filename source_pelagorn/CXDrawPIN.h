#pragma once
// The pins of the coin field: animations at fixed places that the coins bounce off; each pin's
// hit animation carries the sound a bounce plays. Read from "/image/interface/pin/pin.cfg".

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXDrawObject.h"
#include "CXListTmpl.h"

class CXDrawPINObjectInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawPINObjectInfo)

    CXDrawPINObjectInfo() = default;
    virtual ~CXDrawPINObjectInfo() = default;
    CXDrawPINObjectInfo(const CXDrawPINObjectInfo&) = delete;
    CXDrawPINObjectInfo& operator=(const CXDrawPINObjectInfo&) = delete;

    int32_t m_nReserved = 0;
    int32_t m_nX = 0;  // centre
    int32_t m_nY = 0;
    CX2DAnimation m_Animation;  // hot spot at its centre; plays when a coin hits the pin
};

class CXDrawPIN : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawPIN)

    CXDrawPIN() = default;
    ~CXDrawPIN() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    int32_t m_nRadius = 10;
    CXListTmpl<CXDrawPINObjectInfo> m_Pins;
};
