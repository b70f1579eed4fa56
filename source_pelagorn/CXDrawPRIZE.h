#pragma once
// The prize animation store: per prize group and value an animation, a particle system and two
// screen places, read from "/image/prize/prize.cfg" and found by the text "group:value". The
// scene hands what it finds to the effect queue; the store itself draws nothing.

#include <cstdint>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "CXDrawObject.h"
#include "CXListExTmpl.h"
#include "CXString.h"

class CXDrawPrizeInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawPrizeInfo)

    CXDrawPrizeInfo() = default;
    virtual ~CXDrawPrizeInfo() = default;
    CXDrawPrizeInfo(const CXDrawPrizeInfo&) = delete;
    CXDrawPrizeInfo& operator=(const CXDrawPrizeInfo&) = delete;

    const CXString& GetName() const { return m_strName; }

    CX2DAnimation m_Animation;
    CX2DParticle m_Particle;
    float m_fPlace[4] = {0.0f, 0.0f, 0.0f, 0.0f};  // first x, first y, second x, second y
    CXString m_strName;                            // "group:value"
};

class CXDrawPRIZE : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawPRIZE)

    CXDrawPRIZE() = default;
    ~CXDrawPRIZE() override = default;

    void Init() override { LoadPrizes(); }
    // Advances every prize's animation and particles.
    void Update(float dt) override;

    void LoadPrizes();
    // The prize of that group and value, or null.
    CXDrawPrizeInfo* FindPrize(int32_t group, int32_t value);

    CXString m_strKey;  // reused for lookups
    CXListExTmpl<CXDrawPrizeInfo> m_Prizes;
};
