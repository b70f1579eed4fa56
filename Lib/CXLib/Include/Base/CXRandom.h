#pragma once

#include <cstdint>

#include "CXLockTmpl.h"
#include "CXMersenneTwisterRNG.h"

// A random source: one Mersenne Twister seeded from the thread, the time and its own address.
// It has no lock of its own; shared instances live in a CXLockTmpl<CXRandom>.
class CXRandom {
public:
    CXRandom();
    virtual ~CXRandom() = default;

    void Seed(uint32_t dwSeed) { m_RNG.Seed(dwSeed); }
    uint32_t Next() { return m_RNG.Next(); }

private:
    CXMersenneTwisterRNG m_RNG;
};

// An integer between a and b inclusive (either order), drawn from one of 1024 locked sources taken
// in turn, so threads rarely wait for each other. The whole int range gives any int. Safe from
// any thread.
int PoolRandom(int a, int b);

// The pool's sources and its call counter: the next call uses source (counter & 1023).
constexpr unsigned kPoolRandomSources = 1024;
CXLockTmpl<CXRandom>& GetPoolRandomSource(unsigned nIndex);
uint32_t GetPoolRandomCounter();
