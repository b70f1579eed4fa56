#pragma once
// Random draws of the probability engine. Every draw comes from one process-wide source, which
// tests replace with a seeded or scripted one.

#include <cstdint>

class CXProbRandomSource {
public:
    virtual ~CXProbRandomSource() = default;
    // One value over the whole 32-bit range.
    virtual uint32_t Next() = 0;
};

// The system's source: the operating system's random device, with the C library's generator as
// the fallback when the device cannot be read.
class CXProbSystemRandom : public CXProbRandomSource {
public:
    uint32_t Next() override;
};

// Makes pSource the source of every later draw (null restores the system's source); returns the
// source used until now.
CXProbRandomSource* SetProbRandomSource(CXProbRandomSource* pSource);

// One raw draw from the current source.
uint32_t ProbRandom();

// A value between a and b inclusive (either order); the whole 0..4294967295 range gives any
// value.
uint32_t ProbRandomRange(uint32_t a, uint32_t b);

// About a chances in b: false when a is 0 or above b; else a draw c of 1..b passes when
// b/2 - a/2 <= c <= b/2 + a/2.
bool ProbChance(uint32_t a, uint32_t b);

// A percentage test: p of 1..100 passes when a draw of 1..100 lies in [50 - p/2, 50 + p/2];
// other values of p never pass.
bool ProbPercent(uint32_t p);

// Shuffles n values in place: ten rounds, each swapping every position with a random one.
template <class V>
void ProbShuffle(V* pValues, uint32_t n)
{
    if (n < 2)
        return;
    for (int round = 0; round < 10; ++round) {
        for (uint32_t i = 0; i < n; ++i) {
            const uint32_t j = ProbRandomRange(0, n - 1);
            const V t = pValues[i];
            pValues[i] = pValues[j];
            pValues[j] = t;
        }
    }
}
