#include "ProbRandom.h"

#include <cstdlib>
#include <random>

namespace {

CXProbRandomSource* g_pSource = nullptr;

CXProbRandomSource& Source()
{
    static CXProbSystemRandom s_System;
    return g_pSource ? *g_pSource : s_System;
}

}  // namespace

uint32_t CXProbSystemRandom::Next()
{
    try {
        static std::random_device s_Device;
        return s_Device();
    } catch (...) {
        // Two draws, as the C generator gives 31 bits.
        return (static_cast<uint32_t>(std::rand()) << 16) ^ static_cast<uint32_t>(std::rand());
    }
}

CXProbRandomSource* SetProbRandomSource(CXProbRandomSource* pSource)
{
    CXProbRandomSource* pOld = g_pSource;
    g_pSource = pSource;
    return pOld;
}

uint32_t ProbRandom()
{
    return Source().Next();
}

uint32_t ProbRandomRange(uint32_t a, uint32_t b)
{
    if (b < a) {
        const uint32_t t = a;
        a = b;
        b = t;
    }
    const uint32_t n = b - a + 1;
    const uint32_t r = ProbRandom();
    // n wraps to 0 for the whole range: every value is a valid draw.
    return n == 0 ? r : a + r % n;
}

bool ProbChance(uint32_t a, uint32_t b)
{
    if (a == 0 || a > b)
        return false;
    const uint32_t c = ProbRandomRange(1, b);
    return b / 2 - a / 2 <= c && c <= b / 2 + a / 2;
}

bool ProbPercent(uint32_t p)
{
    if (p < 1 || p > 100)
        return false;
    const uint32_t x = ProbRandomRange(1, 100);
    return 50 - p / 2 <= x && x <= 50 + p / 2;
}
