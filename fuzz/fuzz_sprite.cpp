// libFuzzer target: sprite files loaded and drawn.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Sprite(data, size);
    return 0;
}
