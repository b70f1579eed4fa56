// libFuzzer target: snapshot files of the game's meters and counters.
#include "cabinet_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cabinet_fuzz::Shared().Snapshot(data, size);
    return 0;
}
