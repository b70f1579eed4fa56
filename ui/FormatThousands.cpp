#include "FormatThousands.h"

#include <cstring>

int InsertThousandsCommas(const char* digits, char* out, int outSize)
{
    if (!out || outSize <= 0)
        return 0;
    out[0] = '\0';
    if (!digits)
        return 0;
    const size_t length = std::strlen(digits);
    const size_t grouped = length + (length > 0 ? (length - 1) / 3 : 0);
    if (grouped >= static_cast<size_t>(outSize))
        return 0;
    size_t n = 0;
    for (size_t p = 1; p <= length; ++p) {
        out[n++] = digits[p - 1];
        if (p != length && p % 3 == length % 3)
            out[n++] = ',';
    }
    out[n] = '\0';
    return static_cast<int>(n);
}

int FormatThousands(int64_t value, char* out, int outSize)
{
    if (!out || outSize <= 0)
        return 0;
    out[0] = '\0';
    // The magnitude in 64 unsigned bits: the most negative value has no positive counterpart.
    uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[24];
    char* p = digits + sizeof(digits);
    *--p = '\0';
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value >= 0)
        return InsertThousandsCommas(p, out, outSize);
    // Room for the sign in front of the grouped digits.
    if (outSize < 2)
        return 0;
    const int length = InsertThousandsCommas(p, out + 1, outSize - 1);
    if (length == 0)
        return 0;
    out[0] = '-';
    return length;
}
