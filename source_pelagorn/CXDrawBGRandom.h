#pragma once
// Where the background and its scroll strips draw their random numbers: the engine's signed
// range draw unless a test puts its own source in. UI thread only.

#include <cstdint>

class CXDrawBGRandom {
public:
    virtual ~CXDrawBGRandom() = default;
    // A value in [a, b] inclusive; the bounds are swapped when b < a.
    virtual int32_t Range(int32_t a, int32_t b) = 0;
};

// Not owned; null restores the engine's draw.
void CXDrawBGSetRandomSource(CXDrawBGRandom* source);
int32_t CXDrawBGRandomRange(int32_t a, int32_t b);
