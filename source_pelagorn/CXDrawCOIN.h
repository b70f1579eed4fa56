#pragma once
// The falling coins: dropped from the dropper, they fall under gravity with drag, bounce off the
// pins and the side walls, spin with their sideways speed and play a hit sound per bounce; a coin
// that falls past the bottom line is handed to the game scene, which checks the item belt, and
// leaves the field. Read from "/image/interface/coin/coin.cfg".

#include <cstdint>

#include "CX2DAnimation.h"
#include "CXArrayTmpl.h"
#include "CXDrawObject.h"
#include "CXListTmpl.h"

class CXDrawConfig;
class CXDrawPIN;

// One coin.
class CXDrawCoinInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawCoinInfo)

    CXDrawCoinInfo() = default;
    virtual ~CXDrawCoinInfo() = default;

    float m_fX = 0.0f;
    float m_fY = 0.0f;
    float m_fAngle = 0.0f;
    float m_fSpin = 0.0f;
    float m_fVX = 0.0f;
    float m_fVY = 0.0f;
    float m_fAX = 0.0f;
    float m_fAY = 0.0f;
    float m_fDragX = 0.0f;
    float m_fDragY = 0.0f;
    uint32_t m_dwDropTime = 0;              // game clock, ms
    CX2DAnimation* m_pAnimation = nullptr;  // one of the coin looks, not owned; none draws nothing
};

class CXDrawCOIN : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawCOIN)

    static constexpr float kFieldWidth = 768.0f;

    CXDrawCOIN() = default;
    ~CXDrawCOIN() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    // True when the drop interval has passed since the last drop (a last drop later than the game
    // clock is first pulled back to it).
    bool IsDropTime();
    // Drops a coin at x moving sideways in the direction (+1 or -1); false when none can be made.
    bool DropCoin(float x, float direction);
    // Bounces the coin off the walls and the pins (nothing without a pin object).
    void CollidePins(CXDrawCoinInfo& coin);

    uint32_t m_dwDropTick = 4000;  // ms
    uint32_t m_dwLastDrop = 0;     // game clock, ms
    int32_t m_nRadius = 16;
    float m_fLeftWall = 30.0f;
    float m_fRightWall = kFieldWidth - 30.0f;
    float m_fSpinRate = 80.0f;
    float m_fXFriction = 0.6f;  // on x at a pin and at the left wall
    float m_fYFriction = 0.7f;  // on y at a pin, and on x at the right wall
    float m_fStartY = 32.0f;
    float m_fBottom = 500.0f;
    float m_fMass = 2.0f;
    float m_fDrag = 0.05f;
    float m_fGravity = 981.0f;
    float m_fXStartForce = 10.0f;
    float m_fYStartSpeed = 50.0f;
    uint32_t m_dwNextAnimation = 0;
    CXArrayTmpl<CX2DAnimation> m_Animations;
    CXListTmpl<CXDrawCoinInfo> m_Coins;
    CXDrawPIN* m_pPins = nullptr;  // set by the scene; not owned

private:
    uint32_t Now() const;
    // Steps of Init.
    void ReadMotion(CXDrawConfig& config);
    void LoadAnimations(CXDrawConfig& config);
    // Pan and pitch of the bounce sound on the pin's channel, then the sound (and, for a pin
    // bounce, the pin's hit animation).
    void PlayBounce(CXDrawCoinInfo& coin, CX2DAnimation& pin, bool pinHit);
};
