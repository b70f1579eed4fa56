#include "CXMersenneTwisterRNG.h"

#include "platform/clock.h"

namespace {

constexpr int kN = CXMersenneTwisterRNG::kStateWords;
constexpr int kM = 397;
constexpr uint32_t kMatrix = 0x9908B0DFu;

uint32_t Twist(uint32_t upper, uint32_t lower, uint32_t far)
{
    uint32_t y = (upper & 0x80000000u) | (lower & 0x7FFFFFFFu);
    return far ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
}

uint32_t Temper(uint32_t y)
{
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

uint32_t AddressBits(const void* p)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

}  // namespace

CXMersenneTwisterRNG::CXMersenneTwisterRNG() : m_pNext(m_State), m_nRemaining(-1)
{
    Seed(static_cast<uint32_t>(platform::UnixTimeNow()) * platform::TickCount() *
         AddressBits(this));
}

void CXMersenneTwisterRNG::Seed(uint32_t dwSeed)
{
    uint32_t x = dwSeed | 1u;
    m_State[0] = x;
    for (int i = 1; i < kN; ++i)
        m_State[i] = m_State[i - 1] * 69069u;
    m_pNext = m_State;
    m_nRemaining = 0;
}

void CXMersenneTwisterRNG::Reload()
{
    int i = 0;
    for (; i < kN - kM; ++i)
        m_State[i] = Twist(m_State[i], m_State[i + 1], m_State[i + kM]);
    for (; i < kN - 1; ++i)
        m_State[i] = Twist(m_State[i], m_State[i + 1], m_State[i + kM - kN]);
    m_State[kN - 1] = Twist(m_State[kN - 1], m_State[0], m_State[kM - 1]);
}

uint32_t CXMersenneTwisterRNG::Next()
{
    if (--m_nRemaining >= 0)
        return Temper(*m_pNext++);
    if (m_nRemaining < -1)
        Seed(static_cast<uint32_t>(platform::UnixTimeNow()) * platform::TickCount() *
             AddressBits(this));
    Reload();
    m_nRemaining = kN - 1;
    m_pNext = m_State + 1;
    return Temper(m_State[0]);
}
