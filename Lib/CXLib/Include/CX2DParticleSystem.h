#pragma once
// Particle systems: the 128-byte settings record (the PSI file), one emitter with up to 500
// particles, and the core of the particle manager with up to 100 systems. UI thread only.

#include <cstddef>
#include <cstdint>

class CX2DSprite;

// The settings record. In the file the first 4 bytes are the frame number and the blend bits; in
// memory the system's sprite is kept beside them.
struct CXParticleSystemInfo {
    static constexpr size_t kFileSize = 128;

    CX2DSprite* pSprite = nullptr;  // not owned
    uint16_t wFrame = 0;
    uint16_t wBlend = 0;
    int32_t nEmission = 0;   // particles per second
    float fLifetime = 0.0f;  // seconds, -1 = endless
    float fParticleLifeMin = 0.0f;
    float fParticleLifeMax = 0.0f;
    float fDirection = 0.0f;  // radians, 0 points up
    float fSpread = 0.0f;
    uint32_t dwRelative = 0;  // low byte nonzero: direction relative to the emitter's movement
    float fSpeedMin = 0.0f;
    float fSpeedMax = 0.0f;
    float fGravityMin = 0.0f;
    float fGravityMax = 0.0f;
    float fRadialAccelMin = 0.0f;
    float fRadialAccelMax = 0.0f;
    float fTangentialAccelMin = 0.0f;
    float fTangentialAccelMax = 0.0f;
    float fSizeStart = 0.0f;
    float fSizeEnd = 0.0f;
    float fSizeVar = 0.0f;
    float fSpinStart = 0.0f;
    float fSpinEnd = 0.0f;
    float fSpinVar = 0.0f;
    float colColorStart[4] = {};  // red, green, blue, alpha, 0..1
    float colColorEnd[4] = {};
    float fColorVar = 0.0f;
    float fAlphaVar = 0.0f;

    // Reads the record field by field, little-endian; bytes past size read as 0.
    void ReadFrom(const uint8_t* data, size_t size);
    // Every setting that is NaN becomes 0 (a system never runs on NaN settings).
    void RefuseNaN();
};

struct CXParticle {
    float x = 0.0f, y = 0.0f;
    float vx = 0.0f, vy = 0.0f;  // units per update
    float fGravity = 0.0f;
    float fRadialAccel = 0.0f;
    float fTangentialAccel = 0.0f;
    float fSpin = 0.0f;
    float fSpinDelta = 0.0f;  // per second
    float fSize = 0.0f;
    float fSizeDelta = 0.0f;
    float col[4] = {};  // red, green, blue, alpha
    float colDelta[4] = {};
    float fAge = 0.0f;
    float fTerminalAge = 0.0f;
};

// Where particle systems draw their random numbers: the graphics device's Random_Float unless a
// test puts its own source in.
class CXParticleRandom {
public:
    virtual ~CXParticleRandom() = default;
    virtual float Float(float a, float b) = 0;
};
// Not owned; null restores the device's source.
void ParticleSetRandomSource(CXParticleRandom* source);

struct CXParticleBox {
    bool bEmpty = true;
    float x1 = 0.0f, y1 = 0.0f, x2 = 0.0f, y2 = 0.0f;
};

class CXParticleSystem {
public:
    static constexpr int kMaxParticles = 500;
    static constexpr float kStopped = -2.0f;

    // fStep: seconds per update, 0 = one update per call of the frame's dt.
    CXParticleSystem(const CXParticleSystemInfo& info, float fStep);

    void Fire();
    void FireAt(float x, float y);
    // Ends emission; with kill the live particles go at once.
    void Stop(bool kill = false);
    void MoveTo(float x, float y, bool moveParticles = false);
    void SetOffset(float x, float y) { m_fTx = x, m_fTy = y; }
    void Update(float dt);
    // Draws every live particle with the settings' sprite; its colour is restored afterwards.
    void Render();

    void TrackBoundingBox(bool track) { m_bUpdateBoundingBox = track; }
    const CXParticleBox& GetBoundingBox() const { return m_Box; }
    int GetParticlesAlive() const { return m_nParticlesAlive; }
    float GetAge() const { return m_fAge; }
    bool IsStopped() const { return m_fAge == kStopped; }
    const CXParticle& GetParticle(int i) const { return m_Particles[i]; }

    CXParticleSystemInfo m_Info;
    float m_fUpdateStep = 0.0f;
    float m_fResidue = 0.0f;  // step accumulator
    float m_fAge = kStopped;  // -2 stopped, -1 endless, else seconds since Fire
    float m_fEmissionResidue = 0.0f;
    float m_fPrevX = 0.0f, m_fPrevY = 0.0f;
    float m_fLocX = 0.0f, m_fLocY = 0.0f;
    float m_fTx = 0.0f, m_fTy = 0.0f;

private:
    void Step(float t);
    void Spawn(int count);

    int m_nParticlesAlive = 0;
    CXParticleBox m_Box;
    bool m_bUpdateBoundingBox = false;
    CXParticle m_Particles[kMaxParticles];
};

// The manager's systems: up to 100, owned, updated at one rate.
class CXParticleManagerCore {
public:
    static constexpr int kMaxSystems = 100;

    explicit CXParticleManagerCore(float fps) : m_fFPS(fps) {}
    ~CXParticleManagerCore();
    CXParticleManagerCore(const CXParticleManagerCore&) = delete;
    CXParticleManagerCore& operator=(const CXParticleManagerCore&) = delete;

    // A new system fired at (x, y) with the manager's rate and offset; null at 100 systems.
    CXParticleSystem* SpawnPS(const CXParticleSystemInfo& info, float x, float y);

    float m_fFPS = 0.0f;
    int m_nPS = 0;
    float m_fTx = 0.0f, m_fTy = 0.0f;
    CXParticleSystem* m_pSystems[kMaxSystems] = {};
};
