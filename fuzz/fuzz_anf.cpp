// libFuzzer target: animation (.anf) files loaded, played and drawn.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Anf(data, size);
    return 0;
}
