#pragma once
// The dispatcher's and parsers' field readers: each returns its default when fewer bytes remain
// than the field needs, and then leaves the position where it was.

#include <cstdint>

#include "HiByteBuffer.h"

namespace netfield {

inline uint8_t ReadU8(HiByteBuffer& buffer, uint8_t byDefault = 0)
{
    buffer.ReadU8(byDefault);
    return byDefault;
}

inline uint16_t ReadU16(HiByteBuffer& buffer, uint16_t wDefault = 0)
{
    buffer.ReadU16(wDefault);
    return wDefault;
}

inline uint32_t ReadU32(HiByteBuffer& buffer, uint32_t dwDefault = 0)
{
    buffer.ReadU32(dwDefault);
    return dwDefault;
}

// The machine key every game answer and many lobby answers start with: kind, then number.
struct MachineKey {
    int32_t nGameType = 0;
    int32_t nMachineNo = 0;
};

inline MachineKey ReadKey(HiByteBuffer& buffer)
{
    const int32_t nGameType = ReadU8(buffer);
    return MachineKey{nGameType, ReadU16(buffer)};
}

}  // namespace netfield
