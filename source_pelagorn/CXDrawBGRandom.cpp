#include "CXDrawBGRandom.h"

#include "CX2DEngine.h"

namespace {

CXDrawBGRandom* g_pSource = nullptr;

}  // namespace

void CXDrawBGSetRandomSource(CXDrawBGRandom* source)
{
    g_pSource = source;
}

int32_t CXDrawBGRandomRange(int32_t a, int32_t b)
{
    if (g_pSource)
        return g_pSource->Range(a, b);
    return RandomRange(a, b);
}
