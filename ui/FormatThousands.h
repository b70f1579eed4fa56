#pragma once
// Amounts as decimal text with a ',' between groups of three digits.

#include <cstdint>

// Copies the digit text into out with ',' between groups of three digits counted from the right
// (1234567 gives "1,234,567"); out holds at most outSize bytes with the terminator. Returns the
// length written, or 0 with an empty out when the grouped text does not fit.
int InsertThousandsCommas(const char* digits, char* out, int outSize);

// value with thousands separators, "-" in front of a negative one, into out (at most outSize
// bytes with the terminator). Returns the length without the sign. When the text does not fit,
// out is left empty (when it has room for the terminator) and the result is 0.
int FormatThousands(int64_t value, char* out, int outSize);
