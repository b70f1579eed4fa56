// libFuzzer target: the game's one-number setting files.
#include "cabinet_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cabinet_fuzz::Shared().Setting(data, size);
    return 0;
}
