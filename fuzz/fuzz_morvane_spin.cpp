// The Morvane spin record reader on arbitrary bytes: a record it accepts has its stops and reel set
// in range and survives writing and reading back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "CMorvaneSpinData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMorvaneSpinData record;
    if (!ReadMorvaneSpinData(data, size, record))
        return 0;
    for (int32_t stop : record.Array)
        if (stop < 0 || stop > 22)
            std::abort();
    if (record.nReelSet < 0 || record.nReelSet > 2)
        std::abort();
    uint8_t bytes[CMorvaneSpinData::kSize];
    WriteMorvaneSpinData(record, bytes);
    CMorvaneSpinData again;
    if (!ReadMorvaneSpinData(bytes, sizeof bytes, again))
        std::abort();
    uint8_t twice[CMorvaneSpinData::kSize];
    WriteMorvaneSpinData(again, twice);
    if (std::memcmp(bytes, twice, sizeof bytes) != 0)
        std::abort();
    return 0;
}
