// libFuzzer target: the line editor driven by a stream of keys, characters, composition steps,
// selections and replaced texts; any split double-byte character or overrun limit aborts.
#include <cstdio>
#include <cstdlib>

#include "line_editor_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string fault = line_editor_fuzz::Run(data, size);
    if (!fault.empty()) {
        std::fprintf(stderr, "line editor: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
