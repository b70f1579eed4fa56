#include "JixDrawSink.h"

namespace {
CJixDrawSink* s_pSink = nullptr;
}

CJixDrawSink* JixGetDrawSink()
{
    return s_pSink;
}

void JixSetDrawSink(CJixDrawSink* pSink)
{
    s_pSink = pSink;
}
