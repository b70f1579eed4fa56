#pragma once
// The parts of the reel display: one symbol kind (its animations and particle), one symbol on a
// belt, and one belt (a reel's strip with its motion state).

#include <cstdint>

#include "CX2DAnimation.h"
#include "CX2DParticle.h"
#include "CXArrayTmpl.h"
#include "CXMemoryPoolTmpl.h"

// One symbol kind, read from its own file.
class CXDrawReelInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawReelInfo)

    CXDrawReelInfo() = default;
    virtual ~CXDrawReelInfo() = default;
    CXDrawReelInfo(const CXDrawReelInfo&) = delete;
    CXDrawReelInfo& operator=(const CXDrawReelInfo&) = delete;

    // Reads REEL_EFFECT_ANF, REEL_EFFECT_PTF and REEL (normal, prize) from the symbol file; the
    // files are named relative to the symbol file's folder. The normal animation plays at once.
    void Load(class CXDrawConfig& config, const char* folder);
    void Update(float dt);

    CX2DAnimation m_Effect;
    CX2DParticle m_EffectParticle;
    CX2DAnimation m_Normal;
    CX2DAnimation m_Prize;
};

// One symbol on a belt.
class CXDrawReelBeltObject {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawReelBeltObject)

    CXDrawReelBeltObject() = default;
    virtual ~CXDrawReelBeltObject() = default;

    int32_t m_bMarked = 0;  // part of the prize being shown
    int32_t m_nSymbol = 0;
    CXDrawReelInfo* m_pInfo = nullptr;  // not owned
};

// One reel: its strip and where it is in its spin.
class CXDrawReelBeltInfo {
public:
    CX_DECLARE_MEMORY_POOL(CXDrawReelBeltInfo)

    CXDrawReelBeltInfo() = default;
    virtual ~CXDrawReelBeltInfo() = default;
    CXDrawReelBeltInfo(const CXDrawReelBeltInfo&) = delete;
    CXDrawReelBeltInfo& operator=(const CXDrawReelBeltInfo&) = delete;

    uint32_t GetCount() const { return m_Symbols.GetSize(); }
    // The symbol at the index taken modulo the count (null for an empty slot or belt).
    CXDrawReelBeltObject* SymbolAt(int64_t index) const;
    // The index wrapped into 0..count-1 (0 for an empty belt).
    int32_t Wrap(int64_t index) const;
    // A new spin, or none: not stopping, at the top of its cell, no time or distance run yet; the
    // belt starts the spin from the symbol it stands on.
    void ResetMotion();

    int32_t m_bActive = 0;
    int32_t m_bStopping = 0;
    int32_t m_bStopSoundDone = 1;
    float m_fOffset = 0.0f;  // pixels into the top cell, 0 <= offset < cell height
    int32_t m_nReserved = 0;
    float m_fAcceleration = 0.0f;  // pixels per second squared
    float m_fElapsed = 0.0f;       // seconds since the spin (or its stopping) began
    float m_fStopBegin = 0.0f;     // running time at spin-up, later at the start of stopping
    float m_fLastDistance = 0.0f;
    float m_fStartDelay = 0.0f;  // seconds, for this spin
    float m_fBaseDelay = 0.0f;   // seconds, from the belt string
    int32_t m_nPosition = 0;     // symbol in the top window row
    int32_t m_nSpinStart = 0;
    int32_t m_nTarget = 0;
    CXArrayTmpl<CXDrawReelBeltObject> m_Symbols;
};
