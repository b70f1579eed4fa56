// libFuzzer target: the Pelagorn display objects' configuration files and shake values.
#include "pelagorn_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pelagorn_fuzz::Shared().Config(data, size);
    return 0;
}
