#pragma once
// Saturating arithmetic for 32-bit amounts. A server may send any 32-bit value for a credit,
// score, win or gift; sums, differences and products of such values are computed in 64 bits and
// clamped to the int32 range of the field that stores them, never wrapped.

#include <cstdint>
#include <limits>

constexpr int32_t CXSaturateInt32(int64_t nValue)
{
    return nValue > std::numeric_limits<int32_t>::max()   ? std::numeric_limits<int32_t>::max()
           : nValue < std::numeric_limits<int32_t>::min() ? std::numeric_limits<int32_t>::min()
                                                          : static_cast<int32_t>(nValue);
}

// a + b, a - b and a * b of 32-bit operands (the 64-bit intermediate cannot overflow).
constexpr int32_t CXAddSat32(int32_t a, int32_t b)
{
    return CXSaturateInt32(int64_t{a} + b);
}
constexpr int32_t CXSubSat32(int32_t a, int32_t b)
{
    return CXSaturateInt32(int64_t{a} - b);
}
constexpr int32_t CXMulSat32(int32_t a, int32_t b)
{
    return CXSaturateInt32(int64_t{a} * b);
}
