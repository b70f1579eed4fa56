#pragma once
// Bytes written by hand as hex, for byte-layout fixtures: pairs of hex digits, with spaces, tabs
// and line breaks allowed between pairs only. Anything else (a stray letter, an odd digit, a
// separator inside a pair) throws with the offending text and position, so a typo in a fixture
// fails the test instead of silently changing the bytes under test.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

inline std::vector<uint8_t> Hex(std::string_view text)
{
    const auto digit = [&](size_t i) {
        const char c = i < text.size() ? text[i] : '\0';
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        throw std::invalid_argument("not a pair of hex digits at offset " + std::to_string(i) +
                                    " of \"" + std::string(text) + "\"");
    };
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            ++i;
            continue;
        }
        const int high = digit(i);
        const int low = digit(i + 1);
        bytes.push_back(uint8_t(high << 4 | low));
        i += 2;
    }
    return bytes;
}

}  // namespace test_support
