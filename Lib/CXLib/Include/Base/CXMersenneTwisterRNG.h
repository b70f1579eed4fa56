#pragma once

#include <cstdint>

// 32-bit Mersenne Twister (MT19937) with the 69069 seeding rule: the seed's low bit is forced to
// 1 and every further state word is the previous one times 69069 (mod 2^32).
class CXMersenneTwisterRNG {
public:
    static constexpr int kStateWords = 624;

    // Seeds from the time, the tick count and the object's address.
    CXMersenneTwisterRNG();
    virtual ~CXMersenneTwisterRNG() = default;

    void Seed(uint32_t dwSeed);
    uint32_t Next();

private:
    void Reload();

    uint32_t m_State[kStateWords];
    uint32_t* m_pNext;
    int32_t m_nRemaining;  // words left before the next reload; -1 before the first seeding
};
