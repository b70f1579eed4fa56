// libFuzzer target: PCX images through the device's PCX loader.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Pcx(data, size);
    return 0;
}
