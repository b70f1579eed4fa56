// libFuzzer target: WAVE files loaded into sounds.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Wave(data, size);
    return 0;
}
