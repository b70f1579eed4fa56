// libFuzzer target: particle files and their binary settings loaded, run and drawn.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Particle(data, size);
    return 0;
}
