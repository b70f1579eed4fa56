// libFuzzer target: the probability engine's main data files, cut into play chunks.
#include "prob_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    prob_fuzz::Shared().MainData(data, size);
    return 0;
}
