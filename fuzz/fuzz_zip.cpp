// libFuzzer target: zip packs attached to the graphics device, read by name.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Zip(data, size);
    return 0;
}
