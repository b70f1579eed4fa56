// libFuzzer target: image files (PNG, BMP, TGA, JPEG, DDS) decoded and loaded as textures.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Image(data, size);
    return 0;
}
