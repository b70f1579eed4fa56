// libFuzzer target: the probability engine's bonus header (key=value text) and bonus chunk.
#include "prob_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    prob_fuzz::Shared().Bonus(data, size);
    return 0;
}
