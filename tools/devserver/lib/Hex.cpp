#include "Hex.h"

#include <algorithm>

namespace devserver {

namespace {

int Nibble(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string ToHex(std::span<const uint8_t> bytes, size_t limit)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    const size_t shown = std::min(bytes.size(), limit);
    for (size_t i = 0; i < shown; ++i) {
        if (i)
            out.push_back(' ');
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 0xF]);
    }
    if (shown < bytes.size())
        out += " ... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

std::optional<Bytes> ParseHex(std::string_view text)
{
    Bytes out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const int high = Nibble(text[i]);
        const int low = Nibble(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out.push_back(static_cast<uint8_t>(high << 4 | low));
        i += 2;
    }
    return out;
}

}  // namespace devserver
