// libFuzzer target: bytes from the cabinet's I/O board, cut into frames and acted on.
#include "cabinet_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cabinet_fuzz::Shared().BoardFrames(data, size);
    return 0;
}
