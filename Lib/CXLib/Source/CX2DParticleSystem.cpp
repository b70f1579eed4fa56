// Particle systems: emission, motion and drawing of up to 500 particles per emitter.
#include "CX2DParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "CX2DSprite.h"
#include "CXGfxDevice.h"

namespace {

CXParticleRandom* g_pRandomSource = nullptr;

float Random(float a, float b)
{
    if (g_pRandomSource)
        return g_pRandomSource->Float(a, b);
    return g_pGfxDevice ? g_pGfxDevice->Random_Float(a, b) : a;
}

// 1 / sqrt(x) by the bit-level estimate and one Newton step; the particles' radial direction
// needs no more precision than that.
float FastInvSqrt(float x)
{
    uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits = 0x5f3759dfu - (bits >> 1);
    float y;
    std::memcpy(&y, &bits, sizeof y);
    return y * (1.5f - x * 0.4999f * y * y);
}

uint32_t U32(const uint8_t* data, size_t size, size_t offset)
{
    if (offset + 4 > size)
        return 0;
    return static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
           static_cast<uint32_t>(data[offset + 2]) << 16 |
           static_cast<uint32_t>(data[offset + 3]) << 24;
}

uint16_t U16(const uint8_t* data, size_t size, size_t offset)
{
    if (offset + 2 > size)
        return 0;
    return static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
}

float F32(const uint8_t* data, size_t size, size_t offset)
{
    const uint32_t bits = U32(data, size, offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t Channel(float value)
{
    // NaN (a colour drifting from infinite settings) reads as 0.
    const float level = value * 255.0f;
    return level > 0.0f ? static_cast<uint32_t>(std::min(level, 255.0f)) : 0u;
}

// A setting that is NaN is refused: it reads as 0.
float Setting(float value)
{
    return std::isnan(value) ? 0.0f : value;
}

}  // namespace

void ParticleSetRandomSource(CXParticleRandom* source)
{
    g_pRandomSource = source;
}

void CXParticleSystemInfo::ReadFrom(const uint8_t* data, size_t size)
{
    if (!data)
        size = 0;
    wFrame = U16(data, size, 0);
    wBlend = U16(data, size, 2);
    nEmission = static_cast<int32_t>(U32(data, size, 4));
    fLifetime = F32(data, size, 8);
    fParticleLifeMin = F32(data, size, 12);
    fParticleLifeMax = F32(data, size, 16);
    fDirection = F32(data, size, 20);
    fSpread = F32(data, size, 24);
    dwRelative = U32(data, size, 28);
    fSpeedMin = F32(data, size, 32);
    fSpeedMax = F32(data, size, 36);
    fGravityMin = F32(data, size, 40);
    fGravityMax = F32(data, size, 44);
    fRadialAccelMin = F32(data, size, 48);
    fRadialAccelMax = F32(data, size, 52);
    fTangentialAccelMin = F32(data, size, 56);
    fTangentialAccelMax = F32(data, size, 60);
    fSizeStart = F32(data, size, 64);
    fSizeEnd = F32(data, size, 68);
    fSizeVar = F32(data, size, 72);
    fSpinStart = F32(data, size, 76);
    fSpinEnd = F32(data, size, 80);
    fSpinVar = F32(data, size, 84);
    for (size_t i = 0; i < 4; ++i) {
        colColorStart[i] = F32(data, size, 88 + 4 * i);
        colColorEnd[i] = F32(data, size, 104 + 4 * i);
    }
    fColorVar = F32(data, size, 120);
    fAlphaVar = F32(data, size, 124);
}

void CXParticleSystemInfo::RefuseNaN()
{
    float* fields[] = {&fLifetime,
                       &fParticleLifeMin,
                       &fParticleLifeMax,
                       &fDirection,
                       &fSpread,
                       &fSpeedMin,
                       &fSpeedMax,
                       &fGravityMin,
                       &fGravityMax,
                       &fRadialAccelMin,
                       &fRadialAccelMax,
                       &fTangentialAccelMin,
                       &fTangentialAccelMax,
                       &fSizeStart,
                       &fSizeEnd,
                       &fSizeVar,
                       &fSpinStart,
                       &fSpinEnd,
                       &fSpinVar,
                       &fColorVar,
                       &fAlphaVar};
    for (float* field : fields)
        *field = Setting(*field);
    for (size_t i = 0; i < 4; ++i) {
        colColorStart[i] = Setting(colColorStart[i]);
        colColorEnd[i] = Setting(colColorEnd[i]);
    }
}

CXParticleSystem::CXParticleSystem(const CXParticleSystemInfo& info, float fStep)
    : m_Info(info), m_fUpdateStep(std::isfinite(fStep) ? fStep : 0.0f)
{
    m_Info.RefuseNaN();
}

void CXParticleSystem::Fire()
{
    m_fAge = m_Info.fLifetime == -1.0f ? -1.0f : 0.0f;
    m_fResidue = 0.0f;
}

void CXParticleSystem::FireAt(float x, float y)
{
    m_fPrevX = m_fLocX = x;
    m_fPrevY = m_fLocY = y;
    Fire();
}

void CXParticleSystem::Stop(bool kill)
{
    m_fAge = kStopped;
    if (kill) {
        m_nParticlesAlive = 0;
        m_Box = CXParticleBox{};
    }
}

void CXParticleSystem::MoveTo(float x, float y, bool moveParticles)
{
    if (moveParticles) {
        const float dx = x - m_fLocX, dy = y - m_fLocY;
        for (int i = 0; i < m_nParticlesAlive; ++i) {
            m_Particles[i].x += dx;
            m_Particles[i].y += dy;
        }
        m_fPrevX += dx;
        m_fPrevY += dy;
    } else if (m_fAge == kStopped) {
        m_fPrevX = x;
        m_fPrevY = y;
    } else {
        m_fPrevX = m_fLocX;
        m_fPrevY = m_fLocY;
    }
    m_fLocX = x;
    m_fLocY = y;
}

void CXParticleSystem::Update(float dt)
{
    if (!std::isfinite(dt))
        return;
    if (m_fUpdateStep <= 0.0f) {
        Step(dt);
        return;
    }
    // At most one step per call; a backlog is dropped. The remainder is taken in one division:
    // a step far below the accumulator's precision would never be subtracted away.
    m_fResidue += dt;
    if (!std::isfinite(m_fResidue)) {
        m_fResidue = 0.0f;
        return;
    }
    if (m_fResidue >= m_fUpdateStep) {
        Step(m_fUpdateStep);
        m_fResidue = std::fmod(m_fResidue, m_fUpdateStep);
    }
}

void CXParticleSystem::Step(float t)
{
    if (m_fAge >= 0.0f) {
        m_fAge += t;
        if (m_fAge >= m_Info.fLifetime)
            m_fAge = kStopped;
    }

    if (m_bUpdateBoundingBox)
        m_Box = CXParticleBox{};
    for (int i = 0; i < m_nParticlesAlive;) {
        CXParticle& p = m_Particles[i];
        p.fAge += t;
        if (p.fAge >= p.fTerminalAge) {
            p = m_Particles[--m_nParticlesAlive];
            continue;
        }
        const float rx = p.x - m_fLocX, ry = p.y - m_fLocY;
        const float inv = FastInvSqrt(rx * rx + ry * ry);
        const float nx = rx * inv, ny = ry * inv;
        const float ax = nx * p.fRadialAccel - ny * p.fTangentialAccel;
        const float ay = ny * p.fRadialAccel + nx * p.fTangentialAccel;
        p.vx += ax * t;
        p.vy += ay * t;
        p.vy += p.fGravity * t;
        // Velocities are per update, so positions move by the velocity itself.
        p.x += p.vx;
        p.y += p.vy;
        p.fSpin += p.fSpinDelta * t;
        p.fSize += p.fSizeDelta * t;
        for (int c = 0; c < 4; ++c)
            p.col[c] += p.colDelta[c] * t;
        if (m_bUpdateBoundingBox) {
            if (m_Box.bEmpty) {
                m_Box = {false, p.x, p.y, p.x, p.y};
            } else {
                m_Box.x1 = std::min(m_Box.x1, p.x), m_Box.y1 = std::min(m_Box.y1, p.y);
                m_Box.x2 = std::max(m_Box.x2, p.x), m_Box.y2 = std::max(m_Box.y2, p.y);
            }
        }
        ++i;
    }

    if (m_fAge != kStopped) {
        // Saturated at the particle limit (a bigger count spawns no more, and would not fit an
        // int); a NaN count spawns nothing.
        constexpr float kLimit = static_cast<float>(kMaxParticles);
        const float count = static_cast<float>(m_Info.nEmission) * t + m_fEmissionResidue;
        const float bounded = std::isnan(count) ? 0.0f : std::clamp(count, -kLimit, kLimit);
        const int n = static_cast<int>(bounded);
        m_fEmissionResidue = bounded - static_cast<float>(n);
        Spawn(n);
    }
    m_fPrevX = m_fLocX;
    m_fPrevY = m_fLocY;
}

void CXParticleSystem::Spawn(int count)
{
    const CXParticleSystemInfo& s = m_Info;
    constexpr float kHalfPi = 1.5707963f;
    for (int i = 0; i < count && m_nParticlesAlive < kMaxParticles; ++i) {
        CXParticle& p = m_Particles[m_nParticlesAlive++];
        p.fAge = 0.0f;
        p.fTerminalAge = Random(s.fParticleLifeMin, s.fParticleLifeMax);
        // Spread along the path the emitter moved since the last update.
        const float along = Random(0.0f, 1.0f);
        p.x = m_fPrevX + (m_fLocX - m_fPrevX) * along;
        p.y = m_fPrevY + (m_fLocY - m_fPrevY) * along;
        p.x += Random(-2.0f, 2.0f);
        p.y += Random(-2.0f, 2.0f);

        float angle = s.fDirection - kHalfPi + Random(0.0f, s.fSpread) - s.fSpread / 2.0f;
        if (s.dwRelative & 0xFF)
            angle += std::atan2(m_fPrevY - m_fLocY, m_fPrevX - m_fLocX) + kHalfPi;
        const float speed = Random(s.fSpeedMin, s.fSpeedMax);
        p.vx = std::cos(angle) * speed;
        p.vy = std::sin(angle) * speed;

        p.fGravity = Random(s.fGravityMin, s.fGravityMax);
        p.fRadialAccel = Random(s.fRadialAccelMin, s.fRadialAccelMax);
        p.fTangentialAccel = Random(s.fTangentialAccelMin, s.fTangentialAccelMax);

        // A particle without a life dies on its first update; it gets no rates of change.
        const float life = p.fTerminalAge;
        auto perSecond = [life](float end, float value) {
            return life > 0.0f ? (end - value) / life : 0.0f;
        };
        p.fSize = Random(s.fSizeStart, s.fSizeStart + (s.fSizeEnd - s.fSizeStart) * s.fSizeVar);
        p.fSizeDelta = perSecond(s.fSizeEnd, p.fSize);
        p.fSpin = Random(s.fSpinStart, s.fSpinStart + (s.fSpinEnd - s.fSpinStart) * s.fSpinVar);
        p.fSpinDelta = perSecond(s.fSpinEnd, p.fSpin);
        for (int c = 0; c < 4; ++c) {
            const float var = c < 3 ? s.fColorVar : s.fAlphaVar;
            p.col[c] = Random(s.colColorStart[c],
                              s.colColorStart[c] + (s.colColorEnd[c] - s.colColorStart[c]) * var);
            p.colDelta[c] = perSecond(s.colColorEnd[c], p.col[c]);
        }
    }
}

void CXParticleSystem::Render()
{
    CX2DSprite* sprite = m_Info.pSprite;
    CXSpriteCore* core = sprite ? sprite->GetCore() : nullptr;
    if (!core)
        return;
    uint32_t saved[4];
    for (int v = 0; v < 4; ++v)
        saved[v] = core->m_Quad.v[v].color;
    for (int i = 0; i < m_nParticlesAlive; ++i) {
        const CXParticle& p = m_Particles[i];
        // Channels are clamped so that a colour drifting past 0..1 cannot spill into its neighbour.
        core->SetColor(Channel(p.col[3]) << 24 | Channel(p.col[0]) << 16 | Channel(p.col[1]) << 8 |
                           Channel(p.col[2]),
                       -1);
        sprite->RenderEx(p.x + m_fTx, p.y + m_fTy, p.fSpin * p.fAge, p.fSize);
    }
    for (int v = 0; v < 4; ++v)
        core->m_Quad.v[v].color = saved[v];
}

// ---------------------------------------------------------------------------------------------

CXParticleManagerCore::~CXParticleManagerCore()
{
    for (int i = 0; i < m_nPS; ++i)
        delete m_pSystems[i];
}

CXParticleSystem* CXParticleManagerCore::SpawnPS(const CXParticleSystemInfo& info, float x, float y)
{
    if (m_nPS >= kMaxSystems)
        return nullptr;
    auto* system = new (std::nothrow) CXParticleSystem(info, m_fFPS > 0.0f ? 1.0f / m_fFPS : 0.0f);
    if (!system)
        return nullptr;
    system->FireAt(x, y);
    system->SetOffset(m_fTx, m_fTy);
    m_pSystems[m_nPS++] = system;
    return system;
}
