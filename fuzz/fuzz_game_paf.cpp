// libFuzzer target: the game's "game.paf" high-prize rule file.
#include "cabinet_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cabinet_fuzz::Shared().GamePaf(data, size);
    return 0;
}
