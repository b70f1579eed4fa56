#pragma once
// The four reels of the Pelagorn game: vertical belts of symbols seen through a window of three
// rows, with their sounds, the prize number, the prize-line and prize effects and the auto-hold
// effects. Read from "/image/reel/reel.cfg" and the symbol files it names; the belts themselves
// are built in, because the server's stop positions index them. A spin starts on the scene's
// call, each belt speeds up, keeps turning for its own time and slows down along the mirror of its
// spin-up onto the target; then the prize is shown and the next spin is asked for, with the
// server requests of the stop timeline going out through the scene.

#include <cstdint>
#include <string>

#include "CX2DAnimation.h"
#include "CX2DChannel.h"
#include "CX2DParticle.h"
#include "CXArrayTmpl.h"
#include "CXDrawNUMBER.h"
#include "CXDrawObject.h"
#include "CXDrawReelInfo.h"
#include "CXListTmpl.h"

class CXDrawConfig;

class CXDrawREEL : public CXDrawObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawREEL)

    static constexpr uint32_t kReelCount = 4;
    static constexpr uint32_t kSymbolKinds = 13;
    static constexpr uint32_t kWindowRows = 3;
    // Sound slots per spin mode.
    enum { kSoundStart = 0, kSoundSpin = 1, kSoundStop = 2 };
    // Aircraft wait states (auto-hold with the left or the right reel held).
    enum { kAircraftNone = 0, kAircraftLeft = 10, kAircraftRight = 20 };

    CXDrawREEL() = default;
    ~CXDrawREEL() override = default;

    void Init() override;
    void Update(float dt) override;
    void Draw() override;

    // Builds the four belts from the built-in strings (symbols point at the loaded kinds).
    void BuildReelBelts();
    // Sets each reel's target; a position outside its belt is logged and leaves the old target.
    void SetReelPosition(const uint32_t positions[kReelCount]);
    // Chooses the spin mode from the scene's auto-hold state and the spin count, then starts the
    // belts.
    void StartSpin(int32_t spinCount);
    // Back to a still, unmarked display with random positions (the demo start).
    void ResetReels();
    // Starts the prize count and the prize effect of that number; see the .cpp for the result.
    bool ShowPrizeEffect(uint32_t prize, int32_t effect);
    // Marks the symbol that stopped in that window row of the reel.
    void MarkPrizeSymbol(uint32_t reel, uint32_t row, bool withSound);
    // The auto-hold and aircraft animations, drawn by the scene above everything else.
    void DrawEffects();
    // The marked symbols' prize animations, the line effects, the particle and the prize number.
    void DrawSymbols();
    // Folds a prize scale into 0.85 <= s < 1.78667 by reflection at both ends (closed form);
    // a scale that is not finite gives 1.0.
    static float FoldScale(float scale);

    // True while any belt moves or waits to move.
    bool IsMoving() const;
    CXDrawReelBeltInfo* GetBelt(uint32_t reel) const { return m_Belts.GetAt(reel); }

    float m_fVelocity = 300.0f;  // spin-up distance in pixels before a belt may begin to stop
    float m_fXPos = 0.0f;
    float m_fYPos = 0.0f;
    float m_fYPosAdjust = 0.0f;
    float m_fXSpace = 0.0f;
    float m_fWidth = 0.0f;
    float m_fHeight = 0.0f;
    float m_fStopSoundDistance = 0.0f;
    float m_fIdleTick = 1.0f;       // seconds
    float m_fPrizeTick = 1.0f;      // seconds
    float m_fPrizeIdleTick = 0.5f;  // seconds
    float m_fPrizeScale = 1.0f;
    float m_fIdleTime = 0.0f;
    float m_fPrizeTime = 0.0f;
    float m_fStopTime = 0.0f;
    uint32_t m_dwStopDelay = 3;
    uint32_t m_dwDisplayLine = 6;
    uint32_t m_dwDisplayLineDummy = 2;
    int32_t m_iSoundReel = 0;
    float m_fFastSpeed = 0.0f;
    float m_fHighFastSpeed = 0.0f;
    float m_fAutoHoldTick = 0.0f;
    float m_fAutoHoldStopDelay = 1.0f;
    uint32_t m_dwFastSpinCount = 0;
    uint32_t m_dwFastRange = 0;
    uint32_t m_dwFastLimit = 0;
    uint32_t m_dwHighFastSpinCount = 0;
    CX2DAnimation m_Background;
    CXDrawNUMBER m_PrizeNumber;
    float m_fLineX[kWindowRows] = {};
    float m_fLineY[kWindowRows] = {};
    CX2DAnimation m_LineEffects[kWindowRows];
    // Left, right, second left, second right.
    CX2DAnimation m_AutoHoldEffects[4];
    int32_t m_nAutoHoldX[4] = {};
    int32_t m_nAutoHoldY[4] = {};
    CXArrayTmpl<CXDrawReelInfo> m_Symbols;
    CXArrayTmpl<CXDrawReelBeltInfo> m_Belts;
    uint8_t m_bySpinMode = 0;  // 0 normal, 1 fast, 2 high fast or auto-hold
    CX2DSound m_Sounds[3][3];  // [mode][start, spin loop, stop]
    float m_fEffectX = 0.0f;
    float m_fEffectY = 0.0f;
    int32_t m_nEffect = 0;
    CX2DAnimation* m_pEffect = nullptr;         // entry of m_EffectTable, not owned
    CX2DParticle* m_pEffectParticle = nullptr;  // entry of m_ParticleTable, not owned
    CXArrayTmpl<CX2DAnimation> m_EffectTable;   // by effect number, not owned
    CXArrayTmpl<CX2DParticle> m_ParticleTable;  // by effect number, not owned
    CXListTmpl<CX2DAnimation> m_EffectList;     // owns every loaded effect animation
    CXListTmpl<CX2DParticle> m_ParticleList;    // owns every loaded effect particle
    CX2DAnimation m_Aircraft[2];                // left, right
    uint32_t m_dwAircraftDelay[2] = {};         // ms
    int32_t m_nAircraftState = kAircraftNone;
    uint32_t m_dwAircraftStamp = 0;  // game clock, ms
    // The result request of the prize stage went out (or was due, in demo mode) for this prize.
    int32_t m_bPrizeRequested = 0;

private:
    // Acceleration, velocity, placement and the fast spin counts.
    void ReadMotion(CXDrawConfig& config);
    // The auto-hold spin timing, its side effects and the aircraft.
    void ReadAutoHold(CXDrawConfig& config);
    // Idle and prize ticks, the stop delay and the displayed line counts.
    void ReadTicks(CXDrawConfig& config);
    // The background and the symbol kinds; returns the folder of the last symbol file read.
    std::string ReadSymbols(CXDrawConfig& config);
    // The prize effect place and table; returns the effect count, bounded.
    uint32_t ReadPrizeEffects(CXDrawConfig& config);
    // The prize line places and effects, one per window row.
    void ReadPrizeLines(CXDrawConfig& config);
    void ReadSounds(CXDrawConfig& config, const char* folder);
    void ReadPrizeNumber(CXDrawConfig& config);
    void ReadEffects(CXDrawConfig& config, uint32_t count);
    void ReadPresets(CXDrawConfig& config, uint32_t count);
    void UpdateAnimations(float dt);
    // True while the aircraft wait holds the reels.
    bool UpdateAircraft();
    // Moves one belt; sets `lastSounded` when the belt sounded its stop this frame.
    void UpdateBelt(uint32_t index, float dt, bool& lastSounded);
    void SpinBelt(uint32_t index, CXDrawReelBeltInfo& belt, float delay);
    void StopBelt(uint32_t index, CXDrawReelBeltInfo& belt, bool& lastSounded);
    // The stop countdown's end and the prize stage; false when the prize is not done.
    void RunStopTimeline(float dt);
    bool RunPrizeStage(float dt);
    void EndPrize();
    void UnmarkAll();
    uint32_t Now() const;
    bool IsAutoHold() const;
    int32_t HeldReel() const;
    template <class F>
    void WalkWindow(F&& draw);
};
