// libFuzzer target: the Jix spin-data block as the server sends it (answers 14 and 18).
#include <cstdio>
#include <cstdlib>

#include "jix_spin_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string failure = CheckJixSpinBlock(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
