// libFuzzer target: key=value configuration files, plain and scrambled.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    loader_fuzz::Shared().Config(data, size);
    return 0;
}
