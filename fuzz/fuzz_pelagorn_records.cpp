// libFuzzer target: Pelagorn server answers of any length read through the answer records and
// handed to the server link between the game's requests.
#include "pelagorn_link_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pelagorn_link_fuzz::Run(data, size);
    return 0;
}
